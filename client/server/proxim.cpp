#include "proxim.h"

#include <QBuffer>
#include <cmath>

namespace zerda {

namespace {

void put(RequestWriter& w, int v) {
    w.integer(v);
}
void put(RequestWriter& w, double v) {
    w.number(v);
}
void put(RequestWriter& w, const QString& v) {
    w.string(v);
}
template <class R>
void put(RequestWriter& w, const std::optional<R>& v) {
    w.record(v);
}

template <class... Args>
void fill(RequestWriter& w, const Args&... args) {
    (put(w, args), ...);
}

}  // namespace

// The values of one reply, read by position as the kinds the method returns.
class TServerMethods1Client::Results {
public:
    Results(const char* method, std::vector<ReplyValue> values)
        : m_method(QLatin1String(method)), m_values(std::move(values)) {}

    qint64 int64(size_t i) const {
        const QJsonValue v = json(i);
        const double d = v.toDouble();
        if (!v.isDouble() || std::trunc(d) != d)
            mismatch(i, "tam sayı");
        return qint64(d);
    }
    int integer(size_t i) const {
        const qint64 v = int64(i);
        if (v < std::numeric_limits<int>::min() || v > std::numeric_limits<int>::max())
            mismatch(i, "32 bitlik tam sayı");
        return int(v);
    }
    bool boolean(size_t i) const {
        const QJsonValue v = json(i);
        if (!v.isBool())
            mismatch(i, "mantıksal değer");
        return v.toBool();
    }
    QString text(size_t i) const {
        const QJsonValue v = json(i);
        if (v.isNull())
            return {};
        if (!v.isString())
            mismatch(i, "metin");
        return v.toString();
    }
    template <class R>
    std::optional<R> record(size_t i) const {
        return unmarshal<R>(json(i), m_method);
    }
    // A null table is a table without columns and rows.
    DataTable table(size_t i) {
        if (auto* t = std::get_if<DataTable>(&m_values.at(i)))
            return std::move(*t);
        if (json(i).isNull())
            return {};
        mismatch(i, "tablo");
    }
    std::unique_ptr<QIODevice> stream(size_t i) {
        auto buffer = std::make_unique<QBuffer>();
        if (auto* bytes = std::get_if<QByteArray>(&m_values.at(i)))
            buffer->setData(std::move(*bytes));
        else if (!json(i).isNull())
            mismatch(i, "akış");
        buffer->open(QIODevice::ReadOnly);
        return buffer;
    }

private:
    QJsonValue json(size_t i) const {
        if (const auto* v = std::get_if<QJsonValue>(&m_values.at(i)))
            return *v;
        mismatch(i, "basit değer");
    }
    [[noreturn]] void mismatch(size_t i, const char* wanted) const {
        throw ProtocolError(QStringLiteral("%1: yanıtın %2. değeri %3 olmalı")
                                .arg(m_method)
                                .arg(i + 1)
                                .arg(QLatin1String(wanted)));
    }

    QString m_method;
    std::vector<ReplyValue> m_values;
};

TServerMethods1Client::TServerMethods1Client(Connection& connection) : m_connection(connection) {}

TServerMethods1Client::Results TServerMethods1Client::execute(const char* method,
                                                              RequestWriter& params) {
    const QString name = QLatin1String(method);
    auto it = m_commands.find(name);
    if (it == m_commands.end()) {
        Command command;
        command.method = findServerMethod(name);
        Q_ASSERT(command.method);
        command.replyKinds = command.method->replyKinds();
        it = m_commands.insert(name, std::move(command));
    }
    std::string reply = m_connection.Call(name, params.finish());
    return Results(method, decodeReplyInPlace(reply, it->replyKinds));
}

#define ZERDA_CALL(Method, ...) \
    RequestWriter request;      \
    fill(request, __VA_ARGS__); \
    Results results = execute(#Method, request)

#define ZERDA_CALL0(Method) \
    RequestWriter request;  \
    Results results = execute(#Method, request)

// Session and identity

std::optional<TSonucBilgisi> TServerMethods1Client::BuyukGetir(const QString& idsi) {
    ZERDA_CALL(BuyukGetir, idsi);
    return results.record<TSonucBilgisi>(0);
}

std::optional<TMobilCariBilgisi> TServerMethods1Client::MobilCariBilgisiGetir(
    int sirano, const QString& _idsi) {
    ZERDA_CALL(MobilCariBilgisiGetir, sirano, _idsi);
    return results.record<TMobilCariBilgisi>(0);
}

int TServerMethods1Client::MailGonserCari(const QString& idsi, const QString& baslik,
                                          const QString& firmaadi, const QString& adres1,
                                          const QString& adres2, const QString& ilce,
                                          const QString& sehir, const QString& telefon,
                                          const QString& fax, const QString& vd, const QString& vn,
                                          const QString& yetkili, const QString& kullaniciadi,
                                          const QString& sifre, const QString& mail,
                                          const QString& kargoambar) {
    ZERDA_CALL(MailGonserCari, idsi, baslik, firmaadi, adres1, adres2, ilce, sehir, telefon, fax,
               vd, vn, yetkili, kullaniciadi, sifre, mail, kargoambar);
    return results.integer(0);
}

int TServerMethods1Client::MailGonserCariNormal(
    const QString& idsi, const QString& baslik, const QString& firmaadi, const QString& adres1,
    const QString& adres2, const QString& ilce, const QString& sehir, const QString& telefon,
    const QString& fax, const QString& vd, const QString& vn, const QString& yetkili,
    const QString& kullaniciadi, const QString& sifre, const QString& mail,
    const QString& kargoambar, const QString& konu) {
    ZERDA_CALL(MailGonserCariNormal, idsi, baslik, firmaadi, adres1, adres2, ilce, sehir, telefon,
               fax, vd, vn, yetkili, kullaniciadi, sifre, mail, kargoambar, konu);
    return results.integer(0);
}

TableReader TServerMethods1Client::BalonGetir(std::optional<TSonucBilgisi> bil) {
    ZERDA_CALL(BalonGetir, bil);
    return TableReader(results.table(0));
}

// Catalogue

DataPacket TServerMethods1Client::StokAraGetir(const QString& kod,
                                               std::optional<TSonucBilgisi> bilgi) {
    ZERDA_CALL(StokAraGetir, kod, bilgi);
    return results.table(0);
}

std::unique_ptr<QIODevice> TServerMethods1Client::ResimVer5(int stokno, qint64& boy) {
    ZERDA_CALL(ResimVer5, stokno);
    boy = results.int64(0);
    return results.stream(1);
}

DataPacket TServerMethods1Client::YenilerVer2(int carino) {
    ZERDA_CALL(YenilerVer2, carino);
    return results.table(0);
}

DataPacket TServerMethods1Client::KampanyaliVer2(int cario, int satici) {
    ZERDA_CALL(KampanyaliVer2, cario, satici);
    return results.table(0);
}

// Basket and ordering

DataPacket TServerMethods1Client::SepetVer2(int carino) {
    ZERDA_CALL(SepetVer2, carino);
    return results.table(0);
}

int TServerMethods1Client::SepetEkle2(std::optional<TSonucBilgisi> bilgim, int carino, int stokno,
                                      const QString& barkod, const QString& stokadi, double miktar,
                                      double kdv, double fiyat, double ind1, int verenid, int k,
                                      double ind2, double ind3, double ind4) {
    ZERDA_CALL(SepetEkle2, bilgim, carino, stokno, barkod, stokadi, miktar, kdv, fiyat, ind1,
               verenid, k, ind2, ind3, ind4);
    return results.integer(0);
}

int TServerMethods1Client::SepetGuncelle2(std::optional<TSonucBilgisi> bilgim, int carino,
                                          int stokno, const QString& barkod, const QString& stokadi,
                                          double miktar, double kdv, double fiyat, double ind1,
                                          int verenid, int _sepetsirano, double ind2, double ind3,
                                          double ind4) {
    ZERDA_CALL(SepetGuncelle2, bilgim, carino, stokno, barkod, stokadi, miktar, kdv, fiyat, ind1,
               verenid, _sepetsirano, ind2, ind3, ind4);
    return results.integer(0);
}

int TServerMethods1Client::SepetSatirSil(std::optional<TSonucBilgisi> bilgi, int satirno,
                                         const QString& aciklamam) {
    ZERDA_CALL(SepetSatirSil, bilgi, satirno, aciklamam);
    return results.integer(0);
}

int TServerMethods1Client::SepetHepsiniSil(std::optional<TSonucBilgisi> bilgi) {
    ZERDA_CALL(SepetHepsiniSil, bilgi);
    return results.integer(0);
}

void TServerMethods1Client::SepetSecimGuncelle(int sirano, int secim) {
    ZERDA_CALL(SepetSecimGuncelle, sirano, secim);
    Q_UNUSED(results);
}

TableReader TServerMethods1Client::TeslimVer() {
    ZERDA_CALL0(TeslimVer);
    return TableReader(results.table(0));
}

TableReader TServerMethods1Client::KargoVer() {
    ZERDA_CALL0(KargoVer);
    return TableReader(results.table(0));
}

TableReader TServerMethods1Client::KargolarVer(int gn) {
    ZERDA_CALL(KargolarVer, gn);
    return TableReader(results.table(0));
}

bool TServerMethods1Client::SiparisKaydet(std::optional<TSonucBilgisi> BB, int _carino, int _teslim,
                                          int _kargo, const QString& _aciklama, int _verenid,
                                          int _kargoyeni) {
    ZERDA_CALL(SiparisKaydet, BB, _carino, _teslim, _kargo, _aciklama, _verenid, _kargoyeni);
    return results.boolean(0);
}

QString TServerMethods1Client::CariVadeGunGecmismiBul(int carino) {
    ZERDA_CALL(CariVadeGunGecmismiBul, carino);
    return results.text(0);
}

// Orders and account

TableReader TServerMethods1Client::OncekiSiparisler(int carino) {
    ZERDA_CALL(OncekiSiparisler, carino);
    return TableReader(results.table(0));
}

TableReader TServerMethods1Client::SiparisAyrintisi2(int carino, int idnosu) {
    ZERDA_CALL(SiparisAyrintisi2, carino, idnosu);
    return TableReader(results.table(0));
}

std::optional<TSiparisDipAyrinti> TServerMethods1Client::SiparisAytintisiDip(int carino,
                                                                             int siranosu) {
    ZERDA_CALL(SiparisAytintisiDip, carino, siranosu);
    return results.record<TSiparisDipAyrinti>(0);
}

TableReader TServerMethods1Client::TumSiparislerVer(int carino, int stokno) {
    ZERDA_CALL(TumSiparislerVer, carino, stokno);
    return TableReader(results.table(0));
}

TableReader TServerMethods1Client::BakiyelerVer2(int carino) {
    ZERDA_CALL(BakiyelerVer2, carino);
    return TableReader(results.table(0));
}

int TServerMethods1Client::BakiyeDuzenle(std::optional<TSonucBilgisi> k, int stokno,
                                         int sepetsirano, int siparissirano, double Adet,
                                         double Bakiye, const QString& barkod) {
    ZERDA_CALL(BakiyeDuzenle, k, stokno, sepetsirano, siparissirano, Adet, Bakiye, barkod);
    return results.integer(0);
}

int TServerMethods1Client::BakiyeDegistir(std::optional<TSonucBilgisi> k, int stokno,
                                          int sepetsirano, int siparissirano, double Adet,
                                          double Bakiye, const QString& barkod) {
    ZERDA_CALL(BakiyeDegistir, k, stokno, sepetsirano, siparissirano, Adet, Bakiye, barkod);
    return results.integer(0);
}

int TServerMethods1Client::BakiyeFiyatDegistir(std::optional<TSonucBilgisi> k, int stokno,
                                               int sepetsirano, int siparissirano, double Adet,
                                               double Bakiye, const QString& barkod, double fiyat,
                                               double ind) {
    ZERDA_CALL(BakiyeFiyatDegistir, k, stokno, sepetsirano, siparissirano, Adet, Bakiye, barkod,
               fiyat, ind);
    return results.integer(0);
}

TableReader TServerMethods1Client::CariEkstreVer(int carino) {
    ZERDA_CALL(CariEkstreVer, carino);
    return TableReader(results.table(0));
}

TableReader TServerMethods1Client::FaturaGetir(int carino, int idnosu) {
    ZERDA_CALL(FaturaGetir, carino, idnosu);
    return TableReader(results.table(0));
}

TableReader TServerMethods1Client::FaturaAltGetir(int idnosu) {
    ZERDA_CALL(FaturaAltGetir, idnosu);
    return TableReader(results.table(0));
}

TableReader TServerMethods1Client::Tahsilat(int idnosu) {
    ZERDA_CALL(Tahsilat, idnosu);
    return TableReader(results.table(0));
}

int TServerMethods1Client::SanalposSiranoVer(int idnosu) {
    ZERDA_CALL(SanalposSiranoVer, idnosu);
    return results.integer(0);
}

std::unique_ptr<QIODevice> TServerMethods1Client::SAnalPosPdfVer(int sirano, qint64& boy) {
    ZERDA_CALL(SAnalPosPdfVer, sirano);
    boy = results.int64(0);
    return results.stream(1);
}

QString TServerMethods1Client::CariDurumVer(int carino) {
    ZERDA_CALL(CariDurumVer, carino);
    return results.text(0);
}

// Salesperson console

TableReader TServerMethods1Client::CariAra(std::optional<TSonucBilgisi> bil,
                                           const QString& aranan) {
    ZERDA_CALL(CariAra, bil, aranan);
    return TableReader(results.table(0));
}

TableReader TServerMethods1Client::CariSepetVer(std::optional<TSonucBilgisi> bil, int n) {
    ZERDA_CALL(CariSepetVer, bil, n);
    return TableReader(results.table(0));
}

int TServerMethods1Client::SepetSayisi(std::optional<TSonucBilgisi> bil) {
    ZERDA_CALL(SepetSayisi, bil);
    return results.integer(0);
}

std::optional<TTusSonuclari> TServerMethods1Client::TusSonuclariVer(
    std::optional<TSonucBilgisi> bil) {
    ZERDA_CALL(TusSonuclariVer, bil);
    return results.record<TTusSonuclari>(0);
}

std::unique_ptr<QIODevice> TServerMethods1Client::RaporGetir(int raporno, int bolum, int idno,
                                                             int carino, const QString& saticiadi,
                                                             double tarih1, double tarih2,
                                                             qint64& size) {
    ZERDA_CALL(RaporGetir, raporno, bolum, idno, carino, saticiadi, tarih1, tarih2);
    size = results.int64(0);
    return results.stream(1);
}

TableReader TServerMethods1Client::RaporAlinanSiparisler(std::optional<TSonucBilgisi> bilgi,
                                                         double tarih1, double tarih2) {
    ZERDA_CALL(RaporAlinanSiparisler, bilgi, tarih1, tarih2);
    return TableReader(results.table(0));
}

TableReader TServerMethods1Client::RaporEnCokSatilanStoklar(std::optional<TSonucBilgisi> bilgi,
                                                            double tarih1, double tarih2) {
    ZERDA_CALL(RaporEnCokSatilanStoklar, bilgi, tarih1, tarih2);
    return TableReader(results.table(0));
}

// Announcements and promotions

QString TServerMethods1Client::KayanYaziGetir() {
    ZERDA_CALL0(KayanYaziGetir);
    return results.text(0);
}

std::optional<TAcilisEkranlariki> TServerMethods1Client::AcilisEkranlarVer2() {
    ZERDA_CALL0(AcilisEkranlarVer2);
    return results.record<TAcilisEkranlariki>(0);
}

std::unique_ptr<QIODevice> TServerMethods1Client::BannerResimVer(qint64& size) {
    ZERDA_CALL0(BannerResimVer);
    size = results.int64(0);
    return results.stream(1);
}

std::unique_ptr<QIODevice> TServerMethods1Client::BannerResimVer2(qint64& size) {
    ZERDA_CALL0(BannerResimVer2);
    size = results.int64(0);
    return results.stream(1);
}

std::unique_ptr<QIODevice> TServerMethods1Client::BannerResimVer3(qint64& size) {
    ZERDA_CALL0(BannerResimVer3);
    size = results.int64(0);
    return results.stream(1);
}

int TServerMethods1Client::AcilisReklamAdet() {
    ZERDA_CALL0(AcilisReklamAdet);
    return results.integer(0);
}

std::optional<TAcilisEkran> TServerMethods1Client::AcilisREklamVer(int sira) {
    ZERDA_CALL(AcilisREklamVer, sira);
    return results.record<TAcilisEkran>(0);
}

}  // namespace zerda
