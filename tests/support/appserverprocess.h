#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>

// The reference server as tests use it: a demo database in a temporary folder and a serving
// process on a free loopback port, stopped with SIGTERM.
class AppServerProcess {
public:
    explicit AppServerProcess(int items = 300);
    // On a database file of the caller's, which it keeps; made with the demo data when missing.
    AppServerProcess(const QString& databaseFile, int items);
    ~AppServerProcess();

    QString databasePath() const { return m_databasePath; }
    QString folder() const { return m_dir.path(); }
    bool ready() const { return m_ready; }

    // Runs a command of the server's command line on the database; returns its exit code.
    int command(const QStringList& arguments, QString* output = nullptr,
                QString* errors = nullptr) const;

    // Starts serving (port 0: a free one) and waits until the liveness call answers.
    bool start(int port = 0);
    // Stops with SIGTERM; returns the exit code (-1 when it had to be killed).
    int stop();
    int port() const { return m_port; }
    QString serverOutput() const { return m_output; }

    static QString executable();
    static int freePort();

private:
    QTemporaryDir m_dir;
    QString m_databasePath;
    std::unique_ptr<QProcess> m_process;
    int m_port = 0;
    bool m_ready = false;
    QString m_output;
};
