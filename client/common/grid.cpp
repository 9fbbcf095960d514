#include "grid.h"

#include <QApplication>
#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QScrollBar>
#include <QVBoxLayout>
#include <QWidgetAction>
#include <algorithm>

#include "decimal.h"
#include "utils.h"

namespace zerda {

// ---------------------------------------------------------------------------------------------
// GridColumn

GridColumn::GridColumn(const QString& objectName, const QString& field, const QString& text,
                       int weight, QObject* parent)
    : QObject(parent), fieldName(field), caption(text), tag(weight) {
    setObjectName(objectName);
}

void GridColumn::setVisible(bool visible) {
    if (visible == m_visible)
        return;
    m_visible = visible;
    Q_EMIT visibilityChanged();
}

// ---------------------------------------------------------------------------------------------
// GridModel

void GridModel::setColumns(const QList<GridColumn*>& columns) {
    beginResetModel();
    m_columns = columns;
    refreshFields();
    endResetModel();
}

void GridModel::refreshFields() {
    m_fields.clear();
    for (GridColumn* c : m_columns)
        m_fields << (dataSet() && !c->fieldName.isEmpty() ? dataSet()->FieldIndex(c->fieldName)
                                                          : -1);
}

int GridModel::fieldOf(int column) const {
    return column >= 0 && column < m_fields.size() ? m_fields[column] : -1;
}

int GridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_columns.size());
}

QVariant GridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.column() >= m_columns.size() || !dataSet())
        return {};
    const GridColumn* column = m_columns[index.column()];
    const int field = fieldOf(index.column());
    switch (role) {
        case Qt::DisplayRole:
            if (column->kind != GridColumn::Kind::Text)
                return {};
            return field < 0 ? QVariant() : QVariant(dataSet()->displayText(index.row(), field));
        case RawValueRole:
        case Qt::EditRole:
            return field < 0 ? QVariant() : dataSet()->cell(index.row(), field);
        case FieldNameRole:
            return column->fieldName;
        case Qt::TextAlignmentRole:
            return QVariant::fromValue(column->alignment);
        case Qt::ToolTipRole:
            if (column->kind == GridColumn::Kind::Icon && field >= 0) {
                const auto it =
                    column->icons.constFind(dataSet()->cell(index.row(), field).toInt());
                return it == column->icons.constEnd() ? QVariant() : QVariant(it->name);
            }
            return {};
        default:
            return {};
    }
}

QVariant GridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && section >= 0 && section < m_columns.size()) {
        if (role == Qt::DisplayRole)
            return m_columns[section]->caption;
        if (role == FieldNameRole)
            return m_columns[section]->fieldName;
        return {};
    }
    return DataSetModel::headerData(section, orientation, role);
}

void GridModel::structureChanged() {
    refreshFields();
}

// ---------------------------------------------------------------------------------------------
// GridFilter

void GridFilter::setAllowed(int column, const QSet<QString>& values) {
    m_allowed.insert(column, values);
    invalidateFilter();
}

void GridFilter::clearFilter(int column) {
    if (m_allowed.remove(column))
        invalidateFilter();
}

void GridFilter::clearAll() {
    if (m_allowed.isEmpty())
        return;
    m_allowed.clear();
    invalidateFilter();
}

bool GridFilter::filterAcceptsRow(int row, const QModelIndex& parent) const {
    for (auto it = m_allowed.constBegin(); it != m_allowed.constEnd(); ++it) {
        const QModelIndex index = sourceModel()->index(row, it.key(), parent);
        QString text = index.data(Qt::DisplayRole).toString();
        if (text.isEmpty())
            text = index.data(DataSetModel::RawValueRole).toString();
        if (!it->contains(text))
            return false;
    }
    return true;
}

// ---------------------------------------------------------------------------------------------
// GridDelegate

GridDelegate::GridDelegate(TcxGridView* view) : QStyledItemDelegate(view), m_view(view) {}

void GridDelegate::initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const {
    QStyledItemDelegate::initStyleOption(option, index);
    const GridColumn* column = m_view->gridColumns().value(index.column());
    if (!column)
        return;
    if (column->wrap)
        option->features |= QStyleOptionViewItem::WrapText;
    if (column->bold)
        option->font.setBold(true);
    if (column->pointSize > 0)
        option->font.setPointSize(column->pointSize);
    option->displayAlignment = column->alignment;
}

void GridDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                         const QModelIndex& index) const {
    const GridColumn* column = m_view->gridColumns().value(index.column());
    if (!column || column->kind == GridColumn::Kind::Text) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    QStyleOptionViewItem background = option;
    initStyleOption(&background, index);
    background.text.clear();
    const QWidget* widget = option.widget;
    QStyle* style = widget ? widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &background, painter, widget);
    const QVariant value = index.data(DataSetModel::RawValueRole);
    switch (column->kind) {
        case GridColumn::Kind::Icon: {
            const auto it = column->icons.constFind(value.toInt());
            if (it == column->icons.constEnd() || !value.isValid())
                break;
            const int side = std::min(option.rect.height() - 2, 24);
            QRect target(0, 0, side, side);
            if (column->alignment & Qt::AlignHCenter)
                target.moveCenter(option.rect.center());
            else
                target.moveTopLeft(
                    QPoint(option.rect.left() + 2, option.rect.center().y() - side / 2));
            it->icon.paint(painter, target);
            if (!(column->alignment & Qt::AlignHCenter))
                painter->drawText(option.rect.adjusted(side + 6, 0, 0, 0),
                                  Qt::AlignLeft | Qt::AlignVCenter, it->name);
            break;
        }
        case GridColumn::Kind::Check: {
            QStyleOptionButton box;
            box.state =
                QStyle::State_Enabled | (value.toInt() == 1 ? QStyle::State_On : QStyle::State_Off);
            const QSize size = style->sizeFromContents(QStyle::CT_CheckBox, &box, QSize(), widget);
            box.rect = QRect(QPoint(), size);
            box.rect.moveCenter(option.rect.center());
            style->drawControl(QStyle::CE_CheckBox, &box, painter, widget);
            break;
        }
        case GridColumn::Kind::Custom:
            if (column->customDraw)
                column->customDraw(painter, option, index);
            break;
        case GridColumn::Kind::Text:
            break;
    }
}

bool GridDelegate::editorEvent(QEvent* event, QAbstractItemModel* model,
                               const QStyleOptionViewItem& option, const QModelIndex& index) {
    GridColumn* column = m_view->gridColumns().value(index.column());
    if (column && column->kind == GridColumn::Kind::Check &&
        event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        const int current = index.data(DataSetModel::RawValueRole).toInt();
        Q_EMIT m_view->checkToggled(m_view->dataSetRow(index.row()), column, current == 1 ? 0 : 1);
        return true;
    }
    return QStyledItemDelegate::editorEvent(event, model, option, index);
}

// ---------------------------------------------------------------------------------------------
// TcxGridView

TcxGridView::TcxGridView(const QString& objectName, QWidget* parent)
    : QTableView(parent), m_model(new GridModel(this)), m_filter(new GridFilter(this)) {
    setObjectName(objectName);
    m_filter->setSourceModel(m_model);
    m_filter->setDynamicSortFilter(false);
    setModel(m_filter);
    setItemDelegate(new GridDelegate(this));
    setSelectionBehavior(SelectRows);
    setSelectionMode(SingleSelection);
    setEditTriggers(NoEditTriggers);
    setAlternatingRowColors(true);
    setWordWrap(true);
    setHorizontalScrollMode(ScrollPerPixel);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(22);
    verticalHeader()->setFixedWidth(12);
    horizontalHeader()->setSectionsMovable(true);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(horizontalHeader(), &QHeaderView::customContextMenuRequested, this,
            &TcxGridView::showHeaderMenu);
    connect(horizontalHeader(), &QHeaderView::sectionClicked, this, &TcxGridView::showFilterMenu);
    setStyleSheet(QStringLiteral(
        "QTableView { background: white; alternate-background-color: #EFEFEF;"
        " selection-background-color: #D2F0F9; selection-color: black; gridline-color: #D8D8D8; }"
        "QHeaderView::section:horizontal { background: #004080; color: white; font-weight: bold;"
        " border: 1px solid #2A5C8F; padding: 2px; }"));
}

GridColumn* TcxGridView::addColumn(const QString& objectName, const QString& fieldName,
                                   const QString& caption, int tag) {
    auto* column = new GridColumn(objectName, fieldName, caption, tag, this);
    m_columns << column;
    connect(column, &GridColumn::visibilityChanged, this, &TcxGridView::applyColumnVisibility);
    m_model->setColumns(m_columns);
    applyColumnVisibility();
    return column;
}

GridColumn* TcxGridView::column(const QString& objectName) const {
    for (GridColumn* c : m_columns)
        if (c->objectName() == objectName)
            return c;
    return nullptr;
}

QList<GridColumn*> TcxGridView::visibleColumns() const {
    QList<std::pair<int, GridColumn*>> ordered;
    for (int i = 0; i < m_columns.size(); ++i)
        if (m_columns[i]->visible())
            ordered.append({horizontalHeader()->visualIndex(i), m_columns[i]});
    std::sort(ordered.begin(), ordered.end(),
              [](const auto& a, const auto& b) { return a.first < b.first; });
    QList<GridColumn*> result;
    for (const auto& [position, column] : ordered)
        result << column;
    return result;
}

void TcxGridView::applyColumnVisibility() {
    for (int i = 0; i < m_columns.size(); ++i)
        setColumnHidden(i, !m_columns[i]->visible());
    Q_EMIT columnsChanged();
}

void TcxGridView::setDataSet(ClientDataSet* dataSet) {
    m_model->setDataSet(dataSet);
    applyColumnVisibility();
}

int TcxGridView::dataSetRow(int viewRow) const {
    const QModelIndex source = m_filter->mapToSource(m_filter->index(viewRow, 0));
    return source.isValid() ? source.row() : -1;
}

int TcxGridView::viewRow(int dataSetRow) const {
    const QModelIndex view = m_filter->mapFromSource(m_model->index(dataSetRow, 0));
    return view.isValid() ? view.row() : -1;
}

int TcxGridView::focusedRow() const {
    const QModelIndex current = currentIndex();
    return current.isValid() ? dataSetRow(current.row()) : -1;
}

void TcxGridView::setFocusedRow(int row) {
    const int v = viewRow(row);
    if (v < 0)
        return;
    int firstVisible = 0;
    while (firstVisible < m_columns.size() && isColumnHidden(firstVisible))
        ++firstVisible;
    setCurrentIndex(m_filter->index(v, std::min<int>(firstVisible, int(m_columns.size()) - 1)));
}

void TcxGridView::setRowHeight(int pixels) {
    verticalHeader()->setDefaultSectionSize(pixels);
}

void TcxGridView::setHeaderHeight(int pixels) {
    horizontalHeader()->setFixedHeight(pixels);
}

void TcxGridView::beginUpdate() {
    if (m_updateDepth++ == 0)
        setUpdatesEnabled(false);
}

void TcxGridView::endUpdate() {
    if (m_updateDepth == 0)
        return;
    if (--m_updateDepth == 0)
        setUpdatesEnabled(true);
}

void TcxGridView::ApplyBestFit() {
    beginUpdate();
    for (int i = 0; i < m_columns.size(); ++i)
        if (m_columns[i]->visible())
            resizeColumnToContents(i);
    endUpdate();
}

void TcxGridView::sizeColumnsByWeight(int gridWidth, bool withScreenTest, int screenWidth) {
    if (withScreenTest && screenWidth <= kNarrowScreenWidth) {
        ApplyBestFit();
        return;
    }
    const QList<GridColumn*> visible = visibleColumns();
    QList<int> weights;
    for (GridColumn* c : visible)
        weights << c->tag;
    const QList<int> widths = weightedColumnWidths(weights, gridWidth);
    if (widths.isEmpty())
        return;
    beginUpdate();
    for (int i = 0; i < visible.size(); ++i)
        setColumnWidth(int(m_columns.indexOf(visible[i])), widths[i]);
    endUpdate();
}

QMenu* TcxGridView::columnChooserMenu() {
    auto* menu = new QMenu(this);
    menu->setObjectName(objectName() + QStringLiteral("Sutunlar"));
    for (GridColumn* c : m_columns) {
        if (!c->userMayShow)
            continue;
        QAction* action = menu->addAction(c->caption.isEmpty() ? c->fieldName : c->caption);
        action->setCheckable(true);
        action->setChecked(c->visible());
        connect(action, &QAction::toggled, c, &GridColumn::setVisible);
    }
    return menu;
}

void TcxGridView::showHeaderMenu(const QPoint& pos) {
    QMenu* menu = columnChooserMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(horizontalHeader()->mapToGlobal(pos));
}

QStringList TcxGridView::filterValues(int column) const {
    QSet<QString> values;
    for (int r = 0; r < m_model->rowCount(); ++r) {
        const QModelIndex index = m_model->index(r, column);
        QString text = index.data(Qt::DisplayRole).toString();
        if (text.isEmpty())
            text = index.data(DataSetModel::RawValueRole).toString();
        values.insert(text);
    }
    QStringList sorted(values.begin(), values.end());
    std::sort(sorted.begin(), sorted.end(), [](const QString& a, const QString& b) {
        return QString::localeAwareCompare(a, b) < 0;
    });
    return sorted;
}

void TcxGridView::showFilterMenu(int section) {
    // A value list, as a spreadsheet's auto-filter: "(Tümü)" shows every row again.
    auto* menu = new QMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->addAction(QStringLiteral("(Tümü)"), this,
                    [this, section] { m_filter->clearFilter(section); });
    menu->addSeparator();
    for (const QString& value : filterValues(section)) {
        QAction* action = menu->addAction(value.isEmpty() ? QStringLiteral("(Boş)") : value);
        action->setCheckable(true);
        action->setChecked(m_filter->isFiltered(section) &&
                           m_filter->allowed(section).contains(value));
        connect(action, &QAction::toggled, this, [this, section, value](bool on) {
            QSet<QString> allowed = m_filter->allowed(section);
            if (on)
                allowed.insert(value);
            else
                allowed.remove(value);
            if (allowed.isEmpty())
                m_filter->clearFilter(section);
            else
                m_filter->setAllowed(section, allowed);
        });
    }
    const int x = horizontalHeader()->sectionViewportPosition(section);
    menu->popup(horizontalHeader()->mapToGlobal(QPoint(x, horizontalHeader()->height())));
}

// ---------------------------------------------------------------------------------------------
// TcxGrid

TcxGrid::TcxGrid(const QString& gridName, const QString& viewName, QWidget* parent)
    : QWidget(parent), m_view(new TcxGridView(viewName, this)), m_footer(new QWidget(this)) {
    setObjectName(gridName);
    m_footer->setObjectName(gridName + QStringLiteral("Footer"));
    m_footer->setFixedHeight(24);
    m_footer->setStyleSheet(QStringLiteral("background: #F4F4F4; border-top: 1px solid #C0C0C0;"));
    m_footer->hide();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_view);
    layout->addWidget(m_footer);
    QAbstractItemModel* model = m_view->model();
    connect(model, &QAbstractItemModel::modelReset, this, &TcxGrid::refreshFooter);
    connect(model, &QAbstractItemModel::layoutChanged, this, &TcxGrid::refreshFooter);
    connect(model, &QAbstractItemModel::dataChanged, this, &TcxGrid::refreshFooter);
    connect(model, &QAbstractItemModel::rowsInserted, this, &TcxGrid::refreshFooter);
    connect(model, &QAbstractItemModel::rowsRemoved, this, &TcxGrid::refreshFooter);
    connect(m_view, &TcxGridView::columnsChanged, this, &TcxGrid::refreshFooter);
    connect(m_view->horizontalHeader(), &QHeaderView::sectionResized, this, &TcxGrid::layoutFooter);
    connect(m_view->horizontalHeader(), &QHeaderView::sectionMoved, this, &TcxGrid::layoutFooter);
    connect(m_view->horizontalScrollBar(), &QScrollBar::valueChanged, this, &TcxGrid::layoutFooter);
}

QString TcxGrid::footerText(GridColumn* column) const {
    const int index = int(m_view->gridColumns().indexOf(column));
    if (index < 0 || column->summary == GridColumn::Summary::None)
        return {};
    QAbstractItemModel* model = m_view->model();
    if (column->summary == GridColumn::Summary::Count)
        return QString::number(model->rowCount());
    double sum = 0;
    for (int r = 0; r < model->rowCount(); ++r)
        sum = IkiHaneYuvarla(sum +
                             model->index(r, index).data(DataSetModel::RawValueRole).toDouble());
    const ClientDataSet* ds = m_view->dataSet();
    const int field = m_view->gridModel()->fieldOf(index);
    const QString format = ds && field >= 0 ? ds->displayFormat(field) : QString();
    return formatFloat(format.isEmpty() ? kParaBicimi : format, sum, QLocale());
}

void TcxGrid::refreshFooter() {
    bool any = false;
    for (GridColumn* c : m_view->gridColumns()) {
        if (c->summary == GridColumn::Summary::None) {
            if (QLabel* l = m_footerLabels.take(c))
                l->deleteLater();
            continue;
        }
        any = true;
        QLabel*& label = m_footerLabels[c];
        if (!label) {
            label = new QLabel(m_footer);
            label->setObjectName(c->objectName() + QStringLiteral("Toplam"));
            label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        }
        label->setText(footerText(c));
    }
    m_footer->setVisible(any);
    layoutFooter();
}

void TcxGrid::layoutFooter() {
    QHeaderView* header = m_view->horizontalHeader();
    const int offset = m_view->verticalHeader()->width() + m_view->frameWidth();
    for (auto it = m_footerLabels.constBegin(); it != m_footerLabels.constEnd(); ++it) {
        const int section = int(m_view->gridColumns().indexOf(it.key()));
        const bool shown = section >= 0 && !m_view->isColumnHidden(section);
        it.value()->setVisible(shown);
        if (shown)
            it.value()->setGeometry(offset + header->sectionViewportPosition(section), 0,
                                    header->sectionSize(section) - 4, m_footer->height());
    }
}

void TcxGrid::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    layoutFooter();
    Q_EMIT resized();
}

void KolonGenislikAyarla(TcxGridView* view, TcxGrid* grid, bool screenTest) {
    const QScreen* screen = grid->screen();
    view->sizeColumnsByWeight(grid->width(), screenTest, screen ? screen->geometry().width() : 0);
}

}  // namespace zerda
