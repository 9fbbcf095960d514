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
#include "utils.h"

namespace zerda {

namespace {

const QString kBaslik = QStringLiteral("Stok Listesi");
const QColor kSeciliRenk(0xD2, 0xF0, 0xF9);
const QColor kTekSatirRenk(0xEF, 0xEF, 0xEF);

enum Flag { Shown = 1, UserMayShow = 2, Icon = 4, Centred = 8, Big = 16, Drawn = 32 };

struct StockColumn {
    const char* field;
    const char* caption;
    int weight;
    int flags;
};

// The grid's columns in order. Prices and the price-information cell are shown by the layout.
const QList<StockColumn>& stockColumns() {
    static const QList<StockColumn> columns = {
        {"DURUM", "Durum", 1, Shown | UserMayShow | Icon | Centred},
        {"OEM1", "Oem1", 2, UserMayShow},
        {"OEM2", "Oem2", 2, UserMayShow},
        {"OEM3", "Oem3", 2, UserMayShow},
        {"BARKOD", "Barkod", 2, UserMayShow},
        {"FINISHKOD", "Finish Kod", 2, Shown | UserMayShow},
        {"ADI", "Açıklama", 4, Shown | UserMayShow},
        {"OEM4", "Oem4", 2, UserMayShow},
        {"STOK_STOKNO", "", 1, 0},
        {"URETICIKODU", "Üretici Kod", 2, UserMayShow},
        {"RESIM", "Resim", 1, Shown | UserMayShow | Icon | Centred},
        {"BARKOD_BARKODNO", "", 1, 0},
        {"DIGERADI", "Diğer Adı", 3, UserMayShow},
        {"DPKOD", "", 2, 0},
        {"OEMNO", "Oem No", 2, UserMayShow},
        {"BIRIM", "Birim", 1, UserMayShow},
        {"MARKA", "Marka", 2, Shown | UserMayShow},
        {"MODEL", "Model", 2, UserMayShow},
        {"ANAGRUP", "Ana Grup", 2, UserMayShow},
        {"OZELKOD", "Özel Kod", 2, UserMayShow},
        {"KALAN", "", 1, 0},
        {"PKOD", "", 1, 0},
        {"KDV", "", 1, UserMayShow},
        {"ALINANSIPARIS", "", 1, 0},
        {"VERILENSIPARIS", "", 1, 0},
        {"LISTEFIYAT1", "Liste Fiyatı", 2, UserMayShow},
        {"KAMPFIYAT", "Kampanyalı Fiyat", 2, UserMayShow},
        {"FIYAT", "Liste Fiyatı", 2, UserMayShow},
        {"Y", "Yeni", 1, Shown | UserMayShow | Icon | Centred},
        {"K", "Kampanyalı", 1, Shown | UserMayShow | Icon | Centred},
        {"INDIRIMYAZI", "İndirim Oran", 2, Shown | UserMayShow | Centred},
        {"NETFIYAT", "Net Fiyatı", 2, UserMayShow | Big},
        {"KDVDAHIL", "KDV Dahil Fiyat", 3, UserMayShow},
        {"FiyatBilgisi", "Fiyat Bilgisi", 2, UserMayShow | Drawn},
    };
    return columns;
}

// The four price columns of the wide layout.
const QStringList& priceColumns() {
    static const QStringList names = {QStringLiteral("LISTEFIYAT1"), QStringLiteral("KAMPFIYAT"),
                                      QStringLiteral("NETFIYAT"), QStringLiteral("KDVDAHIL")};
    return names;
}

QMap<int, GridColumn::IconEntry> iconsOf(const QString& field) {
    QMap<int, GridColumn::IconEntry> icons;
    if (field == QLatin1String("DURUM")) {
        for (int state = 0; state <= 5; ++state)
            icons.insert(state, {Icons::stockState(state), Icons::stockStateName(state)});
    } else if (field == QLatin1String("RESIM")) {
        icons.insert(1, {Icons::picture(), QStringLiteral("Var")});
        icons.insert(0, {QIcon(), QStringLiteral("Yok")});
    } else if (field == QLatin1String("Y")) {
        icons.insert(0, {Icons::no(), QStringLiteral("Hayır")});
        icons.insert(1, {Icons::yes(), QStringLiteral("Evet")});
    } else if (field == QLatin1String("K")) {
        icons.insert(0, {Icons::no(), QString()});
        icons.insert(1, {Icons::yes(), QStringLiteral("Evet")});
    }
    return icons;
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
    v->setEditTriggers(QAbstractItemView::NoEditTriggers);
    v->setSelectionBehavior(QAbstractItemView::SelectRows);
    v->setHeaderHeight(40);
    for (const StockColumn& c : stockColumns()) {
        const QString field = QLatin1String(c.field);
        GridColumn* column =
            v->addColumn(v->objectName() + field, c.flags & Drawn ? QString() : field,
                         QString::fromUtf8(c.caption), c.weight);
        column->userMayShow = c.flags & UserMayShow;
        column->setVisible(c.flags & Shown);
        if (c.flags & Icon) {
            column->kind = GridColumn::Kind::Icon;
            column->icons = iconsOf(field);
        } else if (c.flags & Drawn) {
            column->kind = GridColumn::Kind::Custom;
            column->customDraw = [this](QPainter* p, const QStyleOptionViewItem& o,
                                        const QModelIndex& i) { drawPriceCell(p, o, i); };
        } else {
            column->wrap = true;
        }
        column->alignment =
            (c.flags & Centred ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignVCenter;
        if (c.flags & Big) {
            column->bold = true;
            column->pointSize = 11;
        }
        if (field == QLatin1String("OEM1"))
            column->summary = GridColumn::Summary::Count;
    }
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
