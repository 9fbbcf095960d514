#pragma once

#include <QLabel>
#include <QMainWindow>
#include <memory>

#include "connection.h"
#include "records.h"

namespace zerda {

// The program's main window. It owns the main connection and the session record for the life of
// the process.
class TForm1 : public QMainWindow {
    Q_OBJECT
public:
    explicit TForm1(QWidget* parent = nullptr);

    Connection& bagc() { return *m_bagc; }
    TSonucBilgisi& sbilgi() { return m_sbilgi; }

    // Asks the server, on a worker thread, who is bound to this workstation, and shows it.
    void SunucuyaSor();

Q_SIGNALS:
    void sessionShown();

private:
    void FormCreate();
    void showAnswer(const QString& text);

    std::unique_ptr<Connection> m_bagc;
    TSonucBilgisi m_sbilgi;
    QLabel* m_status = nullptr;
};

}  // namespace zerda
