#include "application.h"
#include "mainwindow.h"

int main(int argc, char* argv[]) {
    zerda::Application app(argc, argv);
    zerda::Application::setApplicationDisplayName(QStringLiteral("Zerda Otomotiv B2B"));
    zerda::Application::installReporters();
    zerda::TForm1 window;
    window.show();
    window.SunucuyaSor();
    return app.exec();
}
