#pragma once

#include <QString>
#include <functional>
#include <memory>

namespace zerda {

// Background tasks: Async(work)->Await(done) runs work on a worker thread and then done on the
// thread that started it, through that thread's event loop (a modal dialog's loop serves too).
// An error that escapes work is shown through the default error report, and done still runs, so
// no window stays disabled.
class IAwait {
public:
    virtual ~IAwait() = default;
    virtual void Await(std::function<void()> proc) = 0;
};

class TAwait : public IAwait {
public:
    explicit TAwait(std::function<void()> async) : FAsync(std::move(async)) {}
    void Await(std::function<void()> proc) override;

private:
    std::function<void()> FAsync;
};

std::shared_ptr<IAwait> Async(std::function<void()> async);

// Runs a step on the user-interface thread and waits until it has run there (at once when called
// on that thread). An error the step raises is shown through the default error report.
void RunOnUiThread(const std::function<void()>& step);

// The one default error report: every error that no handler catches ends here with its text. The
// window layer installs a reporter that shows a message box; without one the text is logged.
using ErrorReporter = std::function<void(const QString& message)>;
void setErrorReporter(ErrorReporter reporter);
void reportError(const QString& message);
// Runs f and reports what it raises; returns whether it ran through.
bool runReportingErrors(const std::function<void()>& f);

// Ends the process at once with the exit code: nothing is saved, no further handler runs. Tests
// replace the terminator.
using ProcessTerminator = std::function<void(int exitCode)>;
void setProcessTerminator(ProcessTerminator terminator);
void terminateProcess(int exitCode);

}  // namespace zerda
