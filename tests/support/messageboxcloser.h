#pragma once

#include <QApplication>
#include <QMessageBox>
#include <QTimer>

// Message boxes no answer was set for are closed as they open, with their default answer.
inline void closeMessageBoxesAsTheyOpen(QObject* owner) {
    auto* closer = new QTimer(owner);
    QObject::connect(closer, &QTimer::timeout, [] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
            box->accept();
    });
    closer->start(20);
}
