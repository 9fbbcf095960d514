// Session and identity: who is bound to a workstation, account details, requests and mails to
// the outbox, and the start-up counters.
#include <QDateTime>
#include <QJsonDocument>
#include <QJsonObject>

#include "methods.h"
#include "records.h"
#include "sqltable.h"

namespace zerda::appserver {

namespace {

// The client version this server expects; another one makes the client update itself.
constexpr int kExpectedClientVersion = 3;

TSonucBilgisi sessionFor(QSqlDatabase db, const QString& workstation) {
    TSonucBilgisi s;
    s.setBILGISAYARID(workstation);
    s.setVersion(kExpectedClientVersion);
    if (workstation.isEmpty())
        return s;
    Query q(db,
            QStringLiteral(
                "SELECT k.sirano, k.adi, k.sifre, k.mail, k.musteritipi, k.aktif, k.surum, "
                "       COALESCE(c.carino, 0), COALESCE(c.carikod, ''), COALESCE(c.cariadi, ''), "
                "       COALESCE(s.saticino, 0), COALESCE(s.adi, ''), COALESCE(s.telefon, ''), "
                "COALESCE(s.mail, '') "
                "FROM kullanicilar k "
                "LEFT JOIN cariler c ON c.carino = k.carino "
                "LEFT JOIN saticilar s ON s.saticino = CASE WHEN k.musteritipi IN (1, 2) THEN "
                "k.saticino "
                "                                           ELSE c.saticino END "
                "WHERE k.bilgisayarid = ?"));
    q.bind(workstation).exec();
    if (!q.next())
        return s;  // unknown workstation: Varmi stays false
    s.setSirano(q.value(0).toInt());
    s.setADI(q.value(1).toString());
    s.setSIFRE(q.value(2).toString());
    s.setKullanicimail(q.value(3).toString());
    s.setMusteriTipi(q.value(4).toInt());
    s.setAKTIF(q.value(5).toInt());
    s.setVersion(q.value(6).toInt());
    s.setCARINO(q.value(7).toInt());
    s.setcarikod(q.value(8).toString());
    s.setCariAdi(q.value(9).toString());
    s.setSaticiNo(q.value(10).toInt());
    s.setSaticiAdi(q.value(11).toString());
    s.setSaticiTelefon(q.value(12).toString());
    s.setSaticiMail(q.value(13).toString());
    s.setVarmi(true);
    return s;
}

TMobilCariBilgisi accountDetails(QSqlDatabase db, int sirano, const QString& workstation) {
    TMobilCariBilgisi a;
    a.setBILGISAYARID(workstation);
    if (sirano <= 0 && workstation.isEmpty())
        return a;
    Query q(db, QStringLiteral(
                    "SELECT k.adi, k.sifre, k.mail, k.bilgisayarid, c.carino, c.carikod, "
                    "c.cariadi, c.adres1, "
                    "       c.adres2, c.ilce, c.sehir, c.ulke, c.tel1, c.tel2, c.gsm, c.fax1, "
                    "c.fax2, c.email, "
                    "       c.vergidairesi, c.vergino, c.yetkili, c.anagrup, c.altgrup, c.ozelkod, "
                    "       s.adi, s.telefon, s.mail, "
                    "       (SELECT COALESCE(SUM(borc), 0) FROM cari_hareketler h WHERE h.carino = "
                    "c.carino), "
                    "       (SELECT COALESCE(SUM(alacak), 0) FROM cari_hareketler h WHERE h.carino "
                    "= c.carino) "
                    "FROM kullanicilar k "
                    "LEFT JOIN cariler c ON c.carino = k.carino "
                    "LEFT JOIN saticilar s ON s.saticino = CASE WHEN k.musteritipi IN (1, 2) THEN "
                    "k.saticino "
                    "                                           ELSE c.saticino END "
                    "WHERE (? > 0 AND k.sirano = ?) OR (? <= 0 AND k.bilgisayarid = ?)"));
    q.bind(sirano).bind(sirano).bind(sirano).bind(workstation).exec();
    if (!q.next())
        return a;
    int i = 0;
    auto text = [&] { return q.value(i++).toString(); };
    a.setKULLANICIADI(text());
    a.setSIFRE(text());
    a.setMAIL(text());
    a.setBILGISAYARID(text());
    a.setCARINO(q.value(i++).toInt());
    a.setCARIKOD(text());
    a.setCARIADI(text());
    a.setADRES1(text());
    a.setADRES2(text());
    a.setILCE(text());
    a.setSEHIR(text());
    a.setULKE(text());
    a.setTEL1(text());
    a.setTEL2(text());
    a.setGSM(text());
    a.setFAX1(text());
    a.setFAX2(text());
    a.setEMAIL(text());
    a.setVERGIDAIRESI(text());
    a.setVERGINO(text());
    a.setYETKILI(text());
    a.setAnaGrup(text());
    a.setAltGrup(text());
    a.setOzelKod(text());
    a.setSATICIADI(text());
    a.setSATICITELEFON(text());
    a.setSATICIMAIL(text());
    const double debit = q.value(i++).toDouble();
    const double credit = q.value(i++).toDouble();
    a.setTLBORC(debit);
    a.setTLALACAK(credit);
    a.setTLBAKIYE(std::round((debit - credit) * 100.0) / 100.0);
    return a;
}

// Puts a request or mail into the outbox, where the distributor's staff read it.
void toOutbox(Database& database, const MethodInfo& method, const Arguments& args,
              const QString& client) {
    QJsonObject content;
    int index = 0;
    for (const ParamInfo& p : method.params)
        content.insert(QLatin1String(p.name), args.text(index++));
    content.insert(QStringLiteral("_istemci"), client);
    database.transaction([&](QSqlDatabase& db) {
        Query(db,
              QStringLiteral("INSERT INTO giden_kutusu (zaman, yontem, idsi, baslik, konu, icerik) "
                             "VALUES (?, ?, ?, ?, ?, ?)"))
            .bind(QDateTime::currentDateTimeUtc().toString(Qt::ISODate))
            .bind(QLatin1String(method.name))
            .bind(args.text(0))
            .bind(args.text(1))
            .bind(content.value(QStringLiteral("konu")).toString())
            .bind(QString::fromUtf8(QJsonDocument(content).toJson(QJsonDocument::Compact)))
            .exec();
    });
}

int count(QSqlDatabase db, const QString& sql, const QVariantList& values = {}) {
    return scalar(db, sql, values).toInt();
}

}  // namespace

void addSessionMethods(MethodTable& table) {
    table.add("BuyukGetir", [](const Arguments& args, JsonWriter& reply, CallContext& context) {
        writeRecord(reply, std::optional(sessionFor(context.database.connection(), args.text(0))));
    });

    table.add("MobilCariBilgisiGetir",
              [](const Arguments& args, JsonWriter& reply, CallContext& context) {
                  writeRecord(reply, std::optional(accountDetails(context.database.connection(),
                                                                  args.integer(0), args.text(1))));
              });

    for (const char* name : {"MailGonserCari", "MailGonserCariNormal"}) {
        const MethodInfo* method = findServerMethod(QString::fromLatin1(name));
        table.add(name, [method](const Arguments& args, JsonWriter& reply, CallContext& context) {
            if (args.text(1).trimmed().isEmpty())
                throw CallError(
                    400, QStringLiteral("%1: başlık boş olamaz").arg(QLatin1String(method->name)));
            toOutbox(context.database, *method, args, context.clientAddress);
            reply.integer(1);
        });
    }

    table.add("BalonGetir", [](const Arguments& args, JsonWriter& reply, CallContext& context) {
        QSqlDatabase db = context.database.connection();
        const SessionUser user =
            authorizeSession(db, args.record<TSonucBilgisi>(0), QStringLiteral("BalonGetir"));
        DataTable counters;
        for (const auto& [name, type] : {std::pair{"SEPETSAYISI", DbxType::Int32},
                                         {"YENISAYISI", DbxType::Int32},
                                         {"KAMPANYASAYISI", DbxType::Int32},
                                         {"DUYURUSAYISI", DbxType::Int32},
                                         {"BAKIYESAYISI", DbxType::Double}}) {
            ColumnInfo info;
            info.name = QLatin1String(name);
            info.type = type;
            counters.addColumn(info);
        }
        counters.appendRow();
        counters.setValue(0, 0,
                          count(db, QStringLiteral("SELECT COUNT(*) FROM sepet WHERE carino = ?"),
                                {user.account}));
        counters.setValue(0, 1,
                          count(db, QStringLiteral("SELECT COUNT(*) FROM stoklar WHERE yeni = 1")));
        counters.setValue(
            0, 2, count(db, QStringLiteral("SELECT COUNT(*) FROM stoklar WHERE kampanyali = 1")));
        counters.setValue(0, 3, count(db, QStringLiteral("SELECT COUNT(*) FROM duyurular")));
        counters.setValue(
            0, 4,
            double(count(db,
                         QStringLiteral("SELECT COUNT(*) FROM siparis_satirlari l JOIN siparisler "
                                        "s ON s.siparisno = l.siparisno "
                                        "WHERE s.carino = ? AND l.miktar > l.teslim_edilen"),
                         {user.account})));
        counters.writeJson(reply);
    });
}

}  // namespace zerda::appserver
