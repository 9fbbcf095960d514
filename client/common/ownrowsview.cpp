#include "ownrowsview.h"

#include <QHeaderView>
#include <QPainter>

namespace zerda {

class TcxGridBandedView::Model : public QAbstractTableModel {
public:
    using QAbstractTableModel::QAbstractTableModel;

    struct ColumnSpec {
        QString name;
        QString caption;
        Kind kind;
    };
    QList<ColumnSpec> columns;
    QList<QVariantList> rows;

    int rowCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : int(rows.size());
    }
    int columnCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : int(columns.size());
    }
    QVariant data(const QModelIndex& index, int role) const override {
        if (!index.isValid() || index.row() >= rows.size() || index.column() >= columns.size())
            return {};
        const QVariant v = rows[index.row()].value(index.column());
        if (role == Qt::UserRole)
            return v;
        if (role == Qt::DisplayRole && columns[index.column()].kind == Kind::Text)
            return v;
        return {};
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section < columns.size())
            return columns[section].caption;
        return {};
    }
    void reset(const std::function<void()>& change) {
        beginResetModel();
        change();
        endResetModel();
    }
    void append(const QVariantList& values) {
        beginInsertRows({}, int(rows.size()), int(rows.size()));
        rows.append(values);
        endInsertRows();
    }
};

class TcxGridBandedView::Delegate : public QStyledItemDelegate {
public:
    Delegate(TcxGridBandedView* view) : QStyledItemDelegate(view), m_view(view) {}
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        if (m_view->columnKind(index.column()) != Kind::Picture) {
            QStyleOptionViewItem wrapped = option;
            wrapped.features |= QStyleOptionViewItem::WrapText;
            wrapped.displayAlignment = Qt::AlignLeft | Qt::AlignVCenter;
            QStyledItemDelegate::paint(painter, wrapped, index);
            return;
        }
        QStyleOptionViewItem background = option;
        initStyleOption(&background, index);
        option.widget->style()->drawControl(QStyle::CE_ItemViewItem, &background, painter,
                                            option.widget);
        const QImage image = index.data(Qt::UserRole).value<QImage>();
        if (image.isNull())
            return;
        const QRect room = option.rect.adjusted(2, 2, -2, -2);
        QSize size = image.size();
        size.scale(room.size(), Qt::KeepAspectRatio);
        QRect target(QPoint(), size);
        target.moveCenter(room.center());
        painter->setRenderHint(QPainter::SmoothPixmapTransform);
        painter->drawImage(target, image);
    }

private:
    TcxGridBandedView* m_view;
};

TcxGridBandedView::TcxGridBandedView(const QString& objectName, QWidget* parent)
    : QTableView(parent), m_model(new Model(this)) {
    setObjectName(objectName);
    setModel(m_model);
    setItemDelegate(new Delegate(this));
    setSelectionBehavior(SelectRows);
    setSelectionMode(SingleSelection);
    setEditTriggers(NoEditTriggers);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(160);
    verticalHeader()->hide();
    horizontalHeader()->setStretchLastSection(true);
    connect(this, &QAbstractItemView::doubleClicked, this,
            [this](const QModelIndex& index) { Q_EMIT rowDoubleClicked(index.row()); });
}

void TcxGridBandedView::addColumn(const QString& name, const QString& caption, Kind kind,
                                  int width) {
    m_model->reset([&] { m_model->columns.append({name, caption, kind}); });
    if (width > 0)
        setColumnWidth(int(m_model->columns.size()) - 1, width);
}

int TcxGridBandedView::columnIndex(const QString& name) const {
    for (int i = 0; i < m_model->columns.size(); ++i)
        if (m_model->columns[i].name == name)
            return i;
    return -1;
}

TcxGridBandedView::Kind TcxGridBandedView::columnKind(int column) const {
    return column >= 0 && column < m_model->columns.size() ? m_model->columns[column].kind
                                                           : Kind::Text;
}

void TcxGridBandedView::BeginUpdate() {
    if (m_updates++ == 0)
        setUpdatesEnabled(false);
}

void TcxGridBandedView::EndUpdate() {
    if (m_updates > 0 && --m_updates == 0)
        setUpdatesEnabled(true);
}

void TcxGridBandedView::clearRows() {
    m_model->reset([&] { m_model->rows.clear(); });
}

int TcxGridBandedView::appendRow(const QVariantList& values) {
    m_model->append(values);
    return int(m_model->rows.size()) - 1;
}

int TcxGridBandedView::rowCount() const {
    return int(m_model->rows.size());
}

QVariant TcxGridBandedView::value(int row, int column) const {
    return row >= 0 && row < m_model->rows.size() ? m_model->rows[row].value(column) : QVariant();
}

}  // namespace zerda
