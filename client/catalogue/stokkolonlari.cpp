#include "stokkolonlari.h"

#include "resources.h"

namespace zerda {

QMap<int, GridColumn::IconEntry> stokSimgeleri(const QString& field, bool zeroWithoutIcon) {
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
        icons.insert(0, zeroWithoutIcon ? GridColumn::IconEntry{QIcon(), QStringLiteral("Hayır")}
                                        : GridColumn::IconEntry{Icons::no(), QString()});
        icons.insert(1, {Icons::yes(), QStringLiteral("Evet")});
    }
    return icons;
}

void kolonlariEkle(TcxGridView* view, const QList<KolonTanimi>& columns) {
    for (const KolonTanimi& c : columns) {
        const QString field = QLatin1String(c.field);
        const QString name = c.name ? QLatin1String(c.name) : view->objectName() + field;
        GridColumn* column = view->addColumn(name, c.flags & Cizilen ? QString() : field,
                                             QString::fromUtf8(c.caption), c.weight);
        column->userMayShow = c.flags & Secilebilir;
        column->setVisible(c.flags & Gorunur);
        if (c.flags & Simge) {
            column->kind = GridColumn::Kind::Icon;
            column->icons = stokSimgeleri(field, c.flags & SifirSimgesiz);
        } else if (c.flags & Onay) {
            column->kind = GridColumn::Kind::Check;
        } else if (c.flags & Cizilen) {
            column->kind = GridColumn::Kind::Custom;
        }
        column->wrap = c.flags & Kaydirilan;
        column->alignment =
            (c.flags & Ortali ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignVCenter;
        if (c.flags & Buyuk) {
            column->bold = true;
            column->pointSize = 11;
        }
        if (field == QLatin1String("OEM1"))
            column->summary = GridColumn::Summary::Count;
    }
}

void listeyiKur(TcxGridView* view, const QList<KolonTanimi>& columns, int rowHeight) {
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    if (rowHeight > 0)
        view->setRowHeight(rowHeight);
    view->setHeaderHeight(40);
    kolonlariEkle(view, columns);
}

}  // namespace zerda
