#pragma once

#include <QList>
#include <QString>

#include "recordmacros.h"
#include "tdate.h"

namespace zerda {

// The records that server methods take and return as JSON objects. The unit name before the
// class name is part of the name on the wire.

#define ZERDA_FIELDS_TSONUCBILGISI(X)                         \
    X(QString, FBILGISAYARID, BILGISAYARID, {})               \
    X(QString, FSaticiMail, SaticiMail, {})                   \
    X(int, FSirano, Sirano, 0)                                \
    X(QString, FCariAdi, CariAdi, {})                         \
    X(QString, FSIFRE, SIFRE, {})                             \
    X(int, FSaticiNo, SaticiNo, 0)                            \
    X(int, FCARINO, CARINO, 0)                                \
    X(int, FAKTIF, AKTIF, 0)                                  \
    X(QString, FKullanicimail, Kullanicimail, {})             \
    X(QString, FADI, ADI, {})                                 \
    X(QString, FSaticiTelefon, SaticiTelefon, {})             \
    X(QString, Fcarikod, carikod, {})                         \
    X(bool, FVarmi, Varmi, false)                             \
    X(QString, FSaticiAdi, SaticiAdi, {})                     \
    X(QString, FBilgiSayarAdi, BilgiSayarAdi, {})             \
    X(QString, FDisip, Disip, {})                             \
    X(QString, FIcip, Icip, {})                               \
    X(QString, FBilgisayarKullanici, BilgisayarKullanici, {}) \
    X(int, FMusteriTipi, MusteriTipi, 1)                      \
    X(int, FVersion, Version, 1)

class TSonucBilgisi {
    ZERDA_RECORD_BODY(TSonucBilgisi, "baglantiu", ZERDA_FIELDS_TSONUCBILGISI)
    ZERDA_RECORD_KOPYALA(TSonucBilgisi, ZERDA_FIELDS_TSONUCBILGISI)
};

#define ZERDA_FIELDS_TSIPARISDIPAYRINTI(X)    \
    X(QString, FSizinMesaj, SizinMesaj, {})   \
    X(QString, FDurumu, Durumu, {})           \
    X(QString, FVeren, Veren, {})             \
    X(QString, FKargo, Kargo, {})             \
    X(QString, FBizimMesaj, BizimMesaj, {})   \
    X(QString, FTeslimCinsi, TeslimCinsi, {}) \
    X(QString, FKargoCinsi, KargoCinsi, {})   \
    X(QString, FSaticiNotu, SaticiNotu, {})

class TSiparisDipAyrinti {
    ZERDA_RECORD_BODY(TSiparisDipAyrinti, "baglantiu", ZERDA_FIELDS_TSIPARISDIPAYRINTI)
    ZERDA_RECORD_KOPYALA(TSiparisDipAyrinti, ZERDA_FIELDS_TSIPARISDIPAYRINTI)
};

#define ZERDA_FIELDS_TTUSSONUCLARI(X)                \
    X(int, FAlindi, Alindi, 0)                       \
    X(int, FOnaylandi, Onaylandi, 0)                 \
    X(int, FParcaliHazirlandi, ParcaliHazirlandi, 0) \
    X(int, FSevkEdildi, SevkEdildi, 0)               \
    X(int, FHazirlandi, Hazirlandi, 0)               \
    X(int, FGoruldu, Goruldu, 0)

class TTusSonuclari {
    ZERDA_RECORD_BODY(TTusSonuclari, "baglantiu", ZERDA_FIELDS_TTUSSONUCLARI)
    ZERDA_RECORD_KOPYALA(TTusSonuclari, ZERDA_FIELDS_TTUSSONUCLARI)
};

#define ZERDA_FIELDS_TMOBILCARIBILGISI(X)         \
    X(QString, FBILGISAYARID, BILGISAYARID, {})   \
    X(QString, FSEHIR, SEHIR, {})                 \
    X(QString, FFAX1, FAX1, {})                   \
    X(QString, FSATICIMAIL, SATICIMAIL, {})       \
    X(QString, FSATICIADI, SATICIADI, {})         \
    X(QString, FCARIADI, CARIADI, {})             \
    X(QString, FEMAIL, EMAIL, {})                 \
    X(QString, FVERGIDAIRESI, VERGIDAIRESI, {})   \
    X(QString, FYETKILI, YETKILI, {})             \
    X(QString, FAltGrup, AltGrup, {})             \
    X(QString, FTEL2, TEL2, {})                   \
    X(QString, FSIFRE, SIFRE, {})                 \
    X(QString, FGSM, GSM, {})                     \
    X(QString, FTEL1, TEL1, {})                   \
    X(QString, FADRES2, ADRES2, {})               \
    X(double, FTLBORC, TLBORC, 0.0)               \
    X(double, FTLALACAK, TLALACAK, 0.0)           \
    X(QString, FADRES1, ADRES1, {})               \
    X(QString, FULKE, ULKE, {})                   \
    X(QString, FAnaGrup, AnaGrup, {})             \
    X(int, FCARINO, CARINO, 0)                    \
    X(double, FTLBAKIYE, TLBAKIYE, 0.0)           \
    X(QString, FVERGINO, VERGINO, {})             \
    X(QString, FMAIL, MAIL, {})                   \
    X(QString, FOzelKod, OzelKod, {})             \
    X(QString, FKULLANICIADI, KULLANICIADI, {})   \
    X(QString, FSATICITELEFON, SATICITELEFON, {}) \
    X(QString, FCARIKOD, CARIKOD, {})             \
    X(QString, FFAX2, FAX2, {})                   \
    X(QString, FILCE, ILCE, {})

class TMobilCariBilgisi {
    ZERDA_RECORD_BODY(TMobilCariBilgisi, "mobilstokunit", ZERDA_FIELDS_TMOBILCARIBILGISI)
    ZERDA_RECORD_KOPYALA(TMobilCariBilgisi, ZERDA_FIELDS_TMOBILCARIBILGISI)
};

#define ZERDA_FIELDS_TACILISEKRAN(X) \
    X(int, FSiraNo, SiraNo, 0)       \
    X(QString, FResim, Resim, {})    \
    X(QString, FBaslik, Baslik, {})  \
    X(QString, FArama, Arama, {})

class TAcilisEkran {
    ZERDA_RECORD_BODY(TAcilisEkran, "mobilstokunit", ZERDA_FIELDS_TACILISEKRAN)
};

#define ZERDA_FIELDS_TMOBILSTOK(X)                    \
    X(int, FStokNo, StokNo, 0)                        \
    X(int, FResimVar, ResimVar, 0)                    \
    X(QString, FResim, Resim, {})                     \
    X(int, FYeni, Yeni, 0)                            \
    X(QString, FDepartman, Departman, {})             \
    X(double, FVerilenSiparis, VerilenSiparis, 0.0)   \
    X(QString, FAltGrup, AltGrup, {})                 \
    X(int, FDurum, Durum, 0)                          \
    X(QString, FRenk, Renk, {})                       \
    X(QString, FBirim, Birim, QStringLiteral("ADET")) \
    X(double, FKDV, KDV, 20.0)                        \
    X(double, FAlinanSiparis, AlinanSiparis, 0.0)     \
    X(double, FIsk2, Isk2, 0.0)                       \
    X(QString, FAnaGrup, AnaGrup, {})                 \
    X(QString, FKod, Kod, {})                         \
    X(double, FIsk3, Isk3, 0.0)                       \
    X(double, FListeFiyati, ListeFiyati, 0.0)         \
    X(QString, FBeden, Beden, {})                     \
    X(double, FNetFiyat, NetFiyat, 0.0)               \
    X(double, FIsk1, Isk1, 0.0)                       \
    X(double, FKDVliFiyat, KDVliFiyat, 0.0)           \
    X(double, FIsk4, Isk4, 0.0)                       \
    X(QString, FOzelKod, OzelKod, {})                 \
    X(int, FKampnayali, Kampnayali, 0)                \
    X(QString, FBarkod, Barkod, {})                   \
    X(double, FIndirimOran, IndirimOran, 0.0)         \
    X(double, FKalan, Kalan, 0.0)                     \
    X(QString, FUreticiKod, UreticiKod, {})           \
    X(double, FKampanyaliFiyat, KampanyaliFiyat, 0.0) \
    X(QString, FOemNo, OemNo, {})                     \
    X(int, FBarkodNo, BarkodNo, 0)                    \
    X(QString, FPKod, PKod, {})                       \
    X(QString, FDpKod, DpKod, {})                     \
    X(QString, FAdi, Adi, {})                         \
    X(double, FFiyat, Fiyat, 0.0)

class TMobilStok {
    ZERDA_RECORD_BODY(TMobilStok, "mobilstokunit", ZERDA_FIELDS_TMOBILSTOK)
    ZERDA_RECORD_KOPYALA(TMobilStok, ZERDA_FIELDS_TMOBILSTOK)
};

#define ZERDA_FIELDS_TMOBILSEPET(X)               \
    X(int, FKARGOID, KARGOID, 0)                  \
    X(int, FStokNo, StokNo, 0)                    \
    X(TDate, FTARIH, TARIH, 0.0)                  \
    X(int, FSIRANO, SIRANO, 0)                    \
    X(QString, FCARIADI, CARIADI, {})             \
    X(TDate, FVERILISTARIHI, VERILISTARIHI, 0.0)  \
    X(int, FDurum, Durum, 0)                      \
    X(double, FMIKTAR, MIKTAR, 0.0)               \
    X(int, FVERENIDNO, VERENIDNO, 0)              \
    X(double, FNETTUTAR, NETTUTAR, 0.0)           \
    X(double, FKDVLITUTAR, KDVLITUTAR, 0.0)       \
    X(double, FKDV, KDV, 0.0)                     \
    X(int, FAKTAR, AKTAR, 0)                      \
    X(QString, FSAAT, SAAT, {})                   \
    X(double, FVERGITUTARI, VERGITUTARI, 0.0)     \
    X(QString, FPKod, PKod, {})                   \
    X(QString, FMODEL, MODEL, {})                 \
    X(double, FINDIRIMTUTAR, INDIRIMTUTAR, 0.0)   \
    X(int, FSTOK_STOKNO, STOK_STOKNO, 0)          \
    X(double, FBIRIMFIYAT, BIRIMFIYAT, 0.0)       \
    X(int, FSEC, SEC, 0)                          \
    X(QString, FOEM2, OEM2, {})                   \
    X(QString, FOEM3, OEM3, {})                   \
    X(QString, FAnaGrup, AnaGrup, {})             \
    X(QString, FMARKA, MARKA, {})                 \
    X(QString, FVEREN, VEREN, {})                 \
    X(QString, FSTOKADI, STOKADI, {})             \
    X(QString, FOEM1, OEM1, {})                   \
    X(int, FCARINO, CARINO, 0)                    \
    X(int, FVERENSIRANO, VERENSIRANO, 0)          \
    X(int, FACIKLAMA, ACIKLAMA, 0)                \
    X(double, FINDIRIMORANI2, INDIRIMORANI2, 0.0) \
    X(QString, FOEM4, OEM4, {})                   \
    X(QString, FKUR, KUR, {})                     \
    X(double, FINDIRIMORANI3, INDIRIMORANI3, 0.0) \
    X(int, FSIPARISNO, SIPARISNO, 0)              \
    X(double, FIDNO, IDNO, 0.0)                   \
    X(QString, FOzelKod, OzelKod, {})             \
    X(QString, FDpKod, DpKod, {})                 \
    X(double, FKURTL, KURTL, 0.0)                 \
    X(double, FINDIRIMORANI1, INDIRIMORANI1, 0.0) \
    X(QString, FDIGERADI, DIGERADI, {})           \
    X(QString, FBarkod, Barkod, {})               \
    X(double, FTUTAR, TUTAR, 0.0)                 \
    X(QString, FURETICIKODU, URETICIKODU, {})     \
    X(double, FKalan, Kalan, 0.0)                 \
    X(QString, FFINISHKOD, FINISHKOD, {})         \
    X(QString, FCARIKOD, CARIKOD, {})             \
    X(double, FNETBIRIMFIYAT, NETBIRIMFIYAT, 0.0) \
    X(QString, FOemNo, OemNo, {})                 \
    X(int, FTESLIMID, TESLIMID, 0)                \
    X(int, FResimVar, ResimVar, 0)                \
    X(QString, FResim, Resim, {})

class TMobilSepet {
    ZERDA_RECORD_BODY(TMobilSepet, "mobilstokunit", ZERDA_FIELDS_TMOBILSEPET)
    ZERDA_RECORD_KOPYALA(TMobilSepet, ZERDA_FIELDS_TMOBILSEPET)
};

// Holder of the announcement screens, in the server's order.
#define ZERDA_FIELDS_TACILISEKRANLARIKI(X) X(QList<TAcilisEkran>, FEkranlar, Ekranlar, {})

class TAcilisEkranlariki {
    ZERDA_RECORD_BODY(TAcilisEkranlariki, "mobilstokunit", ZERDA_FIELDS_TACILISEKRANLARIKI)
};

// Object lists of the wire vocabulary; no method of this program sends them on their own.
using TAcilisEkranlar = QList<TAcilisEkran>;
using TMobilStoklar = QList<TMobilStok>;
using TMobilSepetler = QList<TMobilSepet>;

}  // namespace zerda
