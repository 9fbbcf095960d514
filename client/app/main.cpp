#include "application.h"
#include "mainwindow.h"
#include "resources.h"

int main(int argc, char* argv[]) {
    // The embedded browser shares the windows' graphics contexts; this must precede the
    // application object.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    zerda::Application app(argc, argv);
    zerda::Application::setApplicationDisplayName(QStringLiteral("Zerda Otomotiv B2B"));
    zerda::Application::installReporters();
    zerda::registerProgramFonts();
    zerda::applyVisualStyle(QStringLiteral("Sapphire Kamri"));
    zerda::TForm1 window;
    window.Baslat();
    return app.exec();
}
