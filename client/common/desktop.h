#pragma once

#include <QStringList>
#include <QUrl>
#include <functional>

class QLineEdit;

namespace zerda {

// Opens an address or a file with the desktop's program for it; tests replace the opener.
using UrlOpener = std::function<bool(const QUrl&)>;
void setUrlOpener(UrlOpener opener);
bool openWithDesktop(const QUrl& url);

// Starts a program on its own, not waiting for it; tests replace the starter.
using ProgramStarter = std::function<bool(const QString& program, const QStringList& arguments)>;
void setProgramStarter(ProgramStarter starter);
bool startDetachedProgram(const QString& program, const QStringList& arguments);

// An entry that shows and takes what is typed in upper case (Turkish rules: i becomes İ).
void upperCaseEntry(QLineEdit* edit);

}  // namespace zerda
