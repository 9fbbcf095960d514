#include "demodata.h"

#include <QDate>
#include <QDateTime>
#include <QJsonArray>
#include <QVariant>
#include <cmath>

#include "database.h"
#include "pictures.h"
#include "tdate.h"

namespace zerda::appserver {

namespace {

// SplitMix64: small, fast and the same on every platform, so a seed always makes the same data.
class Random {
public:
    explicit Random(quint64 seed) : m_state(seed) {}
    quint64 next() {
        quint64 z = (m_state += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }
    int between(int low, int high) { return low + int(next() % quint64(high - low + 1)); }
    double real(double low, double high) {
        return low + (high - low) * double(next() >> 11) / double(1ULL << 53);
    }
    bool chance(double p) { return real(0, 1) < p; }
    template <class T>
    const T& pick(const QList<T>& list) {
        return list.at(between(0, int(list.size()) - 1));
    }
    QString digits(int count) {
        QString s;
        for (int i = 0; i < count; ++i)
            s += QChar(u'0' + between(0, 9));
        return s;
    }

private:
    quint64 m_state;
};

double money(double v) {
    return std::round(v * 100.0) / 100.0;
}

// The demo's "today": fixed, so that the same seed gives the same dates.
const QDate kToday(2026, 11, 30);

struct PartType {
    QString name;
    QString group;
    double basePrice;
    QString unit;
};

const QList<PartType>& partTypes() {
    static const QList<PartType> types = {
        {QStringLiteral("FREN BALATASI ÖN"), QStringLiteral("FREN SİSTEMİ"), 850,
         QStringLiteral("TAKIM")},
        {QStringLiteral("FREN BALATASI ARKA"), QStringLiteral("FREN SİSTEMİ"), 720,
         QStringLiteral("TAKIM")},
        {QStringLiteral("FREN DİSKİ ÖN"), QStringLiteral("FREN SİSTEMİ"), 1350,
         QStringLiteral("ADET")},
        {QStringLiteral("FREN KAMPANASI"), QStringLiteral("FREN SİSTEMİ"), 980,
         QStringLiteral("ADET")},
        {QStringLiteral("FREN MERKEZİ"), QStringLiteral("FREN SİSTEMİ"), 1900,
         QStringLiteral("ADET")},
        {QStringLiteral("YAĞ FİLTRESİ"), QStringLiteral("FİLTRE"), 180, QStringLiteral("ADET")},
        {QStringLiteral("HAVA FİLTRESİ"), QStringLiteral("FİLTRE"), 260, QStringLiteral("ADET")},
        {QStringLiteral("POLEN FİLTRESİ"), QStringLiteral("FİLTRE"), 210, QStringLiteral("ADET")},
        {QStringLiteral("YAKIT FİLTRESİ"), QStringLiteral("FİLTRE"), 340, QStringLiteral("ADET")},
        {QStringLiteral("AMORTİSÖR ÖN SOL"), QStringLiteral("SÜSPANSİYON"), 2400,
         QStringLiteral("ADET")},
        {QStringLiteral("AMORTİSÖR ÖN SAĞ"), QStringLiteral("SÜSPANSİYON"), 2400,
         QStringLiteral("ADET")},
        {QStringLiteral("AMORTİSÖR ARKA"), QStringLiteral("SÜSPANSİYON"), 1800,
         QStringLiteral("ADET")},
        {QStringLiteral("ROT BAŞI"), QStringLiteral("SÜSPANSİYON"), 420, QStringLiteral("ADET")},
        {QStringLiteral("ROT MİLİ"), QStringLiteral("SÜSPANSİYON"), 560, QStringLiteral("ADET")},
        {QStringLiteral("SALINCAK ALT SOL"), QStringLiteral("SÜSPANSİYON"), 1450,
         QStringLiteral("ADET")},
        {QStringLiteral("ROTİL"), QStringLiteral("SÜSPANSİYON"), 390, QStringLiteral("ADET")},
        {QStringLiteral("DEBRİYAJ SETİ"), QStringLiteral("ŞANZIMAN"), 4200, QStringLiteral("SET")},
        {QStringLiteral("DEBRİYAJ BASKI RULMANI"), QStringLiteral("ŞANZIMAN"), 760,
         QStringLiteral("ADET")},
        {QStringLiteral("VİTES HALATI"), QStringLiteral("ŞANZIMAN"), 890, QStringLiteral("ADET")},
        {QStringLiteral("TRİGER SETİ"), QStringLiteral("MOTOR"), 2600, QStringLiteral("SET")},
        {QStringLiteral("TRİGER KAYIŞI"), QStringLiteral("MOTOR"), 640, QStringLiteral("ADET")},
        {QStringLiteral("SU POMPASI"), QStringLiteral("SOĞUTMA"), 1150, QStringLiteral("ADET")},
        {QStringLiteral("TERMOSTAT"), QStringLiteral("SOĞUTMA"), 380, QStringLiteral("ADET")},
        {QStringLiteral("RADYATÖR"), QStringLiteral("SOĞUTMA"), 3100, QStringLiteral("ADET")},
        {QStringLiteral("FAN MOTORU"), QStringLiteral("SOĞUTMA"), 2250, QStringLiteral("ADET")},
        {QStringLiteral("SİLİNDİR KAPAK CONTASI"), QStringLiteral("MOTOR"), 690,
         QStringLiteral("ADET")},
        {QStringLiteral("MOTOR TAKOZU"), QStringLiteral("MOTOR"), 820, QStringLiteral("ADET")},
        {QStringLiteral("BUJİ"), QStringLiteral("ATEŞLEME"), 150, QStringLiteral("ADET")},
        {QStringLiteral("ATEŞLEME BOBİNİ"), QStringLiteral("ATEŞLEME"), 1250,
         QStringLiteral("ADET")},
        {QStringLiteral("KIZDIRMA BUJİSİ"), QStringLiteral("ATEŞLEME"), 310,
         QStringLiteral("ADET")},
        {QStringLiteral("MARŞ MOTORU"), QStringLiteral("ELEKTRİK"), 4800, QStringLiteral("ADET")},
        {QStringLiteral("ŞARJ DİNAMOSU"), QStringLiteral("ELEKTRİK"), 5600, QStringLiteral("ADET")},
        {QStringLiteral("CAM KRİKO MOTORU"), QStringLiteral("ELEKTRİK"), 1350,
         QStringLiteral("ADET")},
        {QStringLiteral("FAR SOL"), QStringLiteral("AYDINLATMA"), 3900, QStringLiteral("ADET")},
        {QStringLiteral("FAR SAĞ"), QStringLiteral("AYDINLATMA"), 3900, QStringLiteral("ADET")},
        {QStringLiteral("STOP LAMBASI SOL"), QStringLiteral("AYDINLATMA"), 1450,
         QStringLiteral("ADET")},
        {QStringLiteral("SİS FARI"), QStringLiteral("AYDINLATMA"), 980, QStringLiteral("ADET")},
        {QStringLiteral("ÖN TAMPON"), QStringLiteral("KAPORTA"), 3400, QStringLiteral("ADET")},
        {QStringLiteral("YAN AYNA SOL"), QStringLiteral("KAPORTA"), 1650, QStringLiteral("ADET")},
        {QStringLiteral("SİLECEK SÜPÜRGESİ"), QStringLiteral("AKSESUAR"), 240,
         QStringLiteral("TAKIM")},
        {QStringLiteral("MOTOR YAĞI 5W-30 4 LT"), QStringLiteral("YAĞ VE KİMYASAL"), 1650,
         QStringLiteral("ADET")},
        {QStringLiteral("ANTİFRİZ 3 LT"), QStringLiteral("YAĞ VE KİMYASAL"), 420,
         QStringLiteral("ADET")},
        {QStringLiteral("V KAYIŞI"), QStringLiteral("MOTOR"), 290, QStringLiteral("ADET")},
        {QStringLiteral("EGZOZ SUSTURUCU"), QStringLiteral("EGZOZ"), 1750, QStringLiteral("ADET")},
        {QStringLiteral("TEKER RULMANI ÖN"), QStringLiteral("SÜSPANSİYON"), 960,
         QStringLiteral("ADET")},
        {QStringLiteral("AKS KÖRÜĞÜ"), QStringLiteral("ŞANZIMAN"), 230, QStringLiteral("ADET")},
    };
    return types;
}

struct Vehicle {
    QString make;
    QStringList models;
    double priceFactor;
};

const QList<Vehicle>& vehicles() {
    static const QList<Vehicle> list = {
        {QStringLiteral("FIAT"),
         {QStringLiteral("DOBLO 1.3 MJET"), QStringLiteral("EGEA 1.4"),
          QStringLiteral("LINEA 1.6 MJET"), QStringLiteral("PUNTO 1.2")},
         0.9},
        {QStringLiteral("RENAULT"),
         {QStringLiteral("CLIO IV 1.5 DCI"), QStringLiteral("MEGANE III 1.5 DCI"),
          QStringLiteral("FLUENCE 1.6"), QStringLiteral("KANGOO 1.5 DCI")},
         0.95},
        {QStringLiteral("FORD"),
         {QStringLiteral("FOCUS II 1.6 TDCI"), QStringLiteral("FIESTA 1.4"),
          QStringLiteral("TRANSIT CONNECT 1.8"), QStringLiteral("COURIER 1.5")},
         1.0},
        {QStringLiteral("VOLKSWAGEN"),
         {QStringLiteral("PASSAT B7 1.6 TDI"), QStringLiteral("GOLF VII 1.4 TSI"),
          QStringLiteral("CADDY 2.0 TDI"), QStringLiteral("POLO 1.2")},
         1.15},
        {QStringLiteral("OPEL"),
         {QStringLiteral("ASTRA J 1.6"), QStringLiteral("CORSA D 1.3 CDTI"),
          QStringLiteral("INSIGNIA 2.0 CDTI")},
         1.05},
        {QStringLiteral("TOYOTA"),
         {QStringLiteral("COROLLA 1.6"), QStringLiteral("YARIS 1.33"),
          QStringLiteral("AURIS 1.4 D4D")},
         1.1},
        {QStringLiteral("HYUNDAI"),
         {QStringLiteral("I20 1.4"), QStringLiteral("ACCENT BLUE 1.6 CRDI"),
          QStringLiteral("TUCSON 2.0")},
         1.0},
        {QStringLiteral("PEUGEOT"),
         {QStringLiteral("301 1.6 HDI"), QStringLiteral("PARTNER 1.6 HDI"),
          QStringLiteral("308 1.6")},
         1.0},
        {QStringLiteral("CITROEN"),
         {QStringLiteral("BERLINGO 1.6 HDI"), QStringLiteral("C-ELYSEE 1.6"),
          QStringLiteral("C4 1.6 HDI")},
         1.0},
        {QStringLiteral("DACIA"),
         {QStringLiteral("DUSTER 1.5 DCI"), QStringLiteral("SANDERO 1.0"),
          QStringLiteral("LOGAN 1.5 DCI")},
         0.85},
        {QStringLiteral("HONDA"),
         {QStringLiteral("CIVIC 1.6"), QStringLiteral("CITY 1.5"), QStringLiteral("JAZZ 1.4")},
         1.1},
        {QStringLiteral("MERCEDES"),
         {QStringLiteral("SPRINTER 313 CDI"), QStringLiteral("VITO 111 CDI"),
          QStringLiteral("C180")},
         1.5},
    };
    return list;
}

const QStringList kProducers = {QStringLiteral("ANKA"),   QStringLiteral("TOROS"),
                                QStringLiteral("KARTAL"), QStringLiteral("YILDIZ"),
                                QStringLiteral("MERCAN"), QStringLiteral("ÇINAR"),
                                QStringLiteral("EGE"),    QStringLiteral("ATLAS"),
                                QStringLiteral("BORA"),   QStringLiteral("ZERDA")};

struct City {
    QString name;
    QStringList districts;
    QString areaCode;
};

const QList<City>& cities() {
    static const QList<City> list = {
        {QStringLiteral("İSTANBUL"),
         {QStringLiteral("İKİTELLİ"), QStringLiteral("MASLAK"), QStringLiteral("KARTAL"),
          QStringLiteral("BAYRAMPAŞA")},
         QStringLiteral("212")},
        {QStringLiteral("ANKARA"),
         {QStringLiteral("OSTİM"), QStringLiteral("SİTELER"), QStringLiteral("ETİMESGUT")},
         QStringLiteral("312")},
        {QStringLiteral("İZMİR"),
         {QStringLiteral("BORNOVA"), QStringLiteral("KARŞIYAKA"), QStringLiteral("GAZİEMİR")},
         QStringLiteral("232")},
        {QStringLiteral("BURSA"),
         {QStringLiteral("NİLÜFER"), QStringLiteral("OSMANGAZİ")},
         QStringLiteral("224")},
        {QStringLiteral("KONYA"),
         {QStringLiteral("KARATAY"), QStringLiteral("SELÇUKLU")},
         QStringLiteral("332")},
        {QStringLiteral("ADANA"),
         {QStringLiteral("SEYHAN"), QStringLiteral("YÜREĞİR")},
         QStringLiteral("322")},
        {QStringLiteral("ANTALYA"),
         {QStringLiteral("KEPEZ"), QStringLiteral("MURATPAŞA")},
         QStringLiteral("242")},
        {QStringLiteral("KAYSERİ"),
         {QStringLiteral("MELİKGAZİ"), QStringLiteral("KOCASİNAN")},
         QStringLiteral("352")},
        {QStringLiteral("GAZİANTEP"),
         {QStringLiteral("ŞEHİTKAMİL"), QStringLiteral("ŞAHİNBEY")},
         QStringLiteral("342")},
        {QStringLiteral("SAMSUN"),
         {QStringLiteral("İLKADIM"), QStringLiteral("ATAKUM")},
         QStringLiteral("362")},
        {QStringLiteral("TRABZON"),
         {QStringLiteral("ORTAHİSAR"), QStringLiteral("AKÇAABAT")},
         QStringLiteral("462")},
        {QStringLiteral("ESKİŞEHİR"),
         {QStringLiteral("ODUNPAZARI"), QStringLiteral("TEPEBAŞI")},
         QStringLiteral("222")},
    };
    return list;
}

const QStringList kSurnames = {
    QStringLiteral("YILMAZ"),  QStringLiteral("KAYA"),   QStringLiteral("DEMİR"),
    QStringLiteral("ŞAHİN"),   QStringLiteral("ÇELİK"),  QStringLiteral("AYDIN"),
    QStringLiteral("ÖZTÜRK"),  QStringLiteral("ARSLAN"), QStringLiteral("DOĞAN"),
    QStringLiteral("KILIÇ"),   QStringLiteral("ASLAN"),  QStringLiteral("ÇETİN"),
    QStringLiteral("KARA"),    QStringLiteral("KOÇ"),    QStringLiteral("KURT"),
    QStringLiteral("ÖZDEMİR"), QStringLiteral("ŞİMŞEK"), QStringLiteral("POLAT")};
const QStringList kFirstNames = {
    QStringLiteral("Mehmet"), QStringLiteral("Ahmet"), QStringLiteral("Mustafa"),
    QStringLiteral("Ayşe"),   QStringLiteral("Fatma"), QStringLiteral("Hasan"),
    QStringLiteral("Elif"),   QStringLiteral("Murat"), QStringLiteral("Zeynep"),
    QStringLiteral("Emre"),   QStringLiteral("Selin"), QStringLiteral("Burak")};
const QStringList kFirmWords = {QStringLiteral("OTO YEDEK PARÇA"), QStringLiteral("OTOMOTİV"),
                                QStringLiteral("OTO SANAYİ"),
                                QStringLiteral("YEDEK PARÇA VE SERVİS")};

QString phone(Random& r, const QString& area) {
    return QStringLiteral("0 (%1) %2 %3 %4").arg(area, r.digits(3), r.digits(2), r.digits(2));
}

void insertSalespeople(QSqlDatabase& db) {
    const QList<QStringList> people = {
        {QStringLiteral("Mehmet Yıldız"), QStringLiteral("0 (532) 410 21 01"),
         QStringLiteral("mehmet.yildiz@zerdaotomotiv.com.tr")},
        {QStringLiteral("Ayşe Korkmaz"), QStringLiteral("0 (533) 410 21 02"),
         QStringLiteral("ayse.korkmaz@zerdaotomotiv.com.tr")},
        {QStringLiteral("Hasan Erdem"), QStringLiteral("0 (535) 410 21 03"),
         QStringLiteral("hasan.erdem@zerdaotomotiv.com.tr")},
        {QStringLiteral("Elif Güneş"), QStringLiteral("0 (542) 410 21 04"),
         QStringLiteral("elif.gunes@zerdaotomotiv.com.tr")},
        {QStringLiteral("Murat Tekin"), QStringLiteral("0 (544) 410 21 05"),
         QStringLiteral("murat.tekin@zerdaotomotiv.com.tr")},
    };
    Query q(db, QStringLiteral(
                    "INSERT INTO saticilar (saticino, adi, telefon, mail) VALUES (?, ?, ?, ?)"));
    for (int i = 0; i < people.size(); ++i)
        q.bind(i + 1).bind(people[i][0]).bind(people[i][1]).bind(people[i][2]).exec();
}

int insertAccounts(QSqlDatabase& db, Random& r, int count) {
    Query q(db,
            QStringLiteral(
                "INSERT INTO cariler (carino, carikod, cariadi, adres1, adres2, ilce, sehir, tel1, "
                "tel2, gsm, "
                "fax1, email, vergidairesi, vergino, yetkili, anagrup, altgrup, ozelkod, saticino, "
                "ind1, ind2, "
                "ind3, ind4, vade_gun) VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)"));
    for (int carino = 1; carino <= count; ++carino) {
        const City& city = r.pick(cities());
        const QString district = r.pick(city.districts);
        const QString surname = r.pick(kSurnames);
        QString name;
        if (carino == 1)
            name = QStringLiteral("DEMO OTO YEDEK PARÇA TİC. LTD. ŞTİ.");
        else if (carino == 2)
            name = QStringLiteral("BAYİ DÖRT OTOMOTİV SAN. VE TİC. A.Ş.");
        else
            name =
                QStringLiteral("%1 %2 %3")
                    .arg(surname, r.pick(kFirmWords),
                         r.chance(0.5) ? QStringLiteral("LTD. ŞTİ.") : QStringLiteral("TİC. A.Ş."));
        static const QList<QList<double>> discounts = {{10, 5, 0, 0},  {15, 5, 2, 0},
                                                       {20, 0, 0, 0},  {12.5, 5, 3, 1},
                                                       {25, 10, 0, 0}, {5, 0, 0, 0}};
        const QList<double>& d = r.pick(discounts);
        const QString area = city.areaCode;
        q.bind(carino)
            .bind(QStringLiteral("120.%1.%2")
                      .arg(1 + carino / 1000, 2, 10, QLatin1Char('0'))
                      .arg(carino % 1000, 3, 10, QLatin1Char('0')))
            .bind(name)
            .bind(QStringLiteral("%1 SANAYİ SİTESİ %2. BLOK NO:%3")
                      .arg(district)
                      .arg(r.between(1, 30))
                      .arg(r.between(1, 120)))
            .bind(QStringLiteral("%1 CAD. %2. SOK.").arg(r.pick(kSurnames)).arg(r.between(1, 60)))
            .bind(district)
            .bind(city.name)
            .bind(phone(r, area))
            .bind(r.chance(0.5) ? phone(r, area) : QStringLiteral(""))
            .bind(QStringLiteral("0 (5%1) %2 %3 %4")
                      .arg(r.digits(2), r.digits(3), r.digits(2), r.digits(2)))
            .bind(phone(r, area))
            .bind(QStringLiteral("bilgi@cari%1.com.tr").arg(carino))
            .bind(QStringLiteral("%1 V.D.").arg(district))
            .bind(r.digits(10))
            .bind(QStringLiteral("%1 %2").arg(r.pick(kFirstNames), surname))
            .bind(r.chance(0.7) ? QStringLiteral("BAYİ") : QStringLiteral("SERVİS"))
            .bind(city.name)
            .bind(r.chance(0.2) ? QStringLiteral("ÖZEL") : QStringLiteral(""))
            .bind(1 + (carino - 1) % 5)
            .bind(d[0])
            .bind(d[1])
            .bind(d[2])
            .bind(d[3])
            .bind(r.pick(QList<int>{30, 45, 60, 90}))
            .exec();
    }
    return count;
}

int insertUsers(QSqlDatabase& db, Random& r, int accounts) {
    Query q(db, QStringLiteral("INSERT INTO kullanicilar (sirano, adi, sifre, mail, musteritipi, "
                               "aktif, carino, saticino, "
                               "bilgisayarid, surum) VALUES (?,?,?,?,?,?,?,?,?,3)"));
    int sirano = 1;
    q.bind(sirano++)
        .bind(QStringLiteral("DEMO"))
        .bind(QStringLiteral("1234"))
        .bind(QStringLiteral("demo@cari1.com.tr"))
        .bind(3)
        .bind(1)
        .bind(1)
        .bind(1)
        .bind(QVariant(QMetaType::fromType<QString>()))
        .exec();
    q.bind(sirano++)
        .bind(QStringLiteral("BAYI4"))
        .bind(QStringLiteral("1234"))
        .bind(QStringLiteral("bayi4@cari2.com.tr"))
        .bind(4)
        .bind(1)
        .bind(2)
        .bind(2)
        .bind(QVariant(QMetaType::fromType<QString>()))
        .exec();
    q.bind(sirano++)
        .bind(QStringLiteral("SATICI"))
        .bind(QStringLiteral("1234"))
        .bind(QStringLiteral("mehmet.yildiz@zerdaotomotiv.com.tr"))
        .bind(2)
        .bind(1)
        .bind(QVariant(QMetaType::fromType<int>()))
        .bind(1)
        .bind(QVariant(QMetaType::fromType<QString>()))
        .exec();
    q.bind(sirano++)
        .bind(QStringLiteral("TEMSILCI"))
        .bind(QStringLiteral("1234"))
        .bind(QStringLiteral("ayse.korkmaz@zerdaotomotiv.com.tr"))
        .bind(1)
        .bind(1)
        .bind(QVariant(QMetaType::fromType<int>()))
        .bind(2)
        .bind(QVariant(QMetaType::fromType<QString>()))
        .exec();
    // One user for each further account, bound to a workstation of its own.
    for (int carino = 3; carino <= accounts; ++carino) {
        q.bind(sirano++)
            .bind(QStringLiteral("BAYI%1").arg(carino, 3, 10, QLatin1Char('0')))
            .bind(r.digits(4))
            .bind(QStringLiteral("siparis@cari%1.com.tr").arg(carino))
            .bind(r.chance(0.2) ? 4 : 3)
            .bind(r.chance(0.95) ? 1 : 0)
            .bind(carino)
            .bind(1 + (carino - 1) % 5)
            .bind(QStringLiteral("WD-WCC%1").arg(r.digits(8)))
            .exec();
    }
    return sirano - 1;
}

Raster partPicture(Random& r, int width, int height) {
    Raster pic(width, height);
    const Rgb light{uint8_t(r.between(215, 250)), uint8_t(r.between(215, 250)),
                    uint8_t(r.between(225, 255))};
    pic.verticalGradient({255, 255, 255}, light);
    const Rgb metal{uint8_t(r.between(90, 170)), uint8_t(r.between(90, 170)),
                    uint8_t(r.between(100, 180))};
    const Rgb accent{uint8_t(r.between(20, 220)), uint8_t(r.between(20, 120)),
                     uint8_t(r.between(20, 90))};
    const double cx = width / 2.0, cy = height / 2.0, size = std::min(width, height) * 0.42;
    switch (r.between(0, 2)) {
        case 0:  // a disc with holes, like a brake disc
            pic.fillRing(cx, cy, size, size * 0.35, metal);
            for (int i = 0; i < 5; ++i)
                pic.fillDisc(cx + size * 0.22 * std::cos(i * 1.2566),
                             cy + size * 0.22 * std::sin(i * 1.2566), size * 0.06, light);
            pic.fillRing(cx, cy, size * 0.95, size * 0.9, accent);
            break;
        case 1:  // a box-shaped part
            pic.fillRect(int(cx - size), int(cy - size * 0.6), int(size * 2), int(size * 1.2),
                         metal);
            pic.fillRect(int(cx - size * 0.8), int(cy - size * 0.4), int(size * 1.6),
                         int(size * 0.25), accent);
            break;
        default:  // a cylinder with a ring, like a filter
            pic.fillRect(int(cx - size * 0.55), int(cy - size * 0.9), int(size * 1.1),
                         int(size * 1.8), accent);
            pic.fillRing(cx, cy - size * 0.9, size * 0.55, size * 0.2, metal);
            break;
    }
    return pic;
}

struct ItemsResult {
    int items = 0;
    int pictures = 0;
};

ItemsResult insertItems(QSqlDatabase& db, Random& r, int count) {
    Query item(db, QStringLiteral(
                       "INSERT INTO stoklar (stokno, barkod, barkodno, adi, finishkod, "
                       "ureticikodu, oemno, oem1, oem2, "
                       "oem3, oem4, digeradi, dpkod, pkod, marka, model, anagrup, ozelkod, birim, "
                       "kdv, listefiyat, "
                       "kampfiyat, yeni, kampanyali, durum, kalan, alinansiparis, verilensiparis) "
                       "VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)"));
    Query picture(db, QStringLiteral("INSERT INTO stok_resimleri (stokno, resim) VALUES (?, ?)"));
    ItemsResult result;
    for (int stokno = 1; stokno <= count; ++stokno) {
        const PartType& type = r.pick(partTypes());
        const Vehicle& vehicle = r.pick(vehicles());
        const QString model = r.pick(vehicle.models);
        const QString producer = r.pick(kProducers);
        const double list = money(type.basePrice * vehicle.priceFactor * r.real(0.8, 1.3));
        const bool campaign = r.chance(0.06);
        const int state = [&] {
            const double p = r.real(0, 1);
            return p < 0.60 ? 1 : p < 0.72 ? 0 : p < 0.80 ? 2 : p < 0.88 ? 3 : p < 0.94 ? 4 : 5;
        }();
        const QString oem = r.digits(8);
        item.bind(stokno)
            .bind(QStringLiteral("ZR%1").arg(100000 + stokno))
            .bind(stokno * 10 + 1)
            .bind(QStringLiteral("%1 %2 %3").arg(type.name, vehicle.make, model))
            .bind(QStringLiteral("%1-%2").arg(producer.left(2), r.digits(5)))
            .bind(QStringLiteral("%1%2").arg(producer.left(1)).arg(r.digits(6)))
            .bind(oem)
            .bind(oem)
            .bind(r.chance(0.6) ? r.digits(8) : QStringLiteral(""))
            .bind(r.chance(0.3) ? r.digits(10) : QStringLiteral(""))
            .bind(r.chance(0.1) ? r.digits(10) : QStringLiteral(""))
            .bind(r.chance(0.3) ? QStringLiteral("%1 (%2)").arg(type.name, producer)
                                : QStringLiteral(""))
            .bind(QStringLiteral("DP%1").arg(r.digits(5)))
            .bind(QStringLiteral("P%1").arg(r.digits(4)))
            .bind(vehicle.make)
            .bind(model)
            .bind(type.group)
            .bind(producer)
            .bind(type.unit)
            .bind(r.chance(0.03) ? 10.0 : 20.0)
            .bind(list)
            .bind(campaign ? money(list * r.real(0.78, 0.92)) : 0.0)
            .bind(r.chance(0.04) ? 1 : 0)
            .bind(campaign ? 1 : 0)
            .bind(state)
            .bind(state == 1 ? double(r.between(1, 400)) : 0.0)
            .bind(double(r.between(0, 40)))
            .bind(double(r.between(0, 60)))
            .exec();
        if (r.chance(0.12)) {
            picture.bind(stokno).bind(encodeJpeg(partPicture(r, 160, 120), 75)).exec();
            ++result.pictures;
        }
    }
    result.items = count;
    return result;
}

void insertDeliveryAndCargo(QSqlDatabase& db) {
    execute(db, QStringLiteral("INSERT INTO teslim_sekilleri (id, adi) VALUES "
                               "(1, 'Kargo İle Gönderim'), (2, 'Müşteri Teslim Alacak'), "
                               "(3, 'Servis Aracı İle'), (4, 'Ambar İle Gönderim')"));
    execute(db, QStringLiteral(
                    "INSERT INTO kargo_cinsleri (id, adi) VALUES "
                    "(1, 'Anlaşmalı Kargo'), (2, 'Alıcı Ödemeli'), (3, 'Gönderici Ödemeli'), "
                    "(4, 'Ambar')"));
    execute(db,
            QStringLiteral(
                "INSERT INTO kargo_firmalari (id, kargocinsi, adi) VALUES "
                "(1, 1, 'Kartal Kargo'), (2, 1, 'Hızlı Lojistik'), (3, 2, 'Kartal Kargo'), "
                "(4, 2, 'Marmara Kargo'), (5, 3, 'Hızlı Lojistik'), (6, 3, 'Toros Taşımacılık'), "
                "(7, 4, 'Anadolu Ambarı'), (8, 4, 'Ege Nakliyat Ambarı')"));
    execute(db, QStringLiteral("UPDATE kargo_firmalari SET uyari = 'Ambar teslimatı 2-3 iş günü "
                               "sürer; ambardan teslim alınız.' WHERE kargocinsi = 4"));
}

struct ItemPrice {
    double price;
    double vat;
};

ItemPrice itemPrice(QSqlDatabase& db, int stokno) {
    Query q(db, QStringLiteral(
                    "SELECT CASE WHEN kampanyali = 1 THEN kampfiyat ELSE listefiyat END, kdv "
                    "FROM stoklar WHERE stokno = ?"));
    q.bind(stokno).exec();
    q.next();
    return {q.value(0).toDouble(), q.value(1).toDouble()};
}

QList<double> accountDiscounts(QSqlDatabase& db, int carino) {
    Query q(db, QStringLiteral("SELECT ind1, ind2, ind3, ind4 FROM cariler WHERE carino = ?"));
    q.bind(carino).exec();
    q.next();
    return {q.value(0).toDouble(), q.value(1).toDouble(), q.value(2).toDouble(),
            q.value(3).toDouble()};
}

double netLine(double quantity, double price, const QList<double>& d) {
    double v = quantity * price;
    for (double rate : d)
        v = money(v * (1 - rate / 100.0));
    return v;
}

void insertBaskets(QSqlDatabase& db, Random& r, int accounts, int items) {
    Query q(db, QStringLiteral("INSERT INTO sepet (carino, stokno, miktar, fiyat, kdv, ind1, ind2, "
                               "ind3, ind4, sec, verenid, "
                               "kampanyali, tarih, saat) VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?,?)"));
    for (int carino = 1; carino <= accounts; ++carino) {
        const int lines = carino <= 2 ? r.between(3, 6) : (r.chance(0.3) ? r.between(1, 8) : 0);
        const QList<double> d = accountDiscounts(db, carino);
        for (int i = 0; i < lines; ++i) {
            const int stokno = r.between(1, items);
            const ItemPrice p = itemPrice(db, stokno);
            q.bind(carino)
                .bind(stokno)
                .bind(double(r.between(1, 10)))
                .bind(p.price)
                .bind(p.vat)
                .bind(d[0])
                .bind(d[1])
                .bind(d[2])
                .bind(d[3])
                .bind(r.chance(0.5) ? 1 : 0)
                .bind(carino <= 2 ? carino : carino + 2)
                .bind(0)
                .bind(dayNumberFromDate(kToday.addDays(-r.between(0, 10))))
                .bind(QStringLiteral("%1:%2")
                          .arg(r.between(8, 18), 2, 10, QLatin1Char('0'))
                          .arg(r.between(0, 59), 2, 10, QLatin1Char('0')))
                .exec();
        }
    }
}

struct OrdersResult {
    int orders = 0;
    int movements = 0;
};

OrdersResult insertOrdersAndMovements(QSqlDatabase& db, Random& r, int accounts, int items) {
    Query order(db, QStringLiteral("INSERT INTO siparisler (siparisno, carino, tarih, saat, "
                                   "teslimid, kargoid, kargofirmaid, "
                                   "aciklama, verenid, durum, bizim_mesaj, satici_notu) VALUES "
                                   "(?,?,?,?,?,?,?,?,?,?,?,?)"));
    Query line(db, QStringLiteral("INSERT INTO siparis_satirlari (siparisno, stokno, miktar, "
                                  "teslim_edilen, fiyat, kdv, ind1, ind2, "
                                  "ind3, ind4) VALUES (?,?,?,?,?,?,?,?,?,?)"));
    Query movement(db, QStringLiteral("INSERT INTO cari_hareketler (id, carino, tarih, vade, "
                                      "belge_turu, belgeno, aciklama, borc, alacak) "
                                      "VALUES (?,?,?,?,?,?,?,?,?)"));
    Query invoice(db, QStringLiteral("INSERT INTO faturalar (idno, carino, hareket_id, tarih, "
                                     "belgeno, ara_toplam, iskonto_toplam, "
                                     "kdv_toplam, genel_toplam) VALUES (?,?,?,?,?,?,?,?,?)"));
    Query invoiceLine(
        db,
        QStringLiteral(
            "INSERT INTO fatura_satirlari (fatura_idno, stokno, miktar, fiyat, kdv, ind1, tutar) "
            "VALUES (?,?,?,?,?,?,?)"));
    Query collection(db, QStringLiteral("INSERT INTO tahsilatlar (idno, carino, hareket_id, tarih, "
                                        "tur, tutar, aciklama) VALUES (?,?,?,?,?,?,?)"));

    static const QStringList notes = {QStringLiteral(""),
                                      QStringLiteral("Acil gönderim rica olunur."),
                                      QStringLiteral("Öğleden önce teslim edilsin."),
                                      QStringLiteral("Faturayı siparişle birlikte gönderiniz.")};
    OrdersResult result;
    int siparisno = 1000, movementId = 1, invoiceNo = 1, collectionNo = 1;
    for (int carino = 1; carino <= accounts; ++carino) {
        const QList<double> d = accountDiscounts(db, carino);
        const int dueDays = int(
            scalar(db, QStringLiteral("SELECT vade_gun FROM cariler WHERE carino = ?"), {carino})
                .toInt());
        const QDate opening = kToday.addDays(-365);
        const double openingBalance = money(r.real(0, 25000));
        movement.bind(movementId++)
            .bind(carino)
            .bind(dayNumberFromDate(opening))
            .bind(dayNumberFromDate(opening))
            .bind(QStringLiteral("DEVİR"))
            .bind(QStringLiteral("DVR-%1").arg(kToday.year() - 1))
            .bind(QStringLiteral("Devir bakiyesi"))
            .bind(openingBalance)
            .bind(0.0)
            .exec();
        ++result.movements;
        double debt = openingBalance;
        const int orders = carino <= 2 ? 14 : r.between(0, 10);
        for (int o = 0; o < orders; ++o) {
            const QDate date = kToday.addDays(-r.between(1, 360));
            // Older orders are mostly delivered; the latest may still be open.
            const int age = int(date.daysTo(kToday));
            const int status = age > 30 ? 5 : r.between(0, 5);
            const int cargoType = r.between(1, 4);
            ++siparisno;
            order.bind(siparisno)
                .bind(carino)
                .bind(dayNumberFromDate(date))
                .bind(QStringLiteral("%1:%2")
                          .arg(r.between(8, 18), 2, 10, QLatin1Char('0'))
                          .arg(r.between(0, 59), 2, 10, QLatin1Char('0')))
                .bind(r.between(1, 4))
                .bind(cargoType)
                .bind(cargoType * 2 - r.between(0, 1))
                .bind(r.pick(notes))
                .bind(carino <= 2 ? carino : carino + 2)
                .bind(status)
                .bind(status >= 3 ? QStringLiteral("Siparişiniz hazırlanmıştır.")
                                  : QStringLiteral(""))
                .bind(r.chance(0.2) ? QStringLiteral("Müşteri arandı, teyit alındı.")
                                    : QStringLiteral(""))
                .exec();
            ++result.orders;
            const int lines = r.between(1, 12);
            double invoiceNet = 0, invoiceGross = 0, invoiceVat = 0;
            QList<std::tuple<int, double, double, double, double>> invoiced;
            for (int l = 0; l < lines; ++l) {
                const int stokno = r.between(1, items);
                const ItemPrice p = itemPrice(db, stokno);
                const double quantity = r.between(1, 20);
                const double delivered =
                    status == 5 ? (r.chance(0.85) ? quantity : std::floor(quantity / 2))
                                : (status == 4 ? std::floor(quantity / 2) : 0);
                line.bind(siparisno)
                    .bind(stokno)
                    .bind(quantity)
                    .bind(delivered)
                    .bind(p.price)
                    .bind(p.vat)
                    .bind(d[0])
                    .bind(d[1])
                    .bind(d[2])
                    .bind(d[3])
                    .exec();
                if (delivered > 0) {
                    const double net = netLine(delivered, p.price, d);
                    invoiceGross = money(invoiceGross + delivered * p.price);
                    invoiceNet = money(invoiceNet + net);
                    invoiceVat = money(invoiceVat + money(net * p.vat / 100.0));
                    invoiced.append({stokno, delivered, p.price, p.vat, net});
                }
            }
            if (invoiced.isEmpty())
                continue;
            const QDate invoiceDate = date.addDays(r.between(0, 3));
            const double total = money(invoiceNet + invoiceVat);
            const QString number = QStringLiteral("ZRD%1%2")
                                       .arg(invoiceDate.year())
                                       .arg(invoiceNo, 9, 10, QLatin1Char('0'));
            movement.bind(movementId)
                .bind(carino)
                .bind(dayNumberFromDate(invoiceDate))
                .bind(dayNumberFromDate(invoiceDate.addDays(dueDays)))
                .bind(QStringLiteral("FATURA"))
                .bind(number)
                .bind(QStringLiteral("%1 nolu sipariş faturası").arg(siparisno))
                .bind(total)
                .bind(0.0)
                .exec();
            invoice.bind(invoiceNo)
                .bind(carino)
                .bind(movementId)
                .bind(dayNumberFromDate(invoiceDate))
                .bind(number)
                .bind(invoiceGross)
                .bind(money(invoiceGross - invoiceNet))
                .bind(invoiceVat)
                .bind(total)
                .exec();
            for (const auto& [stokno, quantity, price, vat, net] : invoiced)
                invoiceLine.bind(invoiceNo)
                    .bind(stokno)
                    .bind(quantity)
                    .bind(price)
                    .bind(vat)
                    .bind(d[0])
                    .bind(net)
                    .exec();
            ++invoiceNo;
            ++movementId;
            ++result.movements;
            debt = money(debt + total);
        }
        // Collections over the year, paying most of what was owed.
        const int payments = r.between(1, 6);
        for (int p = 0; p < payments && debt > 1; ++p) {
            const QDate date = kToday.addDays(-r.between(1, 330));
            const double amount = money(std::min(debt, debt * r.real(0.15, 0.5)));
            static const QStringList kinds = {QStringLiteral("NAKİT"), QStringLiteral("HAVALE"),
                                              QStringLiteral("KREDİ KARTI"), QStringLiteral("ÇEK")};
            const QString kind = r.pick(kinds);
            movement.bind(movementId)
                .bind(carino)
                .bind(dayNumberFromDate(date))
                .bind(dayNumberFromDate(date))
                .bind(QStringLiteral("TAHSİLAT"))
                .bind(QStringLiteral("THS%1").arg(collectionNo, 7, 10, QLatin1Char('0')))
                .bind(QStringLiteral("%1 tahsilatı").arg(kind))
                .bind(0.0)
                .bind(amount)
                .exec();
            collection.bind(collectionNo)
                .bind(carino)
                .bind(movementId)
                .bind(dayNumberFromDate(date))
                .bind(kind)
                .bind(amount)
                .bind(QStringLiteral("Teşekkür ederiz."))
                .exec();
            ++collectionNo;
            ++movementId;
            ++result.movements;
            debt = money(debt - amount);
        }
    }
    return result;
}

Raster bannerFrame(int width, int height, Rgb from, Rgb to, double phase) {
    Raster frame(width, height);
    frame.verticalGradient(from, to);
    for (int i = 0; i < 6; ++i)
        frame.fillDisc(width * (0.08 + 0.17 * i) + phase * width * 0.05, height / 2.0,
                       height * 0.28, {255, uint8_t(180 - i * 15), 0});
    return frame;
}

void insertPromotions(QSqlDatabase& db, Random& r) {
    struct Screen {
        QString title;
        QString action;
    };
    const QList<Screen> announcements = {
        {QStringLiteral("Kış Kampanyası Başladı"), QStringLiteral("#KAMPANYA#")},
        {QStringLiteral("Yeni Gelen Ürünler"), QStringLiteral("#YENİ#")},
        {QStringLiteral("Fren Balatalarında Stok Yenilendi"), QStringLiteral("FREN BALATASI")},
        {QStringLiteral("Filtre Gruplarında Fiyat Güncellemesi"), QStringLiteral("FİLTRE")},
        {QStringLiteral("Yılbaşı Tatilinde Sevkiyat Takvimi"), QStringLiteral("")},
    };
    Query a(db,
            QStringLiteral("INSERT INTO duyurular (sira, baslik, resim, arama) VALUES (?,?,?,?)"));
    for (int i = 0; i < announcements.size(); ++i)
        a.bind(i + 1)
            .bind(announcements[i].title)
            .bind(encodeJpeg(partPicture(r, 480, 240), 80))
            .bind(announcements[i].action)
            .exec();
    const QList<Screen> adverts = {
        {QStringLiteral("Kampanyalı Ürünlerde %20'ye Varan İndirim"), QStringLiteral("#KAMPANYA#")},
        {QStringLiteral("Triger Setlerinde Yeni Modeller"), QStringLiteral("TRİGER SETİ")},
        {QStringLiteral("Yeni Ürünlerimizi İnceleyin"), QStringLiteral("#YENİ#")},
    };
    Query ad(db,
             QStringLiteral("INSERT INTO reklamlar (sira, baslik, resim, arama) VALUES (?,?,?,?)"));
    for (int i = 0; i < adverts.size(); ++i)
        ad.bind(i)
            .bind(adverts[i].title)
            .bind(encodeJpeg(partPicture(r, 640, 400), 80))
            .bind(adverts[i].action)
            .exec();

    std::vector<Raster> header, top;
    for (int f = 0; f < 4; ++f) {
        header.push_back(bannerFrame(468, 60, {0, 64, 128}, {0, 32, 80}, f));
        top.push_back(bannerFrame(728, 90, {30, 180, 223}, {0, 64, 128}, f));
    }
    Raster strip(1000, 80);
    strip.verticalGradient({240, 240, 240}, {200, 210, 225});
    for (int i = 0; i < 8; ++i)
        strip.fillRect(20 + i * 122, 10, 100, 60, {uint8_t(40 + i * 20), 64, 128});
    Query b(db, QStringLiteral("INSERT INTO bannerlar (no, resim) VALUES (?, ?)"));
    b.bind(1).bind(encodeGif(header, 40)).exec();
    b.bind(2).bind(encodeGif(top, 50)).exec();
    b.bind(3).bind(encodeBmp(strip)).exec();

    Query s(db, QStringLiteral("INSERT INTO ayarlar (anahtar, deger) VALUES (?, ?)"));
    s.bind(QStringLiteral("kayan_yazi"))
        .bind(QStringLiteral(
            "<b>Zerda Otomotiv</b> B2B sistemine hoş geldiniz. "
            "<font color=\"#1EB4DF\">Kış kampanyası</font> 31 Aralık'a kadar sürüyor. "
            "Saat 16:00'ya kadar verilen siparişler aynı gün kargoda."))
        .exec();
}

}  // namespace

void storeInstaller(Database& database, const QByteArray& bytes) {
    database.transaction([&](QSqlDatabase& db) {
        Query(db, QStringLiteral("INSERT OR REPLACE INTO dosyalar (ad, icerik, zaman) VALUES "
                                 "('ZerdaB2BSetup.exe', ?, ?)"))
            .bind(bytes)
            .bind(QDateTime::currentDateTimeUtc().toString(Qt::ISODate))
            .exec();
    });
}

QByteArray demoInstaller() {
    return QByteArrayLiteral(
        "#!/bin/sh\n"
        "# Zerda Otomotiv B2B - ornek kurulum betigi. Gercek bir kurulum yapmaz.\n"
        "echo \"Zerda Otomotiv B2B kurulumu (ornek): $*\"\n"
        "exit 0\n");
}

const QList<DemoUser>& fixedDemoUsers() {
    static const QList<DemoUser> users = {
        {"DEMO", "1234", 3, "bayi"},
        {"BAYI4", "1234", 4, "bayi"},
        {"SATICI", "1234", 2, "satıcı"},
        {"TEMSILCI", "1234", 1, "satıcı"},
    };
    return users;
}

DemoSummary createDemoData(Database& database, const DemoOptions& options) {
    if (options.items < 1)
        throw Error(QStringLiteral("Stok sayısı en az 1 olmalı"));
    DemoSummary summary;
    Random r(options.seed);
    database.transaction([&](QSqlDatabase& db) {
        if (scalar(db, QStringLiteral("SELECT COUNT(*) FROM stoklar")).toInt() > 0)
            throw Error(QStringLiteral(
                "Veritabanı boş değil: örnek veri yalnızca yeni bir veritabanına yazılır"));
        const int accounts = std::clamp(options.items / 100, 20, 300);
        insertSalespeople(db);
        summary.accounts = insertAccounts(db, r, accounts);
        summary.users = insertUsers(db, r, accounts);
        const ItemsResult items = insertItems(db, r, options.items);
        summary.items = items.items;
        summary.pictures = items.pictures;
        insertDeliveryAndCargo(db);
        insertBaskets(db, r, accounts, options.items);
        const OrdersResult orders = insertOrdersAndMovements(db, r, accounts, options.items);
        summary.orders = orders.orders;
        summary.movements = orders.movements;
        insertPromotions(db, r);
    });
    storeInstaller(database, demoInstaller());
    return summary;
}

}  // namespace zerda::appserver
