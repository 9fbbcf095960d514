#include <QDialog>
#include <QTimer>
#include <QtTest>

#include "beklesin.h"
#include "errors.h"
#include "mesajgoster.h"

using namespace zerda;

class TestRunner : public QObject {
    Q_OBJECT
    QStringList m_reported;

private Q_SLOTS:
    void init() {
        m_reported.clear();
        setErrorReporter([this](const QString& m) { m_reported << m; });
    }
    void cleanup() { setErrorReporter({}); }

    void completionRunsOnTheStartingThreadAfterTheWork() {
        QThread* worker = nullptr;
        QThread* completion = nullptr;
        bool workDone = false;
        bool sawWorkDone = false;
        Async([&] {
            worker = QThread::currentThread();
            QThread::msleep(50);
            workDone = true;
        })->Await([&] {
            completion = QThread::currentThread();
            sawWorkDone = workDone;
        });
        QVERIFY(!completion);  // Await returns at once
        QTRY_VERIFY(completion);
        QVERIFY(worker != QThread::currentThread());
        QCOMPARE(completion, QThread::currentThread());
        QVERIFY(sawWorkDone);
    }

    void completionRunsInsideAModalLoop() {
        QDialog dialog;
        bool ran = false;
        QTimer::singleShot(0, [&] {
            Async([] { QThread::msleep(20); })->Await([&] {
                ran = true;
                dialog.accept();
            });
        });
        QTimer::singleShot(5000, &dialog, &QDialog::reject);  // a guard, not the way out
        QCOMPARE(dialog.exec(), int(QDialog::Accepted));
        QVERIFY(ran);
    }

    void escapingErrorIsReportedAndCompletionStillRuns() {
        bool completed = false;
        Async([] { throw Error(QStringLiteral("Sunucu yanıt vermedi")); })->Await([&] {
            completed = true;
        });
        QTRY_VERIFY(completed);
        QCOMPARE(m_reported, QStringList{QStringLiteral("Sunucu yanıt vermedi")});
    }

    void handOverWaitsForTheUserInterfaceThread() {
        std::atomic<bool> stepRan{false};
        bool ranBeforeReturn = false;
        QThread* stepThread = nullptr;
        bool finished = false;
        Async([&] {
            RunOnUiThread([&] {
                stepThread = QThread::currentThread();
                stepRan = true;
            });
            ranBeforeReturn = stepRan;
            RunOnUiThread([] { throw Error(QStringLiteral("adım hatası")); });
        })->Await([&] { finished = true; });
        QTRY_VERIFY(finished);
        QVERIFY(ranBeforeReturn);
        QCOMPARE(stepThread, QThread::currentThread());
        QCOMPARE(m_reported, QStringList{QStringLiteral("adım hatası")});
    }

    void severalTasksAtOnce() {
        // More tasks than processors, each waiting: none waits for another to end.
        std::atomic<int> running{0}, most{0};
        int done = 0;
        for (int i = 0; i < 6; ++i)
            Async([&] {
                const int now = ++running;
                int seen = most.load();
                while (now > seen && !most.compare_exchange_weak(seen, now)) {
                }
                QThread::msleep(200);
                --running;
            })->Await([&] { ++done; });
        QTRY_COMPARE(done, 6);
        QCOMPARE(most.load(), 6);
    }

    void processTerminationGoesThroughItsSeam() {
        int code = -1;
        setProcessTerminator([&](int c) { code = c; });
        terminateProcess(0);
        QCOMPARE(code, 0);
        setProcessTerminator({});
    }
};

QTEST_MAIN(TestRunner)
#include "tst_runner.moc"
