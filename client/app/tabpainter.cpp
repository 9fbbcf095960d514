#include "tabpainter.h"

#include <QStyleOptionTab>
#include <QStylePainter>

#include "counters.h"

namespace zerda {

namespace {

bool vertical(QTabBar::Shape shape) {
    switch (shape) {
        case QTabBar::RoundedWest:
        case QTabBar::RoundedEast:
        case QTabBar::TriangularWest:
        case QTabBar::TriangularEast:
            return true;
        default:
            return false;
    }
}

bool west(QTabBar::Shape shape) {
    return shape == QTabBar::RoundedWest || shape == QTabBar::TriangularWest;
}

}  // namespace

TTabColorControlStyleHook::TTabColorControlStyleHook(QWidget* parent) : QTabBar(parent) {
    setObjectName(QStringLiteral("TTabColorControlStyleHook"));
}

void TTabColorControlStyleHook::setLabelColour(const QColor& colour) {
    m_labelColour = colour;
    update();
}

QColor TTabColorControlStyleHook::labelColour() const {
    return m_labelColour.isValid() ? m_labelColour : palette().color(QPalette::WindowText);
}

void TTabColorControlStyleHook::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    // The current tab last, so that its grown background lies over its neighbours.
    QList<int> order;
    for (int i = 0; i < count(); ++i)
        if (i != currentIndex())
            order << i;
    if (currentIndex() >= 0)
        order << currentIndex();
    for (int i : order) {
        QStyleOptionTab tab;
        initStyleOption(&tab, i);
        if (tab.rect.right() < 0 || tab.rect.left() > width())
            continue;  // scrolled out of view
        const QString caption = tab.text;
        tab.text.clear();
        const QIcon icon = tab.icon;
        tab.icon = QIcon();
        painter.drawControl(QStyle::CE_TabBarTabShape, tab);
        tab.icon = icon;
        paintLabel(painter, tab, caption);
    }
}

void TTabColorControlStyleHook::paintLabel(QPainter& painter, const QStyleOptionTab& tab,
                                           const QString& caption) const {
    const TSonuc parsed = BaslikAyir(caption);
    QRect area = tab.rect;
    painter.save();
    if (!tab.icon.isNull()) {
        const QSize size = iconSize().isValid() ? iconSize() : QSize(16, 16);
        QRect iconRect;
        if (vertical(tab.shape)) {
            const int y = west(tab.shape) ? area.bottom() - 3 - size.height() : area.top() + 3;
            iconRect = QRect(area.center().x() - size.width() / 2, y, size.width(), size.height());
            if (west(tab.shape))
                area.setBottom(iconRect.top() - 1);
            else
                area.setTop(iconRect.bottom() + 1);
        } else {
            iconRect = QRect(area.left() + 3, area.center().y() - size.height() / 2, size.width(),
                             size.height());
            area.setLeft(iconRect.right() + 1);
        }
        tab.icon.paint(&painter, iconRect, Qt::AlignCenter,
                       tab.state & QStyle::State_Enabled ? QIcon::Normal : QIcon::Disabled);
    }
    painter.setFont(font());
    painter.setPen(labelColour());
    if (vertical(tab.shape)) {
        painter.translate(area.center());
        painter.rotate(west(tab.shape) ? -90 : 90);
        const QRect turned(-area.height() / 2, -area.width() / 2, area.height(), area.width());
        painter.drawText(turned, Qt::AlignCenter | Qt::TextWordWrap, parsed.baslik);
        painter.restore();
        return;
    }
    const QRect label = area.adjusted(0, 5, 0, -5);
    painter.drawText(label, Qt::AlignCenter | Qt::TextWordWrap, parsed.baslik);
    if (parsed.sayi > 0) {
        painter.setPen(kSayacRengi);
        painter.drawText(label.adjusted(2, -3, -2, 3), Qt::AlignRight | Qt::AlignTop,
                         QStringLiteral("(%1)").arg(parsed.sayi));
    }
    painter.restore();
}

TsPageControl::TsPageControl(QWidget* parent)
    : QTabWidget(parent), m_painter(new TTabColorControlStyleHook(this)) {
    setTabBar(m_painter);
}

}  // namespace zerda
