#pragma once

#include <QAbstractTableModel>
#include <QHeaderView>
#include <QImage>
#include <QStyledItemDelegate>
#include <QTableView>

namespace zerda {

// A view that holds its own rows instead of showing a data set: texts and pictures, one row per
// item (the announcements are shown so). Pictures are drawn scaled into their cells, keeping
// their proportions.
class TcxGridBandedView : public QTableView {
    Q_OBJECT
public:
    enum class Kind { Text, Picture };

    explicit TcxGridBandedView(const QString& objectName, QWidget* parent = nullptr);

    void addColumn(const QString& name, const QString& caption, Kind kind, int width = 0);
    int columnIndex(const QString& name) const;
    Kind columnKind(int column) const;

    void BeginUpdate();
    void EndUpdate();
    void clearRows();
    // Values in column order: QString for texts, QImage for pictures (a null image draws nothing).
    int appendRow(const QVariantList& values);
    int rowCount() const;
    QVariant value(int row, int column) const;

    void setRowHeight(int pixels) { verticalHeader()->setDefaultSectionSize(pixels); }

Q_SIGNALS:
    void rowDoubleClicked(int row);

private:
    class Model;
    class Delegate;
    Model* m_model;
    int m_updates = 0;
};

}  // namespace zerda
