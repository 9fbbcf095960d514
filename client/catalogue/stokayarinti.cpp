#include "stokayarinti.h"

#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QStackedLayout>
#include <QTimer>
#include <QVBoxLayout>

#include "asyncresim.h"
#include "clientdataset.h"
#include "settings.h"
#include "utils.h"

namespace zerda {

TNumberBox::TNumberBox(const QString& objectName, QWidget* parent) : QLineEdit(parent) {
    setObjectName(objectName);
    setAlignment(Qt::AlignRight);
    setReadOnly(true);
    setValue(0);
}

double TNumberBox::value() const {
    const QLocale locale;
    bool ok = false;
    QString t = text().trimmed();
    t.remove(locale.groupSeparator());
    const double v = locale.toDouble(t, &ok);
    return ok ? v : 0;
}

void TNumberBox::setValue(double value) {
    setText(formatFloat(kParaBicimi, value, QLocale()));
}

Tstokayarinti::Tstokayarinti(QWidget* owner, int _stokno) : QDialog(owner), m_stokno(_stokno) {
    setObjectName(QStringLiteral("stokayarinti"));
    setWindowTitle(QStringLiteral("Sepete Ekle"));
    resize(760, 600);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(buildHeader());
    layout->addWidget(buildPictures(), 1);
    layout->addWidget(buildBottom());
}

QWidget* Tstokayarinti::buildHeader() {
    auto* header = new QWidget(this);
    auto* form = new QFormLayout(header);
    for (const auto& [name, caption] : {std::pair{"barkod", "Barkod:"},
                                        {"adi", "Açıklama:"},
                                        {"finishkod", "Finish Kod:"},
                                        {"marka", "Marka:"},
                                        {"model", "Model:"}}) {
        auto* value = new QLabel(header);
        value->setObjectName(QLatin1String(name));
        value->setTextInteractionFlags(Qt::TextSelectableByMouse);
        form->addRow(QString::fromUtf8(caption), value);
    }
    return header;
}

QWidget* Tstokayarinti::buildPictures() {
    // The web picture lies over the server's, which shows through until it arrives.
    auto* area = new QWidget(this);
    auto* stack = new QStackedLayout(area);
    stack->setStackingMode(QStackedLayout::StackAll);
    m_async = new TAsyncResim(area);
    m_async->setObjectName(QStringLiteral("AsyncResim1"));
    stack->addWidget(m_async);
    m_image1 = new QLabel(area);
    m_image1->setObjectName(QStringLiteral("Image1"));
    m_image1->setAlignment(Qt::AlignCenter);
    m_image1->setMinimumSize(1, 1);
    stack->addWidget(m_image1);
    m_async->raise();
    return area;
}

QWidget* Tstokayarinti::buildBottom() {
    auto* bottom = new QWidget(this);
    auto* row = new QHBoxLayout(bottom);

    m_rates = new QWidget(bottom);
    m_rates->setObjectName(QStringLiteral("GridPanel2"));
    auto* rates = new QGridLayout(m_rates);
    for (int i = 1; i <= 4; ++i) {
        rates->addWidget(
            new QLabel(i == 1 ? QStringLiteral("İsk") : QStringLiteral("İsk%1").arg(i), m_rates), 0,
            i - 1);
        auto* rate = new TNumberBox(QStringLiteral("edindirim%1").arg(i), m_rates);
        rate->installEventFilter(this);
        rates->addWidget(rate, 1, i - 1);
    }
    m_rates->hide();
    row->addWidget(m_rates);

    auto* centre = new QGridLayout;
    m_adet = new QSpinBox(bottom);
    m_adet->setObjectName(QStringLiteral("adet"));
    m_adet->setRange(1, 10000);
    m_adet->setValue(1);
    m_adet->installEventFilter(this);
    connect(m_adet, &QSpinBox::valueChanged, this, &Tstokayarinti::Hesapla);
    centre->addWidget(new QLabel(QStringLiteral("Adet:"), bottom), 0, 0);
    centre->addWidget(m_adet, 0, 1);
    const QList<std::tuple<const char*, const char*, const char*>> rows = {
        {"Label2", "Fiyat:", "birimfiyat"},
        {"indirimoran", "İndirim:", "indtutar"},
        {"Label4", "KDV Dahil:", "kdvdahiltutar"},
        {"Label5", "Tutar:", "geneltutar"}};
    int r = 1;
    for (const auto& [labelName, caption, boxName] : rows) {
        auto* l = new QLabel(QString::fromUtf8(caption), bottom);
        l->setObjectName(QLatin1String(labelName));
        auto* b = new TNumberBox(QLatin1String(boxName), bottom);
        b->installEventFilter(this);
        centre->addWidget(l, r, 0);
        centre->addWidget(b, r, 1);
        ++r;
    }
    row->addLayout(centre, 1);

    auto* buttons = new QVBoxLayout;
    auto* ok = new QPushButton(QStringLiteral("Sipariş ekle"), bottom);
    ok->setObjectName(QStringLiteral("ParcaliTus1"));
    ok->setAutoDefault(false);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    auto* cancel = new QPushButton(QStringLiteral("Vazgeç"), bottom);
    cancel->setObjectName(QStringLiteral("ParcaliTus2"));
    cancel->setAutoDefault(false);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    row->addLayout(buttons);
    return bottom;
}

TNumberBox* Tstokayarinti::box(const char* name) const {
    return findChild<TNumberBox*>(QLatin1String(name));
}

QLabel* Tstokayarinti::label(const char* name) const {
    return findChild<QLabel*>(QLatin1String(name));
}

void Tstokayarinti::setImage1(const QImage& picture) {
    if (picture.isNull()) {
        m_image1->clear();
        return;
    }
    const QSize area = m_image1->size().expandedTo(QSize(320, 240));
    m_image1->setPixmap(
        QPixmap::fromImage(picture.scaled(area, Qt::KeepAspectRatio, Qt::SmoothTransformation)));
}

void Tstokayarinti::setPricesEditable(bool editable, bool showRates) {
    box("birimfiyat")->setReadOnly(!editable);
    for (int i = 1; i <= 4; ++i)
        box(QStringLiteral("edindirim%1").arg(i).toLatin1().constData())->setReadOnly(!editable);
    m_rates->setVisible(showRates);
}

bool Tstokayarinti::IndirimVarmi() const {
    double sum = 0;
    for (const char* name : {"edindirim1", "edindirim2", "edindirim3", "edindirim4"})
        sum += box(name)->value();
    return sum > 1;
}

TIndirimSonucu Tstokayarinti::IndirimHesapla(long double brut, double i1, double i2, double i3,
                                             double i4, double q) {
    long double c = brut;
    for (double i : {i1, i2, i3, i4})
        if (i > 0)
            c = c - c * i / 100;
    TIndirimSonucu r;
    r.IndirimTutari = brut - c;
    r.NetTutari = IkiHaneYuvarla(double(c));
    r.NetBirimFiyati = q != 0 ? IkiHaneYuvarla(double(r.NetTutari / q)) : 0;
    return r;
}

void Tstokayarinti::Hesapla() {
    const double f = kdvoran / 100 + 1;
    const int q = m_adet->value();
    const long double brut = (long double)box("birimfiyat")->value() * q;
    const TIndirimSonucu r =
        IndirimHesapla(brut, box("edindirim1")->value(), box("edindirim2")->value(),
                       box("edindirim3")->value(), box("edindirim4")->value(), q);
    box("indtutar")->setValue(double(r.IndirimTutari));
    box("kdvdahiltutar")->setValue(IkiHaneYuvarla(double(r.NetBirimFiyati * f)));
    box("geneltutar")->setValue(IkiHaneYuvarla(box("kdvdahiltutar")->value() * q));
}

void Tstokayarinti::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (m_shown)
        return;
    m_shown = true;
    // Decided once, as the dialog opens.
    const bool discounts = IndirimVarmi();
    label("indirimoran")->setVisible(discounts);
    box("indtutar")->setVisible(discounts);
    Hesapla();
    m_async->setUrl(Settings::text(Setting::WebBase) + QStringLiteral("resimgoster.ashx?id=") +
                    QString::number(m_stokno));
    m_adet->setFocus();
    QTimer::singleShot(0, m_adet, &QSpinBox::selectAll);
}

bool Tstokayarinti::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        const bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
        if (enter && watched == m_adet) {
            accept();
            return true;
        }
        if (enter)
            return true;  // swallowed in the price boxes
    } else if (event->type() == QEvent::KeyRelease && watched != m_adet) {
        Hesapla();
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace zerda
