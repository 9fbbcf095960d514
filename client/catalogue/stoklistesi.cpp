#include "stoklistesi.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QStyleOptionViewItem>
#include <QTabWidget>
#include <QToolButton>

#include "beklesin.h"
#include "calls.h"
#include "counters.h"
#include "desktop.h"
#include "grid.h"
#include "mesajgoster.h"
#include "proxim.h"
#include "resources.h"
#include "stokkolonlari.h"
#include "utils.h"

namespace zerda {

namespace {

const QString kBaslik = QStringLiteral("Stok Listesi");
const QColor kSeciliRenk(0xD2, 0xF0, 0xF9);
const QColor kTekSatirRenk(0xEF, 0xEF, 0xEF);

// The grid's columns in order. Prices and the price-information cell are shown by the layout.
const QList<KolonTanimi>& stockColumns() {
    constexpr int T = Kaydirilan;  // text columns wrap
    static const QList<KolonTanimi> columns = {
        {"DURUM", "Durum", 1, Gorunur | Secilebilir | Simge | Ortali},
        {"OEM1", "Oem1", 2, Secilebilir | T},
        {"OEM2", "Oem2", 2, Secilebilir | T},
        {"OEM3", "Oem3", 2, Secilebilir | T},
        {"BARKOD", "Barkod", 2, Secilebilir | T},
        {"FINISHKOD", "Finish Kod", 2, Gorunur | Secilebilir | T},
        {"ADI", "Açıklama", 4, Gorunur | Secilebilir | T},
        {"OEM4", "Oem4", 2, Secilebilir | T},
        {"STOK_STOKNO", "", 1, 0},
        {"URETICIKODU", "Üretici Kod", 2, Secilebilir | T},
        {"RESIM", "Resim", 1, Gorunur | Secilebilir | Simge | Ortali},
        {"BARKOD_BARKODNO", "", 1, 0},
        {"DIGERADI", "Diğer Adı", 3, Secilebilir | T},
        {"DPKOD", "", 2, 0},
        {"OEMNO", "Oem No", 2, Secilebilir | T},
        {"BIRIM", "Birim", 1, Secilebilir | T},
        {"MARKA", "Marka", 2, Gorunur | Secilebilir | T},
        {"MODEL", "Model", 2, Secilebilir | T},
        {"ANAGRUP", "Ana Grup", 2, Secilebilir | T},
        {"OZELKOD", "Özel Kod", 2, Secilebilir | T},
        {"KALAN", "", 1, 0},
        {"PKOD", "", 1, 0},
        {"KDV", "", 1, Secilebilir},
        {"ALINANSIPARIS", "", 1, 0},
        {"VERILENSIPARIS", "", 1, 0},
        {"LISTEFIYAT1", "Liste Fiyatı", 2, Secilebilir},
        {"KAMPFIYAT", "Kampanyalı Fiyat", 2, Secilebilir},
        {"FIYAT", "Liste Fiyatı", 2, Secilebilir},
        {"Y", "Yeni", 1, Gorunur | Secilebilir | Simge | Ortali},
        {"K", "Kampanyalı", 1, Gorunur | Secilebilir | Simge | Ortali},
        {"INDIRIMYAZI", "İndirim Oran", 2, Gorunur | Secilebilir | Ortali | T},
        {"NETFIYAT", "Net Fiyatı", 2, Secilebilir | Buyuk},
        {"KDVDAHIL", "KDV Dahil Fiyat", 3, Secilebilir},
        {"FiyatBilgisi", "Fiyat Bilgisi", 2, Secilebilir | Cizilen},
    };
    return columns;
}

// The four price columns of the wide layout.
const QStringList& priceColumns() {
    static const QStringList names = {QStringLiteral("LISTEFIYAT1"), QStringLiteral("KAMPFIYAT"),
                                      QStringLiteral("NETFIYAT"), QStringLiteral("KDVDAHIL")};
    return names;
}

}  // namespace

StokListesi::StokListesi(Parts parts, QObject* parent)
    : QObject(parent), m_parts(std::move(parts)) {
    buildColumns();
    upperCaseEntry(m_parts.araedit);
    m_parts.araedit->installEventFilter(this);
    connect(m_parts.ara, &QToolButton::clicked, this, &StokListesi::SpeedButton2Click);
    connect(m_parts.temizle, &QToolButton::clicked, this, &StokListesi::SpeedButton1Click);
    connect(m_parts.grid, &TcxGrid::resized, this, &StokListesi::cxGrid1Resize);
    connect(view(), &QAbstractItemView::doubleClicked, this,
            &StokListesi::cxGrid1DBTableView1DblClick);
}

TcxGridView* StokListesi::view() const {
    return m_parts.grid->view();
}

void StokListesi::buildColumns() {
    TcxGridView* v = view();
    listeyiKur(v, stockColumns(), 0);
    v->column(v->objectName() + QStringLiteral("FiyatBilgisi"))->customDraw =
        [this](QPainter* p, const QStyleOptionViewItem& o, const QModelIndex& i) {
            drawPriceCell(p, o, i);
        };
    view()->setDataSet(m_parts.stok);
}

QChar StokListesi::aramaHarfi(QChar typed) {
    switch (typed.unicode()) {
        case 0x011F:
            return u'g';  // ğ
        case 0x00FC:
            return u'u';  // ü
        case 0x015F:
            return u's';  // ş
        case 0x00F6:
            return u'o';  // ö
        case 0x00E7:
            return u'c';  // ç
        case 0x011E:
            return u'G';  // Ğ
        case 0x00DC:
            return u'U';  // Ü
        case 0x015E:
            return u'S';  // Ş
        case 0x0130:
            return u'I';  // İ
        case 0x00D6:
            return u'O';  // Ö
        case 0x00C7:
            return u'C';  // Ç
        case 0x0131:
            return u'I';  // ı
        default:
            return typed;
    }
}

bool StokListesi::eventFilter(QObject* watched, QEvent* event) {
    if (watched != m_parts.araedit || event->type() != QEvent::KeyPress)
        return QObject::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
        araeditEnter();
        return true;
    }
    const QString text = key->text();
    if (text.size() != 1 || aramaHarfi(text[0]) == text[0])
        return false;
    // The edit receives the plain letter instead, as if it had been typed.
    QKeyEvent plain(QEvent::KeyPress, key->key(), key->modifiers(), QString(aramaHarfi(text[0])),
                    key->isAutoRepeat(), ushort(key->count()));
    QCoreApplication::sendEvent(m_parts.araedit, &plain);
    return true;
}

bool StokListesi::searching() const {
    return !m_parts.araedit->isEnabled();
}

void StokListesi::SpeedButton2Click() {
    if (!searching())
        araeditEnter();
}

void StokListesi::araeditEnter() {
    if (searching())
        return;
    m_parts.pages->setCurrentWidget(m_parts.tab);
    m_parts.araedit->setEnabled(false);
    m_parts.gifstokara->show();
    // The grid neither reads nor paints the data set while it is replaced.
    view()->setDataSet(nullptr);
    view()->beginUpdate();
    view()->filter()->clearAll();
    const QString text = m_parts.araedit->text();  // as it stands, untrimmed
    TSonucBilgisi session;
    session.Kopyala(*m_parts.sbilgi);
    std::shared_ptr<Connection> clone = m_parts.bagc->CloneConnection();
    auto rows = std::make_shared<DataTable>();
    auto hata = std::make_shared<bool>(true);
    Q_EMIT searchStarted(text);
    QPointer<StokListesi> self(this);
    // The worker only fetches and decodes; the rows go into the data set on this thread.
    Async([clone, text, session, rows, hata] {
        if (!BaglantiKur(*clone, 0))
            return;
        try {
            TSonucBilgisi copy;
            copy.Kopyala(session);
            *rows = TServerMethods1Client(*clone).StokAraGetir(text, copy);
            *hata = false;
        } catch (const std::exception&) {
        }
        clone->Close();
    })->Await([self, hata, rows] {
        if (self)
            self->searchDone(*hata, rows);
    });
}

void StokListesi::searchDone(bool hata, std::shared_ptr<DataTable> rows) {
    ClientDataSet& stok = *m_parts.stok;
    if (!hata) {
        stok.setData(std::move(*rows));
        FormatAyarla(stok);
        m_parts.setCaption(sayacBasligi(int(stok.RecordCount()), kBaslik));
    }
    m_parts.araedit->setEnabled(true);
    view()->setDataSet(&stok);
    view()->endUpdate();
    m_parts.araedit->selectAll();
    m_parts.araedit->setFocus();
    m_parts.gifstokara->hide();
    if (hata) {
        if (stok.Active())
            stok.EmptyDataSet();
        MesajGoster(kBaglantiKurulamiyor, MesajTipi::Hata, {Dugme::Tamam}, Dugme::Tamam);
        m_parts.setCaption(kBaslik);
    }
    m_parts.grid->refreshFooter();
    Q_EMIT searchFinished(hata);
}

void StokListesi::SpeedButton1Click() {
    if (searching())
        return;
    if (m_parts.stok->Active()) {
        m_parts.stok->EmptyDataSet();
        m_parts.setCaption(kBaslik);
    }
    m_parts.pages->setCurrentWidget(m_parts.tab);
    view()->filter()->clearAll();
    m_parts.araedit->clear();
    m_parts.araedit->selectAll();
    m_parts.araedit->setFocus();
    m_parts.grid->refreshFooter();
}

void StokListesi::cxGrid1Resize() {
    if (!searching())
        StokKolonlariAyarla();
}

void StokListesi::StokKolonlariAyarla() {
    TcxGridView* v = view();
    const QString prefix = v->objectName();
    const bool wide = m_parts.window->width() > kGenisEkran;
    v->beginUpdate();
    for (const QString& field : priceColumns())
        v->column(prefix + field)->setVisible(wide);
    GridColumn* priceCell = v->column(prefix + QStringLiteral("FiyatBilgisi"));
    priceCell->setVisible(!wide);
    v->setRowHeight(wide ? 50 : 100);
    const QList<GridColumn*> visible = v->visibleColumns();
    QList<int> weights;
    for (const GridColumn* c : visible)
        weights << c->tag;
    const QList<int> widths = weightedColumnWidths(weights, m_parts.grid->width());
    for (int i = 0; i < widths.size(); ++i)
        v->setColumnWidth(int(v->gridColumns().indexOf(visible[i])), widths[i]);
    if (!wide) {
        for (const char* oem : {"OEM1", "OEM2", "OEM3"})
            if (GridColumn* c = v->column(prefix + QLatin1String(oem)); c->visible())
                v->setColumnWidth(int(v->gridColumns().indexOf(c)), 80);
        v->setColumnWidth(int(v->gridColumns().indexOf(priceCell)), 150);
    }
    v->endUpdate();
}

QString StokListesi::fiyatBilgisiMetni(double liste, double kampanya, double net, double kdvli) {
    const QLocale locale;
    auto money = [&](double v) { return formatFloat(kParaBicimi, v, locale); };
    const QString crlf = QStringLiteral("\r\n");
    QString text = QStringLiteral("Liste Fiyatı: ") + money(liste) + crlf;
    if (kampanya > 0)
        text += QStringLiteral("Kampanyalı Fiyat: ") + money(kampanya) + crlf;
    text += QStringLiteral("NetFiyat: ") + money(net) + crlf;
    text += QStringLiteral("KDV li Fiyat: ") + money(kdvli) + crlf;
    return text;
}

void StokListesi::drawPriceCell(QPainter* painter, const QStyleOptionViewItem& option,
                                const QModelIndex& index) const {
    const TcxGridView* v = view();
    auto number = [&](const char* field) {
        const int column =
            int(v->gridColumns().indexOf(v->column(v->objectName() + QLatin1String(field))));
        return index.sibling(index.row(), column).data(DataSetModel::RawValueRole).toDouble();
    };
    const QString text = fiyatBilgisiMetni(number("LISTEFIYAT1"), number("KAMPFIYAT"),
                                           number("NETFIYAT"), number("KDVDAHIL"));
    const bool selected = option.state & QStyle::State_Selected;
    painter->fillRect(option.rect, selected                              ? kSeciliRenk
                                   : v->dataSetRow(index.row()) % 2 == 0 ? QColor(Qt::white)
                                                                         : kTekSatirRenk);
    painter->setPen(Qt::black);
    // Qt breaks lines at "\n"; the last line break ends the text and starts no line.
    QString lines = text;
    lines.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    lines.chop(1);
    painter->drawText(option.rect.adjusted(10, 0, -10, 0), Qt::AlignRight | Qt::AlignVCenter,
                      lines);
}

void StokListesi::cxGrid1DBTableView1DblClick() {
    const int row = view()->focusedRow();
    if (row < 0)
        return;
    const int field = m_parts.stok->FieldIndex(QStringLiteral("STOK_STOKNO"));
    if (field >= 0)
        Q_EMIT urunIstendi(m_parts.stok->cell(row, field).toInt());
}

}  // namespace zerda
