#include "urunlistesi.h"

#include <QPointer>
#include <QTabWidget>

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

constexpr int T = Kaydirilan;
constexpr int S = Secilebilir;

const QList<KolonTanimi>& newColumns() {
    static const QList<KolonTanimi> columns = {
        {"BARKOD", "Barkod", 2, Gorunur | S},
        {"ADI", "Açıklama", 3, Gorunur | S},
        {"FINISHKOD", "Finish Kod", 2, Gorunur | S},
        {"BIRIM", "Birim", 1, Gorunur | S},
        {"MARKA", "Marka", 2, Gorunur | S},
        {"MODEL", "Model", 2, Gorunur | S},
        {"K", "Kampanyalı", 1, Gorunur | S | Simge | Ortali | SifirSimgesiz},
        {"LISTEFIYAT1", "Liste Fiyatı", 2, Gorunur | S},
        {"KAMPFIYAT", "Kampanyalı Fiyatı", 2, Gorunur | S},
        {"INDIRIMYAZI", "Indirim Oran", 2, Gorunur | S | Ortali},
        {"NETFIYAT", "Net Fiyatı", 2, Gorunur | S},
        {"KDVDAHIL", "KDV Dahil Fiyat", 2, Gorunur | S},
        {"OEM1", "Oem1", 2, S},
        {"OEM2", "Oem2", 2, S},
        {"OEM3", "Oem3", 2, S},
        {"OEM4", "Oem4", 2, S},
        {"URETICIKODU", "Üretici Kod", 2, S},
        {"DIGERADI", "Diğer Adı", 2, S},
        {"OEMNO", "Oem No", 2, S},
        {"ANAGRUP", "Ana Grup", 2, S},
        {"OZELKOD", "Özel Kod", 2, S},
        {"KDV", "", 1, S},
        {"FIYAT", "Liste Fiyatı2", 2, S},
        {"STOK_STOKNO", "", 1, 0},
        {"BARKOD_BARKODNO", "", 1, 0},
        {"DPKOD", "", 1, 0},
        {"KALAN", "", 1, 0, "cxGridDBColumn19"},
        {"PKOD", "", 1, 0},
        {"ALINANSIPARIS", "", 1, 0, "cxGridDBColumn22"},
        {"VERILENSIPARIS", "", 1, 0, "cxGridDBColumn23"},
        {"INDIRIM", "İndirim Oran", 1, 0},
    };
    return columns;
}

const QList<KolonTanimi>& campaignColumns() {
    static const QList<KolonTanimi> columns = {
        {"BARKOD", "Barkod", 2, Gorunur | S | T},
        {"ADI", "Açıklama", 3, Gorunur | S | T},
        {"RESIM", "Resim", 1, Gorunur | S | Simge | Ortali},
        {"FINISHKOD", "Finish Kod", 2, Gorunur | S | T},
        {"BIRIM", "Birim", 1, Gorunur | S | T},
        {"MARKA", "Marka", 2, Gorunur | S | T},
        {"MODEL", "Model", 2, Gorunur | S | T},
        {"ESKIFIYAT", "Liste Fiyatı", 2, Gorunur | S},
        {"FIYAT", "Kampanyalı Fiyatı", 2, Gorunur | S},
        {"Y", "Yeni", 1, Gorunur | S | Simge | Ortali},
        {"K", "Kampanyalı", 1, Gorunur | S | Simge | Ortali},
        {"INDIRIMYAZI", "İndirim Oran", 2, Gorunur | S | Ortali | T},
        {"NETFIYAT", "Net Fiyatı", 2, Gorunur | S},
        {"KDVDAHIL", "KDV Dahil Fiyat", 2, Gorunur | S},
        {"DURUM", "Durum", 1, Gorunur | S | Simge | Ortali},
        {"OEM1", "Oem1", 2, S | T},
        {"OEM2", "Oem2", 2, S | T},
        {"OEM3", "Oem3", 2, S | T},
        {"OEM4", "Oem4", 2, S | T},
        {"URETICIKODU", "Üretici Kod", 2, S | T},
        {"DIGERADI", "Diğer Adı", 2, S | T},
        {"OEMNO", "Oem No", 2, S | T},
        {"ANAGRUP", "Ana Grup", 2, S | T},
        {"OZELKOD", "Özel Kod", 2, S | T},
        {"KDV", "", 1, S},
        {"STOK_STOKNO", "", 1, 0},
        {"BARKOD_BARKODNO", "", 1, 0},
        {"DPKOD", "", 1, 0},
        {"KALAN", "", 1, 0, "cxGridDBColumnKALAN"},
        {"PKOD", "", 1, 0},
        {"ALINANSIPARIS", "", 1, 0, "cxGridDBColumn49"},
        {"VERILENSIPARIS", "", 1, 0, "cxGridDBColumn50"},
        {"INDIRIM", "", 1, 0},
    };
    return columns;
}

}  // namespace

UrunListesi::UrunListesi(Tur kind, Parts parts, QObject* parent)
    : QObject(parent), m_kind(kind), m_parts(std::move(parts)) {
    buildColumns();
    connect(m_parts.pages, &QTabWidget::currentChanged, this, [this] {
        if (m_parts.pages->currentWidget() == m_parts.tab)
            Goster();
    });
    connect(view(), &QAbstractItemView::doubleClicked, this, &UrunListesi::DblClick);
}

TcxGridView* UrunListesi::view() const {
    return m_parts.grid->view();
}

void UrunListesi::buildColumns() {
    TcxGridView* v = view();
    listeyiKur(v, m_kind == Tur::Yeniler ? newColumns() : campaignColumns(), 40);
    v->setDataSet(m_parts.list);
}

bool UrunListesi::loading() const {
    return !m_parts.grid->isEnabled();
}

void UrunListesi::Goster() {
    if (loading())
        return;  // this tab's load is still running
    m_parts.gif->show();
    m_parts.grid->setEnabled(false);
    view()->setDataSet(nullptr);
    view()->beginUpdate();
    std::shared_ptr<Connection> clone = m_parts.bagc->CloneConnection();
    const int carino = m_parts.sbilgi->CARINO();
    const int type = m_parts.sbilgi->MusteriTipi();
    const Tur kind = m_kind;
    auto rows = std::make_shared<DataTable>();
    auto hata = std::make_shared<bool>(false);
    auto loaded = std::make_shared<bool>(false);
    QPointer<UrunListesi> self(this);
    // An error of the call itself goes to the default error report; the grid is given back.
    Async([clone, carino, type, kind, rows, hata, loaded] {
        if (!BaglantiKur(*clone, 0)) {
            *hata = true;
            return;
        }
        TServerMethods1Client proxy(*clone);
        *rows =
            kind == Tur::Yeniler ? proxy.YenilerVer2(carino) : proxy.KampanyaliVer2(carino, type);
        *loaded = true;
        clone->Close();
    })->Await([self, hata, loaded, rows] {
        if (self)
            self->loadDone(*hata, *loaded, rows);
    });
}

void UrunListesi::loadDone(bool hata, bool loaded, std::shared_ptr<DataTable> rows) {
    ClientDataSet& list = *m_parts.list;
    if (loaded) {
        list.setData(std::move(*rows));
        FormatAyarla(list);
        m_parts.setCaption(sayacBasligi(int(list.RecordCount()),
                                        m_kind == Tur::Yeniler ? QStringLiteral("Yeni Stoklar")
                                                               : QStringLiteral("Kampanyalı")));
    }
    view()->setDataSet(&list);
    view()->endUpdate();
    m_parts.grid->setEnabled(true);
    m_parts.gif->hide();
    m_parts.grid->refreshFooter();
    if (hata)
        MesajGoster(kBaglantiKurulamiyor, MesajTipi::Hata, {Dugme::Tamam}, Dugme::Tamam);
    Q_EMIT loadFinished(hata);
}

void UrunListesi::DblClick() {
    if (loading())
        return;
    const int row = view()->focusedRow();
    const int field = m_parts.list->FieldIndex(QStringLiteral("STOK_STOKNO"));
    if (row >= 0 && field >= 0)
        Q_EMIT urunIstendi(m_parts.list->cell(row, field).toInt());
}

}  // namespace zerda
