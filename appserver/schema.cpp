#include "schema.h"

namespace zerda::appserver {

// Version 1: accounts, users bound to workstations, the catalogue, basket, orders, account
// movements with invoices and collections, announcements, adverts, banners, settings and the
// outbox of requests and mails.
static const QStringList kVersion1 = {
    QStringLiteral(R"(CREATE TABLE saticilar (
        saticino INTEGER PRIMARY KEY, adi TEXT NOT NULL, telefon TEXT NOT NULL DEFAULT '',
        mail TEXT NOT NULL DEFAULT ''))"),
    QStringLiteral(R"(CREATE TABLE cariler (
        carino INTEGER PRIMARY KEY, carikod TEXT NOT NULL UNIQUE, cariadi TEXT NOT NULL,
        adres1 TEXT NOT NULL DEFAULT '', adres2 TEXT NOT NULL DEFAULT '', ilce TEXT NOT NULL DEFAULT '',
        sehir TEXT NOT NULL DEFAULT '', ulke TEXT NOT NULL DEFAULT 'TÜRKİYE',
        tel1 TEXT NOT NULL DEFAULT '', tel2 TEXT NOT NULL DEFAULT '', gsm TEXT NOT NULL DEFAULT '',
        fax1 TEXT NOT NULL DEFAULT '', fax2 TEXT NOT NULL DEFAULT '', email TEXT NOT NULL DEFAULT '',
        vergidairesi TEXT NOT NULL DEFAULT '', vergino TEXT NOT NULL DEFAULT '',
        yetkili TEXT NOT NULL DEFAULT '', anagrup TEXT NOT NULL DEFAULT '',
        altgrup TEXT NOT NULL DEFAULT '', ozelkod TEXT NOT NULL DEFAULT '',
        saticino INTEGER REFERENCES saticilar(saticino),
        ind1 REAL NOT NULL DEFAULT 0, ind2 REAL NOT NULL DEFAULT 0, ind3 REAL NOT NULL DEFAULT 0,
        ind4 REAL NOT NULL DEFAULT 0, vade_gun INTEGER NOT NULL DEFAULT 30))"),
    QStringLiteral(R"(CREATE TABLE kullanicilar (
        sirano INTEGER PRIMARY KEY, adi TEXT NOT NULL UNIQUE, sifre TEXT NOT NULL,
        mail TEXT NOT NULL DEFAULT '', musteritipi INTEGER NOT NULL CHECK (musteritipi BETWEEN 1 AND 4),
        aktif INTEGER NOT NULL DEFAULT 1, carino INTEGER REFERENCES cariler(carino),
        saticino INTEGER REFERENCES saticilar(saticino), bilgisayarid TEXT UNIQUE,
        surum INTEGER NOT NULL DEFAULT 3))"),
    QStringLiteral(R"(CREATE TABLE stoklar (
        stokno INTEGER PRIMARY KEY, barkod TEXT NOT NULL, barkodno INTEGER NOT NULL DEFAULT 0,
        adi TEXT NOT NULL, finishkod TEXT NOT NULL DEFAULT '', ureticikodu TEXT NOT NULL DEFAULT '',
        oemno TEXT NOT NULL DEFAULT '', oem1 TEXT NOT NULL DEFAULT '', oem2 TEXT NOT NULL DEFAULT '',
        oem3 TEXT NOT NULL DEFAULT '', oem4 TEXT NOT NULL DEFAULT '', digeradi TEXT NOT NULL DEFAULT '',
        dpkod TEXT NOT NULL DEFAULT '', pkod TEXT NOT NULL DEFAULT '', marka TEXT NOT NULL DEFAULT '',
        model TEXT NOT NULL DEFAULT '', anagrup TEXT NOT NULL DEFAULT '', ozelkod TEXT NOT NULL DEFAULT '',
        birim TEXT NOT NULL DEFAULT 'ADET', kdv REAL NOT NULL DEFAULT 20,
        listefiyat REAL NOT NULL DEFAULT 0, kampfiyat REAL NOT NULL DEFAULT 0,
        yeni INTEGER NOT NULL DEFAULT 0, kampanyali INTEGER NOT NULL DEFAULT 0,
        durum INTEGER NOT NULL DEFAULT 1 CHECK (durum BETWEEN 0 AND 5),
        kalan REAL NOT NULL DEFAULT 0, alinansiparis REAL NOT NULL DEFAULT 0,
        verilensiparis REAL NOT NULL DEFAULT 0))"),
    QStringLiteral("CREATE INDEX stoklar_barkod ON stoklar(barkod)"),
    QStringLiteral(R"(CREATE TABLE stok_resimleri (
        stokno INTEGER PRIMARY KEY REFERENCES stoklar(stokno), resim BLOB NOT NULL))"),
    QStringLiteral("CREATE TABLE teslim_sekilleri (id INTEGER PRIMARY KEY, adi TEXT NOT NULL)"),
    QStringLiteral("CREATE TABLE kargo_cinsleri (id INTEGER PRIMARY KEY, adi TEXT NOT NULL)"),
    QStringLiteral(R"(CREATE TABLE kargo_firmalari (
        id INTEGER PRIMARY KEY, kargocinsi INTEGER NOT NULL REFERENCES kargo_cinsleri(id),
        adi TEXT NOT NULL))"),
    QStringLiteral(R"(CREATE TABLE sepet (
        sirano INTEGER PRIMARY KEY, carino INTEGER NOT NULL REFERENCES cariler(carino),
        stokno INTEGER NOT NULL REFERENCES stoklar(stokno), miktar REAL NOT NULL,
        fiyat REAL NOT NULL, kdv REAL NOT NULL, ind1 REAL NOT NULL DEFAULT 0,
        ind2 REAL NOT NULL DEFAULT 0, ind3 REAL NOT NULL DEFAULT 0, ind4 REAL NOT NULL DEFAULT 0,
        sec INTEGER NOT NULL DEFAULT 0, verenid INTEGER, kampanyali INTEGER NOT NULL DEFAULT 0,
        tarih REAL NOT NULL, saat TEXT NOT NULL DEFAULT ''))"),
    QStringLiteral("CREATE INDEX sepet_carino ON sepet(carino)"),
    QStringLiteral(R"(CREATE TABLE siparisler (
        siparisno INTEGER PRIMARY KEY, carino INTEGER NOT NULL REFERENCES cariler(carino),
        tarih REAL NOT NULL, saat TEXT NOT NULL DEFAULT '',
        teslimid INTEGER REFERENCES teslim_sekilleri(id), kargoid INTEGER REFERENCES kargo_cinsleri(id),
        kargofirmaid INTEGER REFERENCES kargo_firmalari(id), aciklama TEXT NOT NULL DEFAULT '',
        verenid INTEGER, durum INTEGER NOT NULL DEFAULT 0, bizim_mesaj TEXT NOT NULL DEFAULT '',
        satici_notu TEXT NOT NULL DEFAULT ''))"),
    QStringLiteral("CREATE INDEX siparisler_carino ON siparisler(carino)"),
    QStringLiteral(R"(CREATE TABLE siparis_satirlari (
        id INTEGER PRIMARY KEY, siparisno INTEGER NOT NULL REFERENCES siparisler(siparisno),
        stokno INTEGER NOT NULL REFERENCES stoklar(stokno), miktar REAL NOT NULL,
        teslim_edilen REAL NOT NULL DEFAULT 0, fiyat REAL NOT NULL, kdv REAL NOT NULL,
        ind1 REAL NOT NULL DEFAULT 0, ind2 REAL NOT NULL DEFAULT 0, ind3 REAL NOT NULL DEFAULT 0,
        ind4 REAL NOT NULL DEFAULT 0))"),
    QStringLiteral("CREATE INDEX siparis_satirlari_siparis ON siparis_satirlari(siparisno)"),
    QStringLiteral(R"(CREATE TABLE cari_hareketler (
        id INTEGER PRIMARY KEY, carino INTEGER NOT NULL REFERENCES cariler(carino),
        tarih REAL NOT NULL, vade REAL NOT NULL, belge_turu TEXT NOT NULL, belgeno TEXT NOT NULL,
        aciklama TEXT NOT NULL DEFAULT '', borc REAL NOT NULL DEFAULT 0,
        alacak REAL NOT NULL DEFAULT 0))"),
    QStringLiteral("CREATE INDEX cari_hareketler_carino ON cari_hareketler(carino, tarih)"),
    QStringLiteral(R"(CREATE TABLE faturalar (
        idno INTEGER PRIMARY KEY, carino INTEGER NOT NULL REFERENCES cariler(carino),
        hareket_id INTEGER NOT NULL REFERENCES cari_hareketler(id), tarih REAL NOT NULL,
        belgeno TEXT NOT NULL, ara_toplam REAL NOT NULL, iskonto_toplam REAL NOT NULL,
        kdv_toplam REAL NOT NULL, genel_toplam REAL NOT NULL))"),
    QStringLiteral(R"(CREATE TABLE fatura_satirlari (
        id INTEGER PRIMARY KEY, fatura_idno INTEGER NOT NULL REFERENCES faturalar(idno),
        stokno INTEGER NOT NULL REFERENCES stoklar(stokno), miktar REAL NOT NULL,
        fiyat REAL NOT NULL, kdv REAL NOT NULL, ind1 REAL NOT NULL DEFAULT 0,
        tutar REAL NOT NULL))"),
    QStringLiteral(R"(CREATE TABLE tahsilatlar (
        idno INTEGER PRIMARY KEY, carino INTEGER NOT NULL REFERENCES cariler(carino),
        hareket_id INTEGER NOT NULL REFERENCES cari_hareketler(id), tarih REAL NOT NULL,
        tur TEXT NOT NULL, tutar REAL NOT NULL, aciklama TEXT NOT NULL DEFAULT ''))"),
    QStringLiteral(R"(CREATE TABLE duyurular (
        sirano INTEGER PRIMARY KEY, sira INTEGER NOT NULL, baslik TEXT NOT NULL,
        resim BLOB NOT NULL, arama TEXT NOT NULL DEFAULT ''))"),
    QStringLiteral(R"(CREATE TABLE reklamlar (
        sirano INTEGER PRIMARY KEY, sira INTEGER NOT NULL, baslik TEXT NOT NULL,
        resim BLOB NOT NULL, arama TEXT NOT NULL DEFAULT ''))"),
    QStringLiteral(R"(CREATE TABLE bannerlar (
        no INTEGER PRIMARY KEY CHECK (no BETWEEN 1 AND 3), resim BLOB NOT NULL))"),
    QStringLiteral("CREATE TABLE ayarlar (anahtar TEXT PRIMARY KEY, deger TEXT NOT NULL)"),
    QStringLiteral(R"(CREATE TABLE giden_kutusu (
        id INTEGER PRIMARY KEY, zaman TEXT NOT NULL, yontem TEXT NOT NULL, idsi TEXT NOT NULL,
        baslik TEXT NOT NULL, konu TEXT NOT NULL DEFAULT '', icerik TEXT NOT NULL))"),
};

// Version 2: files the server hands out (the client's installer).
static const QStringList kVersion2 = {
    QStringLiteral(
        "CREATE TABLE dosyalar (ad TEXT PRIMARY KEY, icerik BLOB NOT NULL, zaman TEXT NOT NULL)"),
};

QString foldedSql(const QString& expression) {
    // Only ASCII letters are upper-cased by SQLite; the Turkish ones are replaced first.
    static const QList<std::pair<const char*, char>> letters = {
        {"ğ", 'G'}, {"Ğ", 'G'}, {"ü", 'U'}, {"Ü", 'U'}, {"ş", 'S'}, {"Ş", 'S'},
        {"ö", 'O'}, {"Ö", 'O'}, {"ç", 'C'}, {"Ç", 'C'}, {"ı", 'I'}, {"İ", 'I'}};
    QString sql = expression;
    for (const auto& [from, to] : letters)
        sql = QStringLiteral("replace(%1, '%2', '%3')")
                  .arg(sql, QString::fromUtf8(from), QString(QLatin1Char(to)));
    return QStringLiteral("upper(%1)").arg(sql);
}

QString compactSql(const QString& expression) {
    QString sql = expression;
    for (const char* separator : {" ", "-", ".", "/"})
        sql = QStringLiteral("replace(%1, '%2', '')").arg(sql, QLatin1String(separator));
    return sql;
}

QString stockSearchText(const QString& prefix) {
    auto column = [&](const char* name) { return prefix + QLatin1String(name); };
    QStringList words, codes;
    for (const char* name : {"barkod", "adi", "finishkod", "ureticikodu", "oemno", "oem1", "oem2",
                             "oem3", "oem4", "digeradi"})
        words << column(name);
    for (const char* name :
         {"barkod", "finishkod", "ureticikodu", "oemno", "oem1", "oem2", "oem3", "oem4"})
        codes << column(name);
    // The parts are kept apart by a unit separator, which no search word holds.
    const QString glue = QStringLiteral(" || char(31) || ");
    return foldedSql(words.join(glue) + glue + compactSql(codes.join(glue)));
}

QString compactStockCode(const QString& prefix) {
    return compactSql(foldedSql(prefix + QStringLiteral("barkod")));
}

// Version 3: the stock search index. Every item's codes and names, folded the way the client's
// search box folds what is typed (Turkish letters to their plain forms, upper case), then its
// codes once more without blanks, dashes, dots and slashes, in a trigram index that finds any
// part of three letters or more. Triggers keep it with the items. Codes of one or two letters
// are found by the start of the compact stock code, through an index on that expression.
// Version 4: a cargo company's warning, shown when a dealer chooses it.
static const QStringList kVersion4 = {
    QStringLiteral("ALTER TABLE kargo_firmalari ADD COLUMN uyari TEXT NOT NULL DEFAULT ''"),
};

static QStringList version3() {
    const QString searchText = stockSearchText(QStringLiteral("new."));
    return {
        QStringLiteral("CREATE VIRTUAL TABLE stok_arama USING fts5(metin, tokenize='trigram')"),
        QStringLiteral("INSERT INTO stok_arama (rowid, metin) SELECT stokno, %1 FROM stoklar")
            .arg(stockSearchText(QString())),
        QStringLiteral("CREATE TRIGGER stoklar_arama_ekle AFTER INSERT ON stoklar BEGIN "
                       "INSERT INTO stok_arama (rowid, metin) VALUES (new.stokno, %1); END")
            .arg(searchText),
        QStringLiteral("CREATE TRIGGER stoklar_arama_sil AFTER DELETE ON stoklar BEGIN "
                       "DELETE FROM stok_arama WHERE rowid = old.stokno; END"),
        QStringLiteral("CREATE TRIGGER stoklar_arama_degistir AFTER UPDATE ON stoklar BEGIN "
                       "DELETE FROM stok_arama WHERE rowid = old.stokno; "
                       "INSERT INTO stok_arama (rowid, metin) VALUES (new.stokno, %1); END")
            .arg(searchText),
        QStringLiteral("CREATE INDEX stoklar_kisa_kod ON stoklar(%1)")
            .arg(compactStockCode(QString())),
    };
}

const QList<QStringList>& schemaSteps() {
    static const QList<QStringList> steps = {kVersion1, kVersion2, version3(), kVersion4};
    return steps;
}

}  // namespace zerda::appserver
