#include "desktop.h"

#include <QDesktopServices>
#include <QLineEdit>
#include <QLocale>
#include <QProcess>

#include "guarded.h"

namespace zerda {

namespace {

Guarded<UrlOpener>& urlOpener() {
    static Guarded<UrlOpener> opener;
    return opener;
}

Guarded<ProgramStarter>& programStarter() {
    static Guarded<ProgramStarter> starter;
    return starter;
}

}  // namespace

void setProgramStarter(ProgramStarter starter) {
    programStarter().set(std::move(starter));
}

bool startDetachedProgram(const QString& program, const QStringList& arguments) {
    const ProgramStarter starter = programStarter().get();
    return starter ? starter(program, arguments) : QProcess::startDetached(program, arguments);
}

void setUrlOpener(UrlOpener opener) {
    urlOpener().set(std::move(opener));
}

bool openWithDesktop(const QUrl& url) {
    const UrlOpener opener = urlOpener().get();
    return opener ? opener(url) : QDesktopServices::openUrl(url);
}

void upperCaseEntry(QLineEdit* edit) {
    QObject::connect(edit, &QLineEdit::textEdited, edit, [edit](const QString& text) {
        const int at = edit->cursorPosition();
        edit->setText(QLocale(QLocale::Turkish).toUpper(text));
        edit->setCursorPosition(at);
    });
}

}  // namespace zerda
