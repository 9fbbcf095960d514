#pragma once

#include <QHash>
#include <QIcon>
#include <QMap>
#include <QPointer>
#include <QSet>
#include <QSortFilterProxyModel>
#include <QStyledItemDelegate>
#include <QTableView>
#include <functional>

#include "datasetmodel.h"

class QLabel;
class QHBoxLayout;

namespace zerda {

class TcxGrid;
class TcxGridView;

// One column of a grid view: the field it shows (empty for a column bound to no field), its
// caption, sizing weight (Tag), visibility, whether the user may show it from the header menu,
// and how its cells look. Its object name is the column's name in the window's layout.
class GridColumn : public QObject {
    Q_OBJECT
public:
    enum class Kind { Text, Icon, Check, Custom };
    enum class Summary { None, Count, Sum };
    struct IconEntry {
        QIcon icon;
        QString name;
    };
    using CustomDraw =
        std::function<void(QPainter*, const QStyleOptionViewItem&, const QModelIndex&)>;

    GridColumn(const QString& objectName, const QString& fieldName, const QString& caption, int tag,
               QObject* parent = nullptr);

    QString fieldName;
    QString caption;
    int tag = 1;
    bool userMayShow = true;
    Kind kind = Kind::Text;
    Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter;
    QMap<int, IconEntry> icons;  // for icon columns: value -> picture and name
    bool wrap = false;
    bool bold = false;
    int pointSize = 0;  // 0: the grid's font
    CustomDraw customDraw;
    Summary summary = Summary::None;

    bool visible() const { return m_visible; }
    void setVisible(bool visible);

Q_SIGNALS:
    void visibilityChanged();

private:
    bool m_visible = true;
};

// The grid's model: the view's columns over the fields of a client data set.
class GridModel : public DataSetModel {
    Q_OBJECT
public:
    explicit GridModel(QObject* parent = nullptr) : DataSetModel(parent) {}
    void setColumns(const QList<GridColumn*>& columns);
    const QList<GridColumn*>& columns() const { return m_columns; }
    int fieldOf(int column) const;

    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

protected:
    void structureChanged() override;

private:
    void refreshFields();
    QList<GridColumn*> m_columns;
    QList<int> m_fields;  // field index per column, -1 when unbound or missing
};

// The header filter: rows whose value of a column is among the chosen ones.
class GridFilter : public QSortFilterProxyModel {
    Q_OBJECT
public:
    using QSortFilterProxyModel::QSortFilterProxyModel;
    void setAllowed(int column, const QSet<QString>& values);
    void clearFilter(int column);
    void clearAll();
    bool isFiltered(int column) const { return m_allowed.contains(column); }
    QSet<QString> allowed(int column) const { return m_allowed.value(column); }

protected:
    bool filterAcceptsRow(int row, const QModelIndex& parent) const override;

private:
    QHash<int, QSet<QString>> m_allowed;
};

// Draws icon, tick-box and custom columns, bold or larger texts, and wrapped text.
class GridDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    explicit GridDelegate(TcxGridView* view);
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    bool editorEvent(QEvent* event, QAbstractItemModel* model, const QStyleOptionViewItem& option,
                     const QModelIndex& index) override;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;

private:
    TcxGridView* m_view;
};

// A grid view: a virtualised table over a client data set, read-only, whole-row selection,
// alternating rows, a header menu to choose columns and a filter button per header.
class TcxGridView : public QTableView {
    Q_OBJECT
public:
    explicit TcxGridView(const QString& objectName, QWidget* parent = nullptr);

    GridColumn* addColumn(const QString& objectName, const QString& fieldName,
                          const QString& caption, int tag = 1);
    const QList<GridColumn*>& gridColumns() const { return m_columns; }
    GridColumn* column(const QString& objectName) const;
    QList<GridColumn*> visibleColumns() const;  // in their visible order

    // Attach to a data set; nullptr detaches (the view then shows nothing).
    void setDataSet(ClientDataSet* dataSet);
    ClientDataSet* dataSet() const { return m_model->dataSet(); }

    GridModel* gridModel() const { return m_model; }
    GridFilter* filter() const { return m_filter; }
    // The data-set row of a view row (rows may be filtered out), and back.
    int dataSetRow(int viewRow) const;
    int viewRow(int dataSetRow) const;
    // The data-set row of the focused row, -1 when there is none; focuses a data-set row.
    int focusedRow() const;
    void setFocusedRow(int dataSetRow);

    void setRowHeight(int pixels);
    void setHeaderHeight(int pixels);
    void beginUpdate();
    void endUpdate();
    // Fits every visible column to its content.
    void ApplyBestFit();
    // Widths by weight (see weightedColumnWidths); withScreenTest fits to content on narrow
    // screens.
    void sizeColumnsByWeight(int gridWidth, bool withScreenTest, int screenWidth);

    // The header menu, as offered: the columns the user may show, with their visibility.
    QMenu* columnChooserMenu();
    // The filter values offered for a column: its distinct display texts, sorted.
    QStringList filterValues(int column) const;

Q_SIGNALS:
    // A tick-box cell was clicked: the data-set row, the column, the new value.
    void checkToggled(int dataSetRow, GridColumn* column, int newValue);
    void columnsChanged();

private:
    void applyColumnVisibility();
    void showHeaderMenu(const QPoint& pos);
    void showFilterMenu(int section);

    GridModel* m_model;
    GridFilter* m_filter;
    QList<GridColumn*> m_columns;
    int m_updateDepth = 0;
};

// A grid: its view and a footer row with the column summaries.
class TcxGrid : public QWidget {
    Q_OBJECT
public:
    TcxGrid(const QString& gridName, const QString& viewName, QWidget* parent = nullptr);
    TcxGridView* view() const { return m_view; }
    // The footer's text for a column ("" when it has no summary).
    QString footerText(GridColumn* column) const;
    void refreshFooter();

Q_SIGNALS:
    void resized();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void layoutFooter();
    TcxGridView* m_view;
    QWidget* m_footer;
    QHash<GridColumn*, QLabel*> m_footerLabels;
};

// Sizes the view's visible columns by their weights over the grid's width; with the screen test,
// a screen 1152 pixels wide or narrower fits them to their content instead.
void KolonGenislikAyarla(TcxGridView* view, TcxGrid* grid, bool screenTest = true);

}  // namespace zerda
