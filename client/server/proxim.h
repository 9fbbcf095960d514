#pragma once

#include <QHash>
#include <QIODevice>
#include <QString>
#include <memory>
#include <optional>

#include "connection.h"
#include "records.h"
#include "tablereader.h"
#include "wire.h"

namespace zerda {

using DataPacket = DataTable;

// One operation per method of the server class TServerMethods1, with the server's names,
// parameter order and kinds. Made on an open connection for one call (or two in a row); object
// arguments are taken by value, so callers pass a copy made with Kopyala; an absent record result
// is std::nullopt. Errors: ConnectionError, ServerError, ProtocolError.
class TServerMethods1Client {
public:
    explicit TServerMethods1Client(Connection& connection);

    // Session and identity
    std::optional<TSonucBilgisi> BuyukGetir(const QString& idsi);
    std::optional<TMobilCariBilgisi> MobilCariBilgisiGetir(int sirano, const QString& _idsi);
    int MailGonserCari(const QString& idsi, const QString& baslik, const QString& firmaadi,
                       const QString& adres1, const QString& adres2, const QString& ilce,
                       const QString& sehir, const QString& telefon, const QString& fax,
                       const QString& vd, const QString& vn, const QString& yetkili,
                       const QString& kullaniciadi, const QString& sifre, const QString& mail,
                       const QString& kargoambar);
    int MailGonserCariNormal(const QString& idsi, const QString& baslik, const QString& firmaadi,
                             const QString& adres1, const QString& adres2, const QString& ilce,
                             const QString& sehir, const QString& telefon, const QString& fax,
                             const QString& vd, const QString& vn, const QString& yetkili,
                             const QString& kullaniciadi, const QString& sifre, const QString& mail,
                             const QString& kargoambar, const QString& konu);
    TableReader BalonGetir(std::optional<TSonucBilgisi> bil);

    // Catalogue
    DataPacket StokAraGetir(const QString& kod, std::optional<TSonucBilgisi> bilgi);
    std::unique_ptr<QIODevice> ResimVer5(int stokno, qint64& boy);
    DataPacket YenilerVer2(int carino);
    DataPacket KampanyaliVer2(int cario, int satici);

    // Basket and ordering
    DataPacket SepetVer2(int carino);
    int SepetEkle2(std::optional<TSonucBilgisi> bilgim, int carino, int stokno,
                   const QString& barkod, const QString& stokadi, double miktar, double kdv,
                   double fiyat, double ind1, int verenid, int k, double ind2, double ind3,
                   double ind4);
    int SepetGuncelle2(std::optional<TSonucBilgisi> bilgim, int carino, int stokno,
                       const QString& barkod, const QString& stokadi, double miktar, double kdv,
                       double fiyat, double ind1, int verenid, int _sepetsirano, double ind2,
                       double ind3, double ind4);
    int SepetSatirSil(std::optional<TSonucBilgisi> bilgi, int satirno, const QString& aciklamam);
    int SepetHepsiniSil(std::optional<TSonucBilgisi> bilgi);
    void SepetSecimGuncelle(int sirano, int secim);
    TableReader TeslimVer();
    TableReader KargoVer();
    TableReader KargolarVer(int gn);
    bool SiparisKaydet(std::optional<TSonucBilgisi> BB, int _carino, int _teslim, int _kargo,
                       const QString& _aciklama, int _verenid, int _kargoyeni);
    QString CariVadeGunGecmismiBul(int carino);

    // Orders and account
    TableReader OncekiSiparisler(int carino);
    TableReader SiparisAyrintisi2(int carino, int idnosu);
    std::optional<TSiparisDipAyrinti> SiparisAytintisiDip(int carino, int siranosu);
    TableReader TumSiparislerVer(int carino, int stokno);
    TableReader BakiyelerVer2(int carino);
    int BakiyeDuzenle(std::optional<TSonucBilgisi> k, int stokno, int sepetsirano,
                      int siparissirano, double Adet, double Bakiye, const QString& barkod);
    int BakiyeDegistir(std::optional<TSonucBilgisi> k, int stokno, int sepetsirano,
                       int siparissirano, double Adet, double Bakiye, const QString& barkod);
    int BakiyeFiyatDegistir(std::optional<TSonucBilgisi> k, int stokno, int sepetsirano,
                            int siparissirano, double Adet, double Bakiye, const QString& barkod,
                            double fiyat, double ind);
    TableReader CariEkstreVer(int carino);
    TableReader FaturaGetir(int carino, int idnosu);
    TableReader FaturaAltGetir(int idnosu);
    TableReader Tahsilat(int idnosu);
    int SanalposSiranoVer(int idnosu);
    std::unique_ptr<QIODevice> SAnalPosPdfVer(int sirano, qint64& boy);
    QString CariDurumVer(int carino);

    // Salesperson console
    TableReader CariAra(std::optional<TSonucBilgisi> bil, const QString& aranan);
    TableReader CariSepetVer(std::optional<TSonucBilgisi> bil, int n);
    int SepetSayisi(std::optional<TSonucBilgisi> bil);
    std::optional<TTusSonuclari> TusSonuclariVer(std::optional<TSonucBilgisi> bil);
    std::unique_ptr<QIODevice> RaporGetir(int raporno, int bolum, int idno, int carino,
                                          const QString& saticiadi, double tarih1, double tarih2,
                                          qint64& size);
    TableReader RaporAlinanSiparisler(std::optional<TSonucBilgisi> bilgi, double tarih1,
                                      double tarih2);
    TableReader RaporEnCokSatilanStoklar(std::optional<TSonucBilgisi> bilgi, double tarih1,
                                         double tarih2);

    // Announcements and promotions
    QString KayanYaziGetir();
    std::optional<TAcilisEkranlariki> AcilisEkranlarVer2();
    std::unique_ptr<QIODevice> BannerResimVer(qint64& size);
    std::unique_ptr<QIODevice> BannerResimVer2(qint64& size);
    std::unique_ptr<QIODevice> BannerResimVer3(qint64& size);
    int AcilisReklamAdet();
    std::optional<TAcilisEkran> AcilisREklamVer(int sira);

private:
    // A prepared command: the method's description and the kinds its reply holds.
    struct Command {
        const MethodInfo* method = nullptr;
        std::vector<Kind> replyKinds;
    };
    class Results;

    Results execute(const char* method, RequestWriter& parameters);

    Connection& m_connection;
    QHash<QString, Command> m_commands;
};

}  // namespace zerda
