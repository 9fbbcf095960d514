// Stock searches against a 200,000-item demo catalogue through the reference server on loopback:
// the server's answer time per search (request to last byte, no decoding), and the whole path in
// the program, from Enter in the search box to the filled and painted grid.
//
//   bench_stock_search [database file] [items]
//
// The database is made with the demo data when the file is missing (about 40 s for 200,000
// items) and kept for the next run.
#include <httplib.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QTextStream>
#include <algorithm>
#include <vector>

#include "appserverprocess.h"
#include "grid.h"
#include "identity.h"
#include "mainwindow.h"
#include "proxim.h"
#include "settings.h"
#include "stoklistesi.h"
#include "wire.h"

using namespace zerda;

namespace {

QTextStream& out() {
    static QTextStream stream(stdout);
    return stream;
}

struct Figures {
    double median = 0, worst = 0;
};

Figures figures(std::vector<double> ms) {
    std::sort(ms.begin(), ms.end());
    return {ms[ms.size() / 2], ms.back()};
}

constexpr int kRepeats = 15;

}  // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    const QString database =
        args.value(1, QCoreApplication::applicationDirPath() + QStringLiteral("/katalog.db"));
    const int items = args.value(2, QStringLiteral("200000")).toInt();

    out() << "database " << database << " (" << items << " items when made)\n";
    out().flush();
    AppServerProcess server(database, items);
    if (!server.ready() ||
        server.command({QStringLiteral("bind-workstation"), QStringLiteral("BENCH-WS"),
                        QStringLiteral("DEMO")}) != 0 ||
        !server.start()) {
        out() << "the server could not be started\n";
        return 1;
    }
    IdentitySources sources = defaultIdentitySources();
    sources.root = QStringLiteral(ZERDA_FIXTURES "/identity/serial-with-blanks");
    setIdentitySources(sources);
    Settings::override(Setting::B2BPort, QString::number(server.port()));

    Connection connection;
    connection.setParam(QStringLiteral("HostName"), QStringLiteral("127.0.0.1"));
    connection.setParam(QStringLiteral("Port"), QString::number(server.port()));
    connection.Open();
    const TSonucBilgisi session =
        *TServerMethods1Client(connection).BuyukGetir(QStringLiteral("BENCH-WS"));
    connection.Close();

    TForm1 window;
    window.sbilgi().Kopyala(session);
    window.resize(1300, 800);
    window.show();
    auto* search = window.findChild<QLineEdit*>(QStringLiteral("araedit"));
    auto* view = window.findChild<TcxGridView*>(QStringLiteral("cxGrid1DBTableView1"));

    httplib::Client raw("127.0.0.1", server.port());
    raw.set_keep_alive(true);
    raw.set_tcp_nodelay(true);

    out() << "text                 rows   server median/worst ms   whole path median/worst ms\n";
    for (const char* text : {"ZR1000", "FREN DISKI FORD", "ARKA FORD", "BALATA RENAULT",
                             "FILTRE FIAT", "FREN FORD", "CLIO"}) {
        // The server: the request as the program sends it, until the last byte has arrived.
        RequestWriter request;
        request.string(QString::fromUtf8(text));
        TSonucBilgisi copy;
        copy.Kopyala(session);
        request.record(std::optional(copy));
        const QByteArray body = request.finish();
        const std::string path = methodPath(connection.param(QStringLiteral("DatasnapContext")),
                                            QStringLiteral("StokAraGetir"))
                                     .toStdString();
        std::vector<double> serverMs, wholeMs;
        qsizetype rows = 0;
        for (int i = 0; i < kRepeats; ++i) {
            QElapsedTimer t;
            t.start();
            auto reply = raw.Post(path, body.constData(), size_t(body.size()), "application/json");
            serverMs.push_back(t.nsecsElapsed() / 1e6);
            if (!reply || reply->status != 200) {
                out() << "the search failed\n";
                return 1;
            }
        }
        // The whole path: Enter, the background search, the rows applied, the grid painted.
        for (int i = 0; i < kRepeats; ++i) {
            search->setText(QString::fromUtf8(text));
            QSignalSpy finished(window.stokListesi(), &StokListesi::searchFinished);
            QElapsedTimer t;
            t.start();
            QTest::keyClick(search, Qt::Key_Return);
            if (!finished.wait(30000) || finished.last().at(0).toBool()) {
                out() << "the search in the window failed\n";
                return 1;
            }
            view->viewport()->repaint();
            wholeMs.push_back(t.nsecsElapsed() / 1e6);
            rows = window.stok.RecordCount();
        }
        const Figures s = figures(serverMs), w = figures(wholeMs);
        out() << QString::fromUtf8(text).leftJustified(20)
              << QString::number(rows).rightJustified(6)
              << QString::asprintf("   %8.1f / %-8.1f          %8.1f / %-8.1f\n", s.median, s.worst,
                                   w.median, w.worst);
        out().flush();
    }
    return 0;
}
