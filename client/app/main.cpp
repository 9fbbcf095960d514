#include <QApplication>
#include <QMessageBox>
#include <QThread>

#include "calls.h"
#include "mainwindow.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationDisplayName(QStringLiteral("Zerda Otomotiv B2B"));
    zerda::setConnectionMessageHandler([](const QString& text) {
        auto show = [text] { QMessageBox::critical(nullptr, QStringLiteral("Hata"), text); };
        if (QThread::currentThread() == qApp->thread())
            show();
        else
            QMetaObject::invokeMethod(qApp, show, Qt::BlockingQueuedConnection);
    });
    zerda::TForm1 window;
    window.show();
    window.SunucuyaSor();
    return app.exec();
}
