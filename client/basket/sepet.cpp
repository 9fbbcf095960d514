#include "sepet.h"

#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QTabWidget>
#include <QThread>

#include "beklesin.h"
#include "calls.h"
#include "counters.h"
#include "grid.h"
#include "mesajgoster.h"
#include "proxim.h"
#include "stokkolonlari.h"
#include "utils.h"

namespace zerda {

namespace {

constexpr int S = Secilebilir;

const QList<KolonTanimi>& basketColumns() {
    static const QList<KolonTanimi> columns = {
        {"SEC", "Seç", 1, Gorunur | S | Onay | Ortali},
        {"VERILISTARIHI", "Sipariş Tarihi", 1, Gorunur | S},
        {"BARKOD", "Barkod", 2, Gorunur | S},
        {"FINISHKOD", "FinishKod", 2, Gorunur | S},
        {"OEMNO", "OEMNo", 2, Gorunur | S},
        {"STOKADI", "Stok Açıklama", 3, Gorunur | S},
        {"MIKTAR", "Miktar", 1, Gorunur | S},
        {"BIRIMFIYAT", "Birim Fiyat", 1, Gorunur | S},
        {"TUTAR", "Tutar", 1, Gorunur | S},
        {"INDIRIMYAZI", "İndirim Oran", 2, Gorunur | S | Ortali},
        {"NETBIRIMFIYAT", "Net Fiyat", 1, Gorunur | S},
        {"KDV", "", 1, Gorunur | S},
        {"VERGITUTARI", "Vergi Tutarı", 1, Gorunur | S},
        {"NETTUTAR", "Net Tutar", 1, Gorunur | S},
        {"VEREN", "Veren", 1, Gorunur | S},
        {"DURUM", "Durum", 1, Gorunur | S | Simge | Ortali},
        {"SIPARISNO", "Sipariş No", 1, S},
        {"TARIH", "Tarih", 1, S},
        {"KUR", "Kur", 1, S},
        {"SAAT", "Saat", 1, S},
        {"ACIKLAMA", "Açıklama", 1, S},
        {"MARKA", "Marka", 1, S},
        {"MODEL", "Model", 1, S},
        {"ANAGRUP", "Ana Grup", 1, S},
        {"OZELKOD", "Özel Kod", 1, S},
        {"OEM1", "", 1, S},
        {"OEM2", "", 1, S},
        {"OEM3", "", 1, S},
        {"OEM4", "", 1, S},
        {"DIGERADI", "", 1, S},
        {"DPKOD", "", 1, S},
        {"PKOD", "", 1, S},
        {"INDIRIMORANI4", "", 1, S},
        {"SIRANO", "", 1, 0},
        {"CARINO", "", 1, 0},
        {"AKTAR", "", 1, 0},
        {"STOKNO", "", 1, 0},
        {"INDIRIMORANI1", "İndirim Oranı %", 1, 0},
        {"INDIRIMORANI2", "", 1, 0},
        {"INDIRIMORANI3", "", 1, 0},
        {"INDIRIMTUTAR", "İndirim Tutar", 1, 0},
        {"KURTL", "", 1, 0},
        {"VERENIDNO", "", 1, 0},
        {"TESLIMID", "", 1, 0},
        {"KARGOID", "", 1, 0},
        {"IDNO", "", 1, 0},
        {"VERENSIRANO", "", 1, 0},
        {"CARIKOD", "Cari Kod", 1, 0},
        {"CARIADI", "Cari Adı", 1, 0},
        {"STOK_STOKNO", "", 1, 0},
        {"URETICIKODU", "", 1, 0},
        {"KALAN", "Kalan", 1, 0},
    };
    return columns;
}

}  // namespace

Sepet::Sepet(Parts parts, QObject* parent) : QObject(parent), m_parts(std::move(parts)) {
    if (!m_parts.grid)
        return;
    buildColumns();
    connect(view(), &QAbstractItemView::doubleClicked, this, &Sepet::Deitir1Click);
    connect(m_parts.pages, &QTabWidget::currentChanged, this, [this] {
        if (m_parts.pages->currentWidget() == m_parts.tab)
            ssepetShow();
    });
}

TcxGridView* Sepet::view() const {
    return m_parts.grid->view();
}

void Sepet::buildColumns() {
    TcxGridView* v = view();
    listeyiKur(v, basketColumns(), 40);
    const QString prefix = v->objectName();
    v->column(prefix + QStringLiteral("OEM1"))->summary = GridColumn::Summary::None;
    v->column(prefix + QStringLiteral("VERILISTARIHI"))->summary = GridColumn::Summary::Count;
    for (const char* field : {"MIKTAR", "NETTUTAR"})
        v->column(prefix + QLatin1String(field))->summary = GridColumn::Summary::Sum;
    v->setDataSet(m_parts.sepet);
}

void Sepet::SepetGetir() {
    std::unique_ptr<Connection> clone = m_parts.bagc->CloneConnection();
    if (!BaglantiKur(*clone, 1))
        return;
    DataTable lines = TServerMethods1Client(*clone).SepetVer2(m_parts.sbilgi->CARINO());
    clone->Close();
    ClientDataSet& sepet = *m_parts.sepet;
    sepet.setData(std::move(lines));
    FormatAyarla(sepet);
    m_parts.setCaption(sayacBasligi(int(sepet.RecordCount()), QStringLiteral("Sepet")));
    ToplamlariHesapla();
    if (m_parts.grid)
        m_parts.grid->refreshFooter();
}

void Sepet::ToplamlariHesapla() {
    ClientDataSet& sepet = *m_parts.sepet;
    double t = 0, i = 0, v = 0;
    if (sepet.Active()) {
        sepet.DisableControls();
        const int sec = sepet.FieldIndex(QStringLiteral("SEC"));
        const int tutar = sepet.FieldIndex(QStringLiteral("TUTAR"));
        const int indirim = sepet.FieldIndex(QStringLiteral("INDIRIMTUTAR"));
        const int vergi = sepet.FieldIndex(QStringLiteral("VERGITUTARI"));
        for (sepet.First(); !sepet.Eof(); sepet.Next()) {
            if (sepet.Fields(sec).AsInteger() != 1)
                continue;
            t = IkiHaneYuvarla(t + sepet.Fields(tutar).AsFloat());
            i = IkiHaneYuvarla(i + sepet.Fields(indirim).AsFloat());
            v = IkiHaneYuvarla(v + sepet.Fields(vergi).AsFloat());
        }
        sepet.EnableControls();
    }
    const double n = IkiHaneYuvarla(t - i);
    const double g = IkiHaneYuvarla(n + v);
    const QLocale locale;
    for (const auto& [name, value] : {std::pair{"aratoplaml", t},
                                      {"indiriml", i},
                                      {"nettutarl", n},
                                      {"vergil", v},
                                      {"geneltoplaml", g}})
        if (QLabel* l = m_parts.totals.value(QLatin1String(name)))
            l->setText(formatFloat(kParaBicimi, value, locale));
}

bool Sepet::SecimGuncelle(int sirano, int secim) {
    std::unique_ptr<Connection> clone = m_parts.bagc->CloneConnection();
    if (!BaglantiKur(*clone, 1))
        return false;
    try {
        TServerMethods1Client(*clone).SepetSecimGuncelle(sirano, secim);
    } catch (const Error&) {
        return false;
    }
    clone->Close();
    return true;
}

void Sepet::ssepetShow() {
    m_parts.lbluyarbakiye->clear();
    CariBakiyeUyariBak();
    SepetGetir();
    if (m_parts.teslimKargoGetir)
        m_parts.teslimKargoGetir();
}

void Sepet::CariBakiyeUyariBak() {
    // A short-lived thread of its own with its own connection; it touches the label only through
    // the step it hands to the user-interface thread, and not at all once the tab is gone.
    std::shared_ptr<Connection> clone = m_parts.bagc->CloneConnection();
    const int carino = m_parts.sbilgi->CARINO();
    QPointer<Sepet> self(this);
    QThread* thread = QThread::create([clone, carino, self] {
        if (!BaglantiKur(*clone, 0))
            return;
        QString warning;
        try {
            warning = TServerMethods1Client(*clone).CariVadeGunGecmismiBul(carino);
        } catch (const Error&) {
        }
        clone->Close();
        RunOnUiThread([self, &warning] {
            if (!self)
                return;
            self->m_parts.lbluyarbakiye->setText(warning);
            Q_EMIT self->warningShown(warning);
        });
    });
    connect(thread, &QThread::finished, thread, &QObject::deleteLater);
    thread->start();
}

int Sepet::focusedLine() {
    const int row = view()->focusedRow();
    ClientDataSet& sepet = *m_parts.sepet;
    if (row < 0 || !sepet.Active())
        return -1;
    const int sirano = sepet.cell(row, sepet.FieldIndex(QStringLiteral("SIRANO"))).toInt();
    sepet.Locate(QStringLiteral("SIRANO"), sirano);
    return sirano;
}

void Sepet::setTick(int value) {
    ClientDataSet& sepet = *m_parts.sepet;
    sepet.Edit();
    sepet.FieldByName(QStringLiteral("SEC")).setValue(value);
    sepet.Post();
}

void Sepet::Deitir1Click() {
    const int sirano = focusedLine();
    if (sirano < 0)
        return;
    const GridColumn* column = view()->gridColumns().value(view()->currentIndex().column());
    if (!column || column->caption != QStringLiteral("Seç")) {
        Q_EMIT satirAcilsin(sirano);
        return;
    }
    const int value = m_parts.sepet->FieldByName(QStringLiteral("SEC")).AsInteger() == 0 ? 1 : 0;
    setTick(value);
    SecimGuncelle(sirano, value);
    ToplamlariHesapla();
}

void Sepet::tickAll(int value) {
    ClientDataSet& sepet = *m_parts.sepet;
    if (sepet.Active()) {
        // One call per line, in line order; each line's call reports its own failure.
        for (sepet.First(); !sepet.Eof(); sepet.Next()) {
            setTick(value);
            SecimGuncelle(sepet.FieldByName(QStringLiteral("SIRANO")).AsInteger(), value);
        }
    }
    ToplamlariHesapla();
    if (m_parts.araedit && m_parts.araedit->isEnabled()) {
        m_parts.araedit->selectAll();
        m_parts.araedit->setFocus();
    }
}

void Sepet::SatrSil1Click() {
    const int sirano = focusedLine();
    if (sirano < 0)
        return;
    if (MesajGoster(QStringLiteral("Satırı silmek istiyor musunuz "), MesajTipi::Soru,
                    {Dugme::Evet, Dugme::Hayir}, Dugme::Hayir) != kSonucEvet)
        return;
    ClientDataSet& sepet = *m_parts.sepet;
    const QString description = sepet.FieldByName(QStringLiteral("BARKOD")).AsString() +
                                QLatin1Char('-') +
                                sepet.FieldByName(QStringLiteral("STOKADI")).AsString();
    TSonucBilgisi copy;
    copy.Kopyala(*m_parts.sbilgi);
    Connection& bagc = *m_parts.bagc;
    if (!BaglantiKur(bagc, 1))
        return;
    TServerMethods1Client(bagc).SepetSatirSil(copy, sirano, description);
    bagc.Close();
    SepetGetir();
    MesajGoster(QStringLiteral("Satır silindi !"), MesajTipi::Bilgi, {Dugme::Tamam}, Dugme::Tamam);
}

void Sepet::HepsiniSil1Click() {
    if (!KayitVarmi(*m_parts.sepet))
        return;
    if (MesajGoster(QStringLiteral("Tüm Sepeti Silmek İstiyor musunuz "), MesajTipi::Soru,
                    {Dugme::Evet, Dugme::Hayir}, Dugme::Hayir) != kSonucEvet)
        return;
    TSonucBilgisi copy;
    copy.Kopyala(*m_parts.sbilgi);
    Connection& bagc = *m_parts.bagc;
    if (!BaglantiKur(bagc, 1))
        return;
    TServerMethods1Client(bagc).SepetHepsiniSil(copy);
    MesajGoster(QStringLiteral("Sepet Silindi !"), MesajTipi::Bilgi, {Dugme::Tamam}, Dugme::Tamam);
    bagc.Close();
    SepetGetir();
}

}  // namespace zerda
