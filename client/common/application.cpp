#include "application.h"

#include <QMessageBox>
#include <QPushButton>

#include "beklesin.h"
#include "calls.h"
#include "mesajgoster.h"

namespace zerda {

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {}

bool Application::notify(QObject* receiver, QEvent* event) {
    bool handled = false;
    runReportingErrors([&] { handled = QApplication::notify(receiver, event); });
    return handled;
}

void Application::installReporters() {
    setErrorReporter([](const QString& message) {
        RunOnUiThread([&] {
            QMessageBox box(QMessageBox::Critical, QApplication::applicationDisplayName(), message,
                            QMessageBox::Ok, QApplication::activeWindow());
            box.button(QMessageBox::Ok)->setText(QStringLiteral("Tamam"));
            box.exec();
        });
    });
    setConnectionMessageHandler([](const QString& text) {
        RunOnUiThread([&] { MesajGoster(text, MesajTipi::Hata, {Dugme::Tamam}, Dugme::Tamam); });
    });
}

}  // namespace zerda
