#include "appserverprocess.h"

#include <sys/prctl.h>

#include <QElapsedTimer>
#include <QFile>
#include <QRegularExpression>
#include <QTcpServer>
#include <QThread>
#include <QtTest>
#include <csignal>

AppServerProcess::AppServerProcess(int items)
    : m_databasePath(m_dir.filePath(QStringLiteral("test.db"))) {
    m_ready = m_dir.isValid() && command({QStringLiteral("init-demo"), QStringLiteral("--items"),
                                          QString::number(items)}) == 0;
}

AppServerProcess::AppServerProcess(const QString& databaseFile, int items)
    : m_databasePath(databaseFile) {
    m_ready = QFile::exists(databaseFile) ||
              command({QStringLiteral("init-demo"), QStringLiteral("--items"),
                       QString::number(items)}) == 0;
}

AppServerProcess::~AppServerProcess() {
    stop();
}

QString AppServerProcess::executable() {
    return QStringLiteral(ZERDA_APPSERVER_PATH);
}

int AppServerProcess::freePort() {
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort();
}

int AppServerProcess::command(const QStringList& arguments, QString* output,
                              QString* errors) const {
    QProcess p;
    p.start(executable(), QStringList{QStringLiteral("--db"), databasePath()} + arguments);
    if (!p.waitForFinished(120000)) {
        p.kill();
        return -1;
    }
    if (output)
        *output = QString::fromUtf8(p.readAllStandardOutput());
    if (errors)
        *errors = QString::fromUtf8(p.readAllStandardError());
    return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
}

bool AppServerProcess::start(int port) {
    m_process = std::make_unique<QProcess>();
    m_process->setProcessChannelMode(QProcess::MergedChannels);
    // A test that dies must not leave its server running.
    m_process->setChildProcessModifier([] { prctl(PR_SET_PDEATHSIG, SIGTERM); });
    m_process->start(executable(), {QStringLiteral("--db"), databasePath(), QStringLiteral("serve"),
                                    QStringLiteral("--port"), QString::number(port)});
    if (!m_process->waitForStarted(10000))
        return false;
    // The server names its port in its first line once it accepts calls.
    static const QRegularExpression listening(QStringLiteral("http://[^:]+:(\\d+)/"));
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < 15000) {
        m_process->waitForReadyRead(200);
        m_output += QString::fromUtf8(m_process->readAll());
        const auto match = listening.match(m_output);
        if (match.hasMatch()) {
            m_port = match.captured(1).toInt();
            return true;
        }
        if (m_process->state() == QProcess::NotRunning)
            return false;
    }
    return false;
}

int AppServerProcess::stop() {
    if (!m_process || m_process->state() == QProcess::NotRunning)
        return m_process ? m_process->exitCode() : 0;
    m_process->terminate();
    int code = -1;
    if (m_process->waitForFinished(10000)) {
        code = m_process->exitStatus() == QProcess::NormalExit ? m_process->exitCode() : -1;
    } else {
        m_process->kill();
        m_process->waitForFinished(5000);
    }
    m_output += QString::fromUtf8(m_process->readAll());
    return code;
}
