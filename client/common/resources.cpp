#include "resources.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <QMessageBox>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QTimer>

#include "mesajgoster.h"

// The style sheets live in this library's resources, which a static library must register.
static void registerStyleResources() {
    Q_INIT_RESOURCE(resources);
}

namespace zerda {

namespace {

const QColor kNavy(0, 64, 128);
const QColor kTeal(30, 180, 223);

QPixmap canvas(int side = 32) {
    QPixmap pixmap(side, side);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

QIcon disc(const QColor& fill, const std::function<void(QPainter&, int)>& mark = {}) {
    QPixmap pixmap = canvas();
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(fill.darker(140), 1.5));
    p.setBrush(fill);
    p.drawEllipse(QRectF(2, 2, 28, 28));
    if (mark) {
        p.setPen(QPen(Qt::white, 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(Qt::NoBrush);
        mark(p, 32);
    }
    return QIcon(pixmap);
}

void tick(QPainter& p, int) {
    p.drawPolyline(QPolygonF({QPointF(9, 16), QPointF(14, 21), QPointF(23, 11)}));
}
void cross(QPainter& p, int) {
    p.drawLine(QPointF(11, 11), QPointF(21, 21));
    p.drawLine(QPointF(21, 11), QPointF(11, 21));
}
void phone(QPainter& p, int) {
    p.drawArc(QRectF(9, 9, 14, 14), 200 * 16, 140 * 16);
    p.drawPoint(QPointF(10, 13));
    p.drawPoint(QPointF(22, 13));
}
void arrow(QPainter& p, int) {
    p.drawLine(QPointF(9, 16), QPointF(23, 16));
    p.drawPolyline(QPolygonF({QPointF(18, 11), QPointF(23, 16), QPointF(18, 21)}));
}
void star(QPainter& p, int) {
    QPolygonF points;
    for (int i = 0; i < 10; ++i) {
        const double r = i % 2 ? 4.0 : 9.0, a = -M_PI / 2 + i * M_PI / 5;
        points << QPointF(16 + r * std::cos(a), 16 + r * std::sin(a));
    }
    p.drawPolygon(points);
}
void clock(QPainter& p, int) {
    p.drawEllipse(QRectF(9, 9, 14, 14));
    p.drawLine(QPointF(16, 16), QPointF(16, 11));
    p.drawLine(QPointF(16, 16), QPointF(20, 16));
}

}  // namespace

namespace Icons {

QIcon stockState(int durum) {
    switch (durum) {
        case 0:
            return disc(QColor(200, 40, 40), cross);
        case 1:
            return disc(QColor(40, 160, 70), tick);
        case 2:
            return disc(QColor(240, 140, 20), phone);
        case 3:
            return disc(QColor(40, 110, 200), arrow);
        case 4:
            return disc(QColor(130, 60, 170), star);
        case 5:
            return disc(QColor(220, 180, 20), clock);
        default:
            return {};
    }
}

QString stockStateName(int durum) {
    static const QStringList names = {QStringLiteral("Yok"),
                                      QStringLiteral("Var"),
                                      QStringLiteral("Telefon Açınız"),
                                      QStringLiteral("Yolda"),
                                      QStringLiteral("Özel Sipariş"),
                                      QStringLiteral("Tedarik Sürecinde")};
    return durum >= 0 && durum < names.size() ? names[durum] : QString();
}

QIcon yes() {
    return disc(QColor(40, 160, 70), tick);
}
QIcon no() {
    return disc(QColor(170, 170, 170), cross);
}

QIcon picture() {
    QPixmap pixmap = canvas();
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(kNavy, 2));
    p.setBrush(QColor(230, 240, 250));
    p.drawRoundedRect(QRectF(3, 6, 26, 20), 3, 3);
    p.setBrush(kTeal);
    p.setPen(Qt::NoPen);
    p.drawPolygon(QPolygonF(
        {QPointF(6, 23), QPointF(13, 14), QPointF(18, 19), QPointF(21, 16), QPointF(26, 23)}));
    p.setBrush(QColor(250, 200, 40));
    p.drawEllipse(QRectF(20, 9, 5, 5));
    return QIcon(pixmap);
}

QIcon tab(int index) {
    // One shape per tab, white on the program's blue.
    QPixmap pixmap = canvas();
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(kNavy);
    p.drawRoundedRect(QRectF(1, 1, 30, 30), 6, 6);
    p.setPen(QPen(Qt::white, 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    switch (index) {
        case 0:  // stock list: a box
            p.drawRect(QRectF(8, 11, 16, 13));
            p.drawLine(QPointF(8, 15), QPointF(24, 15));
            break;
        case 1:  // statement: a ledger
            p.drawRect(QRectF(9, 7, 14, 18));
            for (int y = 12; y <= 20; y += 4)
                p.drawLine(QPointF(12, y), QPointF(20, y));
            break;
        case 3:  // previous orders: a clock
            clock(p, 32);
            break;
        case 5:  // announcements: a speaker
            p.drawPolygon(QPolygonF({QPointF(8, 13), QPointF(13, 13), QPointF(19, 8),
                                     QPointF(19, 24), QPointF(13, 19), QPointF(8, 19)}));
            p.drawArc(QRectF(18, 10, 8, 12), -60 * 16, 120 * 16);
            break;
        case 6:  // campaign: a percent sign
            p.drawLine(QPointF(10, 23), QPointF(22, 9));
            p.drawEllipse(QRectF(8, 8, 5, 5));
            p.drawEllipse(QRectF(19, 19, 5, 5));
            break;
        case 7:  // balances: scales
            p.drawLine(QPointF(16, 8), QPointF(16, 24));
            p.drawLine(QPointF(9, 11), QPointF(23, 11));
            p.drawArc(QRectF(6, 13, 7, 6), 180 * 16, 180 * 16);
            p.drawArc(QRectF(19, 13, 7, 6), 180 * 16, 180 * 16);
            break;
        case 8:  // basket
            p.drawPolyline(QPolygonF({QPointF(6, 9), QPointF(10, 9), QPointF(13, 20),
                                      QPointF(23, 20), QPointF(25, 12), QPointF(11, 12)}));
            p.drawEllipse(QRectF(13, 22, 3, 3));
            p.drawEllipse(QRectF(20, 22, 3, 3));
            break;
        case 10:  // new items: a star
            star(p, 32);
            break;
        case 12:  // card payment: a card
            p.drawRoundedRect(QRectF(6, 10, 20, 13), 2, 2);
            p.drawLine(QPointF(6, 14), QPointF(26, 14));
            break;
        default:
            p.drawEllipse(QRectF(10, 10, 12, 12));
            break;
    }
    return QIcon(pixmap);
}

QIcon menuButton() {
    QPixmap pixmap = canvas(48);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(kNavy);
    p.drawEllipse(QRectF(2, 2, 44, 44));
    p.setBrush(Qt::white);
    for (int y : {15, 22, 29})
        p.drawRoundedRect(QRectF(13, y, 22, 4), 2, 2);
    return QIcon(pixmap);
}

QIcon search() {
    QPixmap pixmap = canvas(24);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(kNavy, 2.5, Qt::SolidLine, Qt::RoundCap));
    p.drawEllipse(QRectF(3, 3, 12, 12));
    p.drawLine(QPointF(14, 14), QPointF(21, 21));
    return QIcon(pixmap);
}

QIcon clear() {
    QPixmap pixmap = canvas(24);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(180, 40, 40), 2.5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(6, 6), QPointF(18, 18));
    p.drawLine(QPointF(18, 6), QPointF(6, 18));
    return QIcon(pixmap);
}

QPixmap logo(const QSize& size) {
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF badge(4, 4, size.height() - 8, size.height() - 8);
    p.setPen(Qt::NoPen);
    p.setBrush(kNavy);
    p.drawEllipse(badge);
    p.setPen(QPen(kTeal, 4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    const QRectF in = badge.adjusted(badge.width() * 0.28, badge.height() * 0.3,
                                     -badge.width() * 0.28, -badge.height() * 0.3);
    p.drawPolyline(QPolygonF({in.topLeft(), in.topRight(), in.bottomLeft(), in.bottomRight()}));
    QFont font(QStringLiteral("Tahoma"));
    font.setBold(true);
    font.setPixelSize(std::max(10, size.height() / 4));
    p.setFont(font);
    p.setPen(kNavy);
    // The name in two lines, as wide as the room beside the badge allows.
    const double room = size.width() - badge.right() - 8;
    while (font.pixelSize() > 8 &&
           p.fontMetrics().horizontalAdvance(QStringLiteral("OTOMOTİV")) > room) {
        font.setPixelSize(font.pixelSize() - 1);
        p.setFont(font);
    }
    p.drawText(QRectF(badge.right() + 6, 0, size.width() - badge.right() - 6, size.height()),
               Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("ZERDA\nOTOMOTİV"));
    return pixmap;
}

}  // namespace Icons

TBusyIndicator::TBusyIndicator(const QString& objectName, QWidget* parent)
    : QWidget(parent), m_timer(new QTimer(this)) {
    setObjectName(objectName);
    setFixedSize(28, 27);
    m_timer->setInterval(80);
    connect(m_timer, &QTimer::timeout, this, [this] {
        m_frame = (m_frame + 1) % 12;
        update();
    });
}

void TBusyIndicator::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QPointF centre(width() / 2.0, height() / 2.0);
    for (int i = 0; i < 12; ++i) {
        QColor c = kTeal;
        c.setAlphaF(0.15 + 0.85 * ((i + 12 - m_frame) % 12) / 11.0);
        p.setPen(QPen(c, 2.5, Qt::SolidLine, Qt::RoundCap));
        const double a = i * M_PI / 6;
        p.drawLine(centre + QPointF(5 * std::cos(a), 5 * std::sin(a)),
                   centre + QPointF(11 * std::cos(a), 11 * std::sin(a)));
    }
}

void TBusyIndicator::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    m_timer->start();
}

void TBusyIndicator::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    m_timer->stop();
}

void registerProgramFonts() {
    // Debian's Wine fonts carry a Tahoma outside the font folders fontconfig reads.
    for (const QString& folder :
         {QStringLiteral("/usr/share/wine/fonts"), QStringLiteral("/usr/lib/wine/fonts")})
        for (const QString& file : {QStringLiteral("tahoma.ttf"), QStringLiteral("tahomabd.ttf")})
            if (QFile::exists(QDir(folder).filePath(file)))
                QFontDatabase::addApplicationFont(QDir(folder).filePath(file));
}

QStringList visualStyles() {
    registerStyleResources();
    QStringList names;
    for (const QString& file :
         QDir(QStringLiteral(":/styles")).entryList({QStringLiteral("*.qss")}))
        names << QFileInfo(file).completeBaseName();
    return names;
}

bool applyVisualStyle(const QString& name) {
    registerStyleResources();
    QFile file(QStringLiteral(":/styles/%1.qss").arg(name));
    if (!file.open(QIODevice::ReadOnly)) {
        MesajGoster(QStringLiteral("\"%1\" adında bir görsel stil bulunamadı").arg(name),
                    MesajTipi::Hata, {Dugme::Tamam}, Dugme::Tamam);
        return false;
    }
    qApp->setStyleSheet(QString::fromUtf8(file.readAll()));
    return true;
}

}  // namespace zerda
