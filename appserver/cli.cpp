#include "cli.h"

#include <pthread.h>
#include <signal.h>

#include <QElapsedTimer>
#include <QFile>
#include <QLocale>
#include <QTextStream>
#include <atomic>
#include <chrono>
#include <thread>

#include "database.h"
#include "demodata.h"
#include "errors.h"
#include "httpserver.h"
#include "methods.h"
#include "pricing.h"

namespace zerda::appserver {

namespace {

QTextStream& out() {
    static QTextStream stream(stdout);
    return stream;
}

QTextStream& err() {
    static QTextStream stream(stderr);
    return stream;
}

const char* kUsage =
    "Kullanım:\n"
    "  zerda-appserver --db DOSYA init-demo [--items N]\n"
    "  zerda-appserver --db DOSYA bind-workstation KIMLIK KULLANICI\n"
    "  zerda-appserver --db DOSYA users\n"
    "  zerda-appserver --db DOSYA outbox\n"
    "  zerda-appserver --db DOSYA orders [--last N]\n"
    "  zerda-appserver --db DOSYA set-version KULLANICI SURUM\n"
    "  zerda-appserver --db DOSYA set-installer DOSYA_YOLU\n"
    "  zerda-appserver --db DOSYA serve [--listen ADRES] [--port N]\n";

class UsageError : public Error {
public:
    using Error::Error;
};

struct CommandLine {
    QString database;
    QString command;
    QStringList positional;
    QHash<QString, QString> options;

    int number(const QString& option, int fallback, int low, int high) const {
        if (!options.contains(option))
            return fallback;
        bool ok = false;
        const int v = options.value(option).toInt(&ok);
        if (!ok || v < low || v > high)
            throw UsageError(QStringLiteral("%1 için %2 ile %3 arasında bir sayı verin")
                                 .arg(option)
                                 .arg(low)
                                 .arg(high));
        return v;
    }
};

CommandLine parse(const QStringList& arguments) {
    CommandLine line;
    static const QStringList valued = {QStringLiteral("--db"), QStringLiteral("--items"),
                                       QStringLiteral("--listen"), QStringLiteral("--port"),
                                       QStringLiteral("--last")};
    for (int i = 0; i < arguments.size(); ++i) {
        const QString& a = arguments.at(i);
        if (valued.contains(a)) {
            if (i + 1 >= arguments.size())
                throw UsageError(QStringLiteral("%1 bir değer ister").arg(a));
            line.options.insert(a, arguments.at(++i));
        } else if (a.startsWith(QStringLiteral("--"))) {
            throw UsageError(QStringLiteral("Bilinmeyen seçenek: %1").arg(a));
        } else if (line.command.isEmpty()) {
            line.command = a;
        } else {
            line.positional << a;
        }
    }
    line.database = line.options.value(QStringLiteral("--db"));
    if (line.database.isEmpty())
        throw UsageError(QStringLiteral("--db DOSYA gerekli"));
    if (line.command.isEmpty())
        throw UsageError(QStringLiteral("Bir komut verin"));
    return line;
}

void expectPositional(const CommandLine& line, int count) {
    if (line.positional.size() != count)
        throw UsageError(QStringLiteral("%1 komutu %2 değer ister, %3 verildi")
                             .arg(line.command)
                             .arg(count)
                             .arg(line.positional.size()));
}

int initDemo(const CommandLine& line) {
    expectPositional(line, 0);
    const int items = line.number(QStringLiteral("--items"), 20000, 1, 2000000);
    for (const QString& suffix : {QString(), QStringLiteral("-wal"), QStringLiteral("-shm")})
        if (QFile::exists(line.database + suffix) && !QFile::remove(line.database + suffix))
            throw Error(QStringLiteral("%1 silinemedi").arg(line.database + suffix));
    QElapsedTimer timer;
    timer.start();
    Database database(line.database);
    DemoOptions options;
    options.items = items;
    const DemoSummary s = createDemoData(database, options);
    out() << QStringLiteral("Örnek veritabanı hazır: %1 (%2 ms)\n")
                 .arg(line.database)
                 .arg(timer.elapsed())
          << QStringLiteral(
                 "  %1 stok (%2 resimli), %3 cari, %4 kullanıcı, %5 sipariş, %6 cari hareket\n")
                 .arg(s.items)
                 .arg(s.pictures)
                 .arg(s.accounts)
                 .arg(s.users)
                 .arg(s.orders)
                 .arg(s.movements)
          << QStringLiteral("Örnek kullanıcılar (ad / şifre / tip):\n");
    for (const DemoUser& u : fixedDemoUsers())
        out() << QStringLiteral("  %1 / %2 / %3 (%4)\n")
                     .arg(QLatin1String(u.name), QLatin1String(u.password))
                     .arg(u.customerType)
                     .arg(QString::fromUtf8(u.role));
    return 0;
}

int bindWorkstation(const CommandLine& line) {
    expectPositional(line, 2);
    const QString id = line.positional.at(0).trimmed();
    const QString user = line.positional.at(1).trimmed().toUpper();
    if (id.isEmpty() || id.contains(QLatin1Char(' ')))
        throw Error(QStringLiteral("İş istasyonu kimliği boş olamaz ve boşluk içeremez"));
    Database database(line.database);
    database.transaction([&](QSqlDatabase& db) {
        if (!scalar(db, QStringLiteral("SELECT 1 FROM kullanicilar WHERE adi = ?"), {user})
                 .isValid())
            throw Error(QStringLiteral("%1 adında bir kullanıcı yok").arg(user));
        // A workstation belongs to one user: an earlier binding of it is released.
        Query(
            db,
            QStringLiteral(
                "UPDATE kullanicilar SET bilgisayarid = NULL WHERE bilgisayarid = ? AND adi <> ?"))
            .bind(id)
            .bind(user)
            .exec();
        Query(db, QStringLiteral("UPDATE kullanicilar SET bilgisayarid = ? WHERE adi = ?"))
            .bind(id)
            .bind(user)
            .exec();
    });
    out() << QStringLiteral("%1 iş istasyonu %2 kullanıcısına bağlandı\n").arg(id, user);
    return 0;
}

int listUsers(const CommandLine& line) {
    expectPositional(line, 0);
    Database database(line.database);
    Query q(
        database.connection(),
        QStringLiteral(
            "SELECT k.adi, k.musteritipi, COALESCE(c.carikod, '-'), COALESCE(k.bilgisayarid, '-'), "
            "k.surum, k.aktif "
            "FROM kullanicilar k LEFT JOIN cariler c ON c.carino = k.carino ORDER BY k.sirano"));
    q.exec();
    out() << QStringLiteral("%1 %2 %3 %4 %5 %6\n")
                 .arg(QStringLiteral("KULLANICI"), -12)
                 .arg(QStringLiteral("TİP"), -4)
                 .arg(QStringLiteral("CARİ"), -12)
                 .arg(QStringLiteral("İŞ İSTASYONU"), -24)
                 .arg(QStringLiteral("SÜRÜM"), -6)
                 .arg(QStringLiteral("ETKİN"));
    while (q.next())
        out() << QStringLiteral("%1 %2 %3 %4 %5 %6\n")
                     .arg(q.value(0).toString(), -12)
                     .arg(q.value(1).toInt(), -4)
                     .arg(q.value(2).toString(), -12)
                     .arg(q.value(3).toString(), -24)
                     .arg(q.value(4).toInt(), -6)
                     .arg(q.value(5).toInt() == 1 ? QStringLiteral("evet")
                                                  : QStringLiteral("hayır"));
    return 0;
}

int listOutbox(const CommandLine& line) {
    expectPositional(line, 0);
    Database database(line.database);
    Query q(
        database.connection(),
        QStringLiteral(
            "SELECT id, zaman, yontem, idsi, baslik, konu, icerik FROM giden_kutusu ORDER BY id"));
    q.exec();
    int n = 0;
    while (q.next()) {
        ++n;
        out() << QStringLiteral("#%1 %2 %3 iş istasyonu=%4\n  Başlık: %5\n")
                     .arg(q.value(0).toInt())
                     .arg(q.value(1).toString(), q.value(2).toString(), q.value(3).toString(),
                          q.value(4).toString());
        if (!q.value(5).toString().isEmpty())
            out() << QStringLiteral("  Konu: %1\n").arg(q.value(5).toString());
        out() << QStringLiteral("  %1\n").arg(q.value(6).toString());
    }
    if (n == 0)
        out() << QStringLiteral("Giden kutusu boş\n");
    return 0;
}

// The latest orders with their choices, note and lines, newest first.
int listOrders(const CommandLine& line) {
    expectPositional(line, 0);
    const int last = line.number(QStringLiteral("--last"), 5, 1, 1000000);
    Database database(line.database);
    QSqlDatabase db = database.connection();
    Query orders(db,
                 QStringLiteral("SELECT o.siparisno, date(o.tarih + 2415018.5), o.saat, c.carikod, "
                                "c.cariadi, COALESCE(k.adi, ''), COALESCE(t.adi, ''), "
                                "COALESCE(g.adi, ''), COALESCE(f.adi, ''), o.aciklama, o.durum "
                                "FROM siparisler o JOIN cariler c ON c.carino = o.carino "
                                "LEFT JOIN kullanicilar k ON k.sirano = o.verenid "
                                "LEFT JOIN teslim_sekilleri t ON t.id = o.teslimid "
                                "LEFT JOIN kargo_cinsleri g ON g.id = o.kargoid "
                                "LEFT JOIN kargo_firmalari f ON f.id = o.kargofirmaid "
                                "ORDER BY o.siparisno DESC LIMIT ?"));
    orders.bind(last).exec();
    Query lines(db, QStringLiteral("SELECT s.barkod, s.adi, l.miktar, l.fiyat, l.ind1, l.ind2, "
                                   "l.ind3, l.ind4, l.kdv FROM siparis_satirlari l "
                                   "JOIN stoklar s ON s.stokno = l.stokno "
                                   "WHERE l.siparisno = ? ORDER BY l.id"));
    const QLocale turkish(QLocale::Turkish);
    int n = 0;
    while (orders.next()) {
        ++n;
        out() << QStringLiteral("#%1 %2 %3 %4 %5 veren=%6 durum=%7\n")
                     .arg(orders.value(0).toString(), orders.value(1).toString(),
                          orders.value(2).toString(), orders.value(3).toString(),
                          orders.value(4).toString(), orders.value(5).toString(),
                          orders.value(10).toString());
        out() << QStringLiteral("  Teslim: %1, Kargo: %2, Firma: %3\n")
                     .arg(orders.value(6).toString(), orders.value(7).toString(),
                          orders.value(8).toString());
        if (!orders.value(9).toString().isEmpty())
            out() << QStringLiteral("  Açıklama: %1\n").arg(orders.value(9).toString());
        lines.bind(orders.value(0)).exec();
        while (lines.next()) {
            DiscountRates rates;
            for (int i = 4; i < 8; ++i)
                rates << lines.value(i).toDouble();
            out() << QStringLiteral("  %1 %2: %3 x %4, indirim %5, KDV %%6\n")
                         .arg(lines.value(0).toString(), lines.value(1).toString(),
                              turkish.toString(lines.value(2).toDouble()),
                              turkish.toString(lines.value(3).toDouble(), 'f', 2),
                              discountText(rates), turkish.toString(lines.value(8).toDouble()));
        }
    }
    if (n == 0)
        out() << QStringLiteral("Sipariş yok\n");
    return 0;
}

int setVersion(const CommandLine& line) {
    expectPositional(line, 2);
    const QString user = line.positional.at(0).trimmed().toUpper();
    bool ok = false;
    const int version = line.positional.at(1).toInt(&ok);
    if (!ok || version < 1)
        throw UsageError(QStringLiteral("Sürüm 1 ya da daha büyük bir tam sayı olmalı"));
    Database database(line.database);
    database.transaction([&](QSqlDatabase& db) {
        if (!scalar(db, QStringLiteral("SELECT 1 FROM kullanicilar WHERE adi = ?"), {user})
                 .isValid())
            throw Error(QStringLiteral("%1 adında bir kullanıcı yok").arg(user));
        Query(db, QStringLiteral("UPDATE kullanicilar SET surum = ? WHERE adi = ?"))
            .bind(version)
            .bind(user)
            .exec();
    });
    out()
        << QStringLiteral("%1 kullanıcısının beklenen istemci sürümü: %2\n").arg(user).arg(version);
    return 0;
}

int setInstaller(const CommandLine& line) {
    expectPositional(line, 1);
    QFile file(line.positional.at(0));
    if (!file.open(QIODevice::ReadOnly))
        throw Error(QStringLiteral("%1 okunamadı: %2").arg(file.fileName(), file.errorString()));
    const QByteArray bytes = file.readAll();
    Database database(line.database);
    storeInstaller(database, bytes);
    out() << QStringLiteral("Kurulum dosyası yüklendi: %1 bayt\n").arg(bytes.size());
    return 0;
}

int serve(const CommandLine& line) {
    expectPositional(line, 0);
    const QString address =
        line.options.value(QStringLiteral("--listen"), QStringLiteral("127.0.0.1"));
    const int port = line.number(QStringLiteral("--port"), 9090, 0, 65535);

    // SIGTERM and SIGINT are taken by one thread that stops the server; every other thread,
    // the workers included, has them blocked.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGTERM);
    sigaddset(&stopSignals, SIGINT);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

    Database database(line.database);
    MethodTable methods;
    HttpServer server(database, methods);
    server.bind(address, port);
    // A stop asked for before the server has begun accepting would be lost: it is repeated until
    // the serving loop has ended.
    std::atomic<bool> finished{false};
    std::thread signalWaiter([&] {
        int signal = 0;
        sigwait(&stopSignals, &signal);
        while (!finished) {
            server.stop();
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
    });
    // The address is announced once calls are accepted.
    std::thread announcer([&] {
        while (!server.isRunning() && !finished)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        if (finished)
            return;
        out() << QStringLiteral(
                     "Zerda B2B uygulama sunucusu dinliyor: http://%1:%2/ (veritabanı %3)\n")
                     .arg(address)
                     .arg(server.port())
                     .arg(database.path());
        out().flush();
    });
    server.run();
    finished = true;
    // Wakes the signal thread if it is still waiting.
    pthread_kill(signalWaiter.native_handle(), SIGTERM);
    signalWaiter.join();
    announcer.join();
    out() << QStringLiteral("Sunucu durduruldu\n");
    return 0;
}

}  // namespace

int runCommandLine(const QStringList& arguments) {
    try {
        const CommandLine line = parse(arguments);
        if (line.command == QLatin1String("init-demo"))
            return initDemo(line);
        if (line.command == QLatin1String("bind-workstation"))
            return bindWorkstation(line);
        if (line.command == QLatin1String("users"))
            return listUsers(line);
        if (line.command == QLatin1String("outbox"))
            return listOutbox(line);
        if (line.command == QLatin1String("orders"))
            return listOrders(line);
        if (line.command == QLatin1String("serve"))
            return serve(line);
        if (line.command == QLatin1String("set-version"))
            return setVersion(line);
        if (line.command == QLatin1String("set-installer"))
            return setInstaller(line);
        throw UsageError(QStringLiteral("Bilinmeyen komut: %1").arg(line.command));
    } catch (const UsageError& e) {
        err() << e.message() << '\n' << kUsage;
        return 2;
    } catch (const Error& e) {
        err() << QStringLiteral("Hata: ") << e.message() << '\n';
        return 1;
    }
}

}  // namespace zerda::appserver
