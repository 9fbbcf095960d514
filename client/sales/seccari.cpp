#include "seccari.h"

#include <QAction>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QToolButton>
#include <QVBoxLayout>

#include "beklesin.h"
#include "calls.h"
#include "desktop.h"
#include "grid.h"
#include "proxim.h"
#include "resources.h"
#include "utils.h"

namespace zerda {

namespace {

// The account columns of the list: the name, whether the grid shows it.
const QList<std::pair<const char*, bool>>& accountColumns() {
    static const QList<std::pair<const char*, bool>> columns = {
        {"CARINO", false},       {"CARIKOD", true},    {"CARIADI", true},
        {"SATICISI", true},      {"TLBAKIYE", true},   {"DURUM", true},
        {"SEPET", true},         {"ALINDI", true},     {"ONAYLANDI", true},
        {"GORULDU", true},       {"HAZIRLANDI", true}, {"PARCALIHAZIRLANDI", true},
        {"OZELKOD", false},      {"ANAGRUP", false},   {"ALTGRUP", false},
        {"YETKILI", false},      {"ADRES1", false},    {"ADRES2", false},
        {"ILCE", false},         {"IL", false},        {"VERGIDAIRESI", false},
        {"VERGINO", false},      {"TEL1", false},      {"TEL2", false},
        {"FAX1", false},         {"FAX2", false},      {"GSM", false},
        {"EMAIL", false},        {"INDIRIM", false},   {"VADE", false},
        {"KOD1", false},         {"KOD2", false},      {"KOD3", false},
        {"KOD4", false},         {"KOD5", false},      {"VADEKONTROLGUN", false},
        {"VADEKONTROLAY", false}};
    return columns;
}

struct StatusButton {
    const char* name;
    const char* hint;
    int code;
};

const QList<StatusButton>& statusButtons() {
    static const QList<StatusButton> buttons = {
        {"sepettus", "Sipariş sepetinde \nstok olan carileri listeler.", 1},
        {"alinditus", "Yeni Alınan \nSiparişleri Listeler", 2},
        {"onaylanditus", "Onaylanan Siparişler", 3},
        {"goruldutus", "Görülen Siparişler", 4},
        {"parcalihazirlandi", "Eksik Hazırlanan siparişler", 5},
        {"hazirlanditus", "Hazırlanan Siparişler", 6},
        {"sevktus", "Sevk Edilen Siparişler", 7},
    };
    return buttons;
}

}  // namespace

Tseccari::Tseccari(QWidget* owner) : QDialog(owner) {
    setObjectName(QStringLiteral("seccari"));
    setWindowTitle(QStringLiteral("Cari Seçimi"));
    auto* layout = new QVBoxLayout(this);

    auto* strip = new QWidget(this);
    auto* row = new QHBoxLayout(strip);
    row->setContentsMargins(0, 0, 0, 0);
    m_search = new QLineEdit(strip);
    m_search->setObjectName(QStringLiteral("NEdit1"));
    m_search->setMinimumWidth(300);
    m_search->installEventFilter(this);
    upperCaseEntry(m_search);
    row->addWidget(m_search);
    auto* all = new QToolButton(strip);
    all->setObjectName(QStringLiteral("tumcaritus"));
    all->setToolTip(QStringLiteral("Tüm Carileri Listeler"));
    all->setIcon(Icons::search());
    connect(all, &QToolButton::clicked, this, [this] {
        m_search->clear();
        CarileriAra();
    });
    row->addWidget(all);
    buildStatusButtons(strip);
    row->addStretch(1);
    layout->addWidget(strip);

    auto* body = new QHBoxLayout;
    buildGrid();
    body->addWidget(m_grid, 1);
    m_details = buildDetails();
    body->addWidget(m_details);
    layout->addLayout(body, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    auto* choose = new QPushButton(QStringLiteral("Seç"), this);
    choose->setObjectName(QStringLiteral("Button1"));
    connect(choose, &QPushButton::clicked, this, &Tseccari::SeciliCariyiAl);
    auto* cancel = new QPushButton(QStringLiteral("Vazgeç"), this);
    cancel->setObjectName(QStringLiteral("Button2"));
    connect(cancel, &QPushButton::clicked, this, &Tseccari::Button2Click);
    buttons->addWidget(choose);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
    buildContextMenu();
    m_search->setFocus();
}

void Tseccari::buildStatusButtons(QWidget* strip) {
    for (const StatusButton& b : statusButtons()) {
        auto* button = new QToolButton(strip);
        button->setObjectName(QLatin1String(b.name));
        button->setToolTip(QString::fromUtf8(b.hint));
        button->setIcon(Icons::tab(b.code == 1 ? 8 : 3));
        button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        button->setMinimumWidth(64);
        const int code = b.code;
        connect(button, &QToolButton::clicked, this, [this, code] { CariSepetListele(code); });
        strip->layout()->addWidget(button);
    }
}

void Tseccari::buildGrid() {
    m_grid = new TcxGrid(QStringLiteral("cxGrid1"), QStringLiteral("cxGrid1DBTableView1"), this);
    TcxGridView* view = m_grid->view();
    for (const auto& [name, shown] : accountColumns()) {
        const QString field = QLatin1String(name);
        GridColumn* column =
            view->addColumn(QStringLiteral("cxGrid1DBTableView1") + field, field, field, 1);
        column->setVisible(shown);
        if (field == QLatin1String("CARIKOD"))
            column->summary = GridColumn::Summary::Count;
    }
    view->setDataSet(&CARILER);
    connect(view->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &Tseccari::FocusedRecordChanged);
    connect(view->model(), &QAbstractItemModel::modelReset, this, &Tseccari::FocusedRecordChanged);
    connect(view, &QAbstractItemView::doubleClicked, this, &Tseccari::SeciliCariyiAl);
}

QGroupBox* Tseccari::buildDetails() {
    auto* group = new QGroupBox(QStringLiteral("Cari Bilgileri"), this);
    group->setObjectName(QStringLiteral("GroupBox1"));
    group->setMinimumWidth(320);
    auto* form = new QFormLayout(group);
    auto value = [group](const char* name) {
        auto* l = new QLabel(group);
        l->setObjectName(QLatin1String(name));
        l->setTextInteractionFlags(Qt::TextSelectableByMouse);
        return l;
    };
    form->addRow(QStringLiteral("CariKod:"), value("carikod"));
    form->addRow(QStringLiteral("Cari Adı:"), value("cariadi"));
    form->addRow(QStringLiteral("Yetkili:"), value("yetkili"));
    form->addRow(QStringLiteral("Özel Kod:"), value("ozelkod"));
    form->addRow(QStringLiteral("Ana Grup:"), value("anagrup"));
    form->addRow(QStringLiteral("Alt Grup:"), value("altgrup"));
    form->addRow(QStringLiteral("Adres:"), value("adres1"));
    form->addRow(QString(), value("adres2"));
    form->addRow(QString(), value("ilce"));
    form->addRow(QStringLiteral("Vergi D.:"), value("vergi"));
    form->addRow(QStringLiteral("Telefon:"), value("telefon1"));
    form->addRow(QString(), value("telefon2"));
    form->addRow(QStringLiteral("Fax:"), value("fax1"));
    form->addRow(QString(), value("fax2"));
    form->addRow(QStringLiteral("Gsm:"), value("gsm"));
    form->addRow(QStringLiteral("E-mail:"), value("email"));
    form->addRow(QStringLiteral("İndirim %:"), value("indirim"));
    form->addRow(QStringLiteral("Vade (Gün):"), value("vade"));
    QLabel* balance = value("bakiye");
    balance->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    form->addRow(QStringLiteral("Bakiye:"), balance);
    group->hide();
    return group;
}

void Tseccari::buildContextMenu() {
    auto* menu = new QMenu(this);
    menu->setObjectName(QStringLiteral("PopupMenu1"));
    auto item = [menu](const char* name, const char* caption) {
        QAction* a = menu->addAction(QString::fromUtf8(caption));
        a->setObjectName(QLatin1String(name));
        return a;
    };
    item("C1", "Cari Özeti Göster");
    menu->addSeparator();
    item("B1", "Bakiyelerini Göster");
    menu->addSeparator();
    item("CariAlSatTablosuSatcl1", "Cari Alış Satış Tablosu (Satıcılı)");
    item("CariTopluAlacakVadeleri1", "Cari Toplu Alacak Vadeleri");
    TcxGridView* view = m_grid->view();
    view->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(view, &QWidget::customContextMenuRequested, menu,
            [menu, view](const QPoint& pos) { menu->popup(view->viewport()->mapToGlobal(pos)); });
}

void Tseccari::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // FormShow: the work area less 100 pixels, 50 pixels in from its corner.
    if (const QScreen* s = screen()) {
        const QRect area = s->availableGeometry();
        setGeometry(area.left() + 50, area.top() + 50, area.width() - 100, area.height() - 100);
    }
    m_search->setFocus();
}

bool Tseccari::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_search && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            CarileriAra();
            return true;  // Enter searches; it does not press the default button
        }
    }
    return QDialog::eventFilter(watched, event);
}

template <class F>
void Tseccari::onConnection(F&& call) {
    bag->Open();
    try {
        TServerMethods1Client proxy(*bag);
        call(proxy);
    } catch (...) {
        bag->Close();
        throw;
    }
    bag->Close();
}

QString Tseccari::AramaMetniDuzelt(const QString& text) {
    QString out = text;
    out.replace(QChar(0x0131), QLatin1Char('i'));
    return out.trimmed();
}

void Tseccari::SepetSayisiYaz() {
    TSonucBilgisi copy;
    copy.Kopyala(*bilgim);
    int count = 0;
    onConnection([&](TServerMethods1Client& proxy) { count = proxy.SepetSayisi(copy); });
    findChild<QToolButton*>(QStringLiteral("sepettus"))
        ->setText(count >= 1 ? QString::number(count) : QString());
}

void Tseccari::TusSonuclari() {
    TSonucBilgisi copy;
    copy.Kopyala(*bilgim);
    TTusSonuclari counts = TTusSonuclari::Create();
    onConnection([&](TServerMethods1Client& proxy) {
        if (const auto answer = proxy.TusSonuclariVer(copy))
            counts.Kopyala(*answer);
    });
    const QList<std::pair<const char*, int>> captions = {
        {"alinditus", counts.Alindi()},         {"onaylanditus", counts.Onaylandi()},
        {"goruldutus", counts.Goruldu()},       {"parcalihazirlandi", counts.ParcaliHazirlandi()},
        {"hazirlanditus", counts.Hazirlandi()}, {"sevktus", counts.SevkEdildi()}};
    for (const auto& [name, value] : captions)
        findChild<QToolButton*>(QLatin1String(name))->setText(QString::number(value));
}

void Tseccari::loadRows(TableReader&& reader) {
    CARILER.DisableControls();
    CopyReaderToDataSet(reader, CARILER);
    FormatAyarla(CARILER);
    CARILER.EnableControls();
    m_grid->view()->ApplyBestFit();
    if (CARILER.RecordCount() > 0)
        m_grid->view()->setFocusedRow(0);
    FocusedRecordChanged();
}

void Tseccari::CarileriAra() {
    const QString text = AramaMetniDuzelt(m_search->text());
    TSonucBilgisi copy;
    copy.Kopyala(*bilgim);
    TableReader rows;
    onConnection([&](TServerMethods1Client& proxy) { rows = proxy.CariAra(copy, text); });
    loadRows(std::move(rows));
    m_search->selectAll();
    m_search->setFocus();
}

void Tseccari::CariSepetListele(int n) {
    TSonucBilgisi copy;
    copy.Kopyala(*bilgim);
    TableReader rows;
    onConnection([&](TServerMethods1Client& proxy) { rows = proxy.CariSepetVer(copy, n); });
    loadRows(std::move(rows));
    if (n == 1) {
        m_search->selectAll();
        m_search->setFocus();
    }
}

void Tseccari::FocusedRecordChanged() {
    const int row = m_grid->view()->focusedRow();
    if (row < 0 || !KayitVarmi(CARILER)) {
        m_details->hide();
        return;
    }
    auto text = [&](const char* field) {
        const int index = CARILER.FieldIndex(QLatin1String(field));
        return index < 0 ? QString() : CARILER.cell(row, index).toString();
    };
    auto set = [&](const char* label, const QString& value) {
        findChild<QLabel*>(QLatin1String(label))->setText(value);
    };
    set("carikod", text("CARIKOD"));
    set("cariadi", text("CARIADI"));
    set("yetkili", text("YETKILI"));
    set("ozelkod", text("OZELKOD"));
    set("anagrup", text("ANAGRUP"));
    set("altgrup", text("ALTGRUP"));
    set("adres1", text("ADRES1"));
    set("adres2", text("ADRES2"));
    set("ilce", text("ILCE") + QLatin1Char('/') + text("IL"));
    set("vergi", text("VERGIDAIRESI") + QLatin1Char('/') + text("VERGINO"));
    set("telefon1", text("TEL1"));
    set("telefon2", text("TEL2"));
    set("fax1", text("FAX1"));
    set("fax2", text("FAX2"));
    set("gsm", text("GSM"));
    set("email", text("EMAIL"));
    const int balance = CARILER.FieldIndex(QStringLiteral("TLBAKIYE"));
    set("bakiye",
        formatFloat(kParaBicimi, balance < 0 ? 0.0 : CARILER.cell(row, balance).toDouble(),
                    QLocale()) +
            QLatin1Char(' ') + text("DURUM"));
    set("vade", text("VADE"));
    set("indirim", text("INDIRIM"));
    m_details->show();
}

void Tseccari::SeciliCariyiAl() {
    const int row = m_grid->view()->focusedRow();
    if (row < 0 || !KayitVarmi(CARILER))
        return;
    auto value = [&](const char* field) {
        const int index = CARILER.FieldIndex(QLatin1String(field));
        return index < 0 ? QVariant() : CARILER.cell(row, index);
    };
    const int carino = value("CARINO").toInt();
    if (carino <= 0)
        return;
    bilgim->setCARINO(carino);
    bilgim->setcarikod(value("CARIKOD").toString());
    bilgim->setCariAdi(value("CARIADI").toString());
    accept();
}

void Tseccari::Button2Click() {
    terminateProcess(0);
}

}  // namespace zerda
