#pragma once

#include <QApplication>

namespace zerda {

// The program's application object: no error crosses the event loop. Whatever an event handler
// raises is caught here and shown through the default error report, with its message text.
class Application : public QApplication {
    Q_OBJECT
public:
    Application(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;

    // Shows reported errors in a message box and connection messages with the program's message
    // box, both on the user-interface thread.
    static void installReporters();
};

}  // namespace zerda
