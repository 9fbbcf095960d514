#include "methods.h"

namespace zerda {

QString kindName(Kind kind) {
    switch (kind) {
        case Kind::None:
            return QStringLiteral("yok");
        case Kind::Integer:
            return QStringLiteral("Integer");
        case Kind::Double:
            return QStringLiteral("Double");
        case Kind::String:
            return QStringLiteral("string");
        case Kind::Boolean:
            return QStringLiteral("Boolean");
        case Kind::Record:
            return QStringLiteral("kayıt");
        case Kind::OutInt64:
            return QStringLiteral("out Int64");
        case Kind::Table:
            return QStringLiteral("tablo");
        case Kind::DataPacket:
            return QStringLiteral("veri paketi");
        case Kind::Stream:
            return QStringLiteral("akış");
    }
    return {};
}

std::vector<Kind> MethodInfo::replyKinds() const {
    std::vector<Kind> kinds;
    for (const ParamInfo& p : params)
        if (p.kind == Kind::OutInt64)
            kinds.push_back(p.kind);
    if (result != Kind::None)
        kinds.push_back(result);
    return kinds;
}

int MethodInfo::inputCount() const {
    int count = 0;
    for (const ParamInfo& p : params)
        if (p.kind != Kind::OutInt64)
            ++count;
    return count;
}

namespace {

constexpr const char* kSession = "baglantiu.TSonucBilgisi";

ParamInfo I(const char* name) {
    return {name, Kind::Integer};
}
ParamInfo D(const char* name) {
    return {name, Kind::Double};
}
ParamInfo S(const char* name) {
    return {name, Kind::String};
}
ParamInfo Session(const char* name) {
    return {name, Kind::Record, kSession};
}
ParamInfo Out(const char* name) {
    return {name, Kind::OutInt64};
}

std::vector<ParamInfo> strings(std::initializer_list<const char*> names) {
    std::vector<ParamInfo> params;
    for (const char* n : names)
        params.push_back(S(n));
    return params;
}

std::vector<ParamInfo> mailParams(bool withSubject) {
    auto params =
        strings({"idsi", "baslik", "firmaadi", "adres1", "adres2", "ilce", "sehir", "telefon",
                 "fax", "vd", "vn", "yetkili", "kullaniciadi", "sifre", "mail", "kargoambar"});
    if (withSubject)
        params.push_back(S("konu"));
    return params;
}

std::vector<ParamInfo> balanceParams() {
    return {Session("k"), I("stokno"), I("sepetsirano"), I("siparissirano"),
            D("Adet"),    D("Bakiye"), S("barkod")};
}

std::vector<MethodInfo> buildCatalogue() {
    auto priceChange = balanceParams();
    priceChange.push_back(D("fiyat"));
    priceChange.push_back(D("ind"));
    return {
        // Session and identity
        {"BuyukGetir", {S("idsi")}, Kind::Record, kSession},
        {"MobilCariBilgisiGetir",
         {I("sirano"), S("_idsi")},
         Kind::Record,
         "mobilstokunit.TMobilCariBilgisi"},
        {"MailGonserCari", mailParams(false), Kind::Integer},
        {"MailGonserCariNormal", mailParams(true), Kind::Integer},
        {"BalonGetir", {Session("bil")}, Kind::Table},
        // Catalogue
        {"StokAraGetir", {S("kod"), Session("bilgi")}, Kind::DataPacket},
        {"ResimVer5", {I("stokno"), Out("boy")}, Kind::Stream},
        {"YenilerVer2", {I("carino")}, Kind::DataPacket},
        {"KampanyaliVer2", {I("cario"), I("satici")}, Kind::DataPacket},
        // Basket and ordering
        {"SepetVer2", {I("carino")}, Kind::DataPacket},
        {"SepetEkle2",
         {Session("bilgim"), I("carino"), I("stokno"), S("barkod"), S("stokadi"), D("miktar"),
          D("kdv"), D("fiyat"), D("ind1"), I("verenid"), I("k"), D("ind2"), D("ind3"), D("ind4")},
         Kind::Integer},
        {"SepetGuncelle2",
         {Session("bilgim"), I("carino"), I("stokno"), S("barkod"), S("stokadi"), D("miktar"),
          D("kdv"), D("fiyat"), D("ind1"), I("verenid"), I("_sepetsirano"), D("ind2"), D("ind3"),
          D("ind4")},
         Kind::Integer},
        {"SepetSatirSil", {Session("bilgi"), I("satirno"), S("aciklamam")}, Kind::Integer},
        {"SepetHepsiniSil", {Session("bilgi")}, Kind::Integer},
        {"SepetSecimGuncelle", {I("sirano"), I("secim")}, Kind::None},
        {"TeslimVer", {}, Kind::Table},
        {"KargoVer", {}, Kind::Table},
        {"KargolarVer", {I("gn")}, Kind::Table},
        {"SiparisKaydet",
         {Session("BB"), I("_carino"), I("_teslim"), I("_kargo"), S("_aciklama"), I("_verenid"),
          I("_kargoyeni")},
         Kind::Boolean},
        {"CariVadeGunGecmismiBul", {I("carino")}, Kind::String},
        // Orders and account
        {"OncekiSiparisler", {I("carino")}, Kind::Table},
        {"SiparisAyrintisi2", {I("carino"), I("idnosu")}, Kind::Table},
        {"SiparisAytintisiDip",
         {I("carino"), I("siranosu")},
         Kind::Record,
         "baglantiu.TSiparisDipAyrinti"},
        {"TumSiparislerVer", {I("carino"), I("stokno")}, Kind::Table},
        {"BakiyelerVer2", {I("carino")}, Kind::Table},
        {"BakiyeDuzenle", balanceParams(), Kind::Integer},
        {"BakiyeDegistir", balanceParams(), Kind::Integer},
        {"BakiyeFiyatDegistir", priceChange, Kind::Integer},
        {"CariEkstreVer", {I("carino")}, Kind::Table},
        {"FaturaGetir", {I("carino"), I("idnosu")}, Kind::Table},
        {"FaturaAltGetir", {I("idnosu")}, Kind::Table},
        {"Tahsilat", {I("idnosu")}, Kind::Table},
        {"SanalposSiranoVer", {I("idnosu")}, Kind::Integer},
        {"SAnalPosPdfVer", {I("sirano"), Out("boy")}, Kind::Stream},
        {"CariDurumVer", {I("carino")}, Kind::String},
        // Salesperson console
        {"CariAra", {Session("bil"), S("aranan")}, Kind::Table},
        {"CariSepetVer", {Session("bil"), I("n")}, Kind::Table},
        {"SepetSayisi", {Session("bil")}, Kind::Integer},
        {"TusSonuclariVer", {Session("bil")}, Kind::Record, "baglantiu.TTusSonuclari"},
        {"RaporGetir",
         {I("raporno"), I("bolum"), I("idno"), I("carino"), S("saticiadi"), D("tarih1"),
          D("tarih2"), Out("size")},
         Kind::Stream},
        {"RaporAlinanSiparisler", {Session("bilgi"), D("tarih1"), D("tarih2")}, Kind::Table},
        {"RaporEnCokSatilanStoklar", {Session("bilgi"), D("tarih1"), D("tarih2")}, Kind::Table},
        // Announcements and promotions
        {"KayanYaziGetir", {}, Kind::String},
        {"AcilisEkranlarVer2", {}, Kind::Record, "mobilstokunit.TAcilisEkranlariki"},
        {"BannerResimVer", {Out("size")}, Kind::Stream},
        {"BannerResimVer2", {Out("size")}, Kind::Stream},
        {"BannerResimVer3", {Out("size")}, Kind::Stream},
        {"AcilisReklamAdet", {}, Kind::Integer},
        {"AcilisREklamVer", {I("sira")}, Kind::Record, "mobilstokunit.TAcilisEkran"},
    };
}

}  // namespace

const std::vector<MethodInfo>& serverMethods() {
    static const std::vector<MethodInfo> catalogue = buildCatalogue();
    return catalogue;
}

const MethodInfo* findServerMethod(QStringView name) {
    for (const MethodInfo& m : serverMethods())
        if (name == QLatin1String(m.name))
            return &m;
    return nullptr;
}

}  // namespace zerda
