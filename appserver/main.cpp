#include <QCoreApplication>

#include "cli.h"

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QStringList arguments = app.arguments();
    arguments.removeFirst();
    return zerda::appserver::runCommandLine(arguments);
}
