#include "beklesin.h"

#include <QCoreApplication>
#include <QMutex>
#include <QObject>
#include <QPointer>
#include <QThread>
#include <QThreadPool>
#include <QtDebug>
#include <cstdlib>

#include "errors.h"
#include "guarded.h"

namespace zerda {

namespace {

Guarded<ErrorReporter>& errorReporter() {
    static Guarded<ErrorReporter> reporter;
    return reporter;
}

Guarded<ProcessTerminator>& processTerminator() {
    static Guarded<ProcessTerminator> terminator;
    return terminator;
}

// The runner's own pool: waits on the server must not queue behind each other the way a pool
// sized by the processor count would make them.
QThreadPool& runnerPool() {
    static QThreadPool* pool = [] {
        auto* p = new QThreadPool;
        p->setMaxThreadCount(32);
        return p;
    }();
    return *pool;
}

QString messageOf(std::exception_ptr error) {
    try {
        std::rethrow_exception(error);
    } catch (const Error& e) {
        return e.message();
    } catch (const std::exception& e) {
        return QString::fromLocal8Bit(e.what());
    } catch (...) {
        return QStringLiteral("Beklenmeyen bir hata oluştu");
    }
}

}  // namespace

void setErrorReporter(ErrorReporter reporter) {
    errorReporter().set(std::move(reporter));
}

void reportError(const QString& message) {
    const ErrorReporter reporter = errorReporter().get();
    if (reporter)
        reporter(message);
    else
        qCritical().noquote() << message;
}

bool runReportingErrors(const std::function<void()>& f) {
    try {
        f();
        return true;
    } catch (...) {
        reportError(messageOf(std::current_exception()));
        return false;
    }
}

void setProcessTerminator(ProcessTerminator terminator) {
    processTerminator().set(std::move(terminator));
}

void terminateProcess(int exitCode) {
    const ProcessTerminator terminator = processTerminator().get();
    if (terminator) {
        terminator(exitCode);
        return;
    }
    std::_Exit(exitCode);
}

void TAwait::Await(std::function<void()> proc) {
    // The completion goes to an object of the starting thread, so it runs in that thread's loop
    // (the starting thread must run one: the user-interface thread does).
    auto* receiver = new QObject;
    std::function<void()> async = FAsync;
    runnerPool().start([async = std::move(async), proc = std::move(proc), receiver] {
        std::exception_ptr error;
        try {
            async();
        } catch (...) {
            error = std::current_exception();
        }
        QMetaObject::invokeMethod(
            receiver,
            [proc, error, receiver] {
                if (error)
                    reportError(messageOf(error));
                if (proc)
                    runReportingErrors(proc);
                receiver->deleteLater();
            },
            Qt::QueuedConnection);
    });
}

std::shared_ptr<IAwait> Async(std::function<void()> async) {
    return std::make_shared<TAwait>(std::move(async));
}

void RunOnUiThread(const std::function<void()>& step) {
    QCoreApplication* app = QCoreApplication::instance();
    if (!app || QThread::currentThread() == app->thread()) {
        runReportingErrors(step);
        return;
    }
    QMetaObject::invokeMethod(
        app, [&step] { runReportingErrors(step); }, Qt::BlockingQueuedConnection);
}

}  // namespace zerda
