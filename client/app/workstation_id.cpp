// Prints this machine's workstation identifier as the program computes it.
#include <QCoreApplication>
#include <QTextStream>

#include "identity.h"

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const QString id = zerda::BilgisayarIdAl();
    if (id.isEmpty()) {
        QTextStream(stderr) << "Bu makinenin iş istasyonu kimliği bulunamadı (disk seri numarası "
                               "ve MAC adresi yok)\n";
        return 1;
    }
    QTextStream(stdout) << id << '\n';
    return 0;
}
