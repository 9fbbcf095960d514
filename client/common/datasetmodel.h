#pragma once

#include <QAbstractTableModel>

#include "clientdataset.h"

namespace zerda {

// A table model over a client data set, one column per field, for the grids. The display role
// gives the field's display text, RawValueRole the value itself.
class DataSetModel : public QAbstractTableModel, private DataSetListener {
    Q_OBJECT
public:
    enum Role { RawValueRole = Qt::UserRole, FieldNameRole };

    explicit DataSetModel(QObject* parent = nullptr);
    ~DataSetModel() override;

    // Attaches the model to a data set (nullptr detaches it); the data set must outlive the
    // attachment.
    void setDataSet(ClientDataSet* dataSet);
    ClientDataSet* dataSet() const { return m_dataSet; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

protected:
    // Told when the data set or its fields may have changed, inside the model's reset.
    virtual void structureChanged() {}

private:
    void dataSetAboutToReset() override { beginResetModel(); }
    void dataSetReset() override {
        structureChanged();
        endResetModel();
    }
    void rowChanged(qsizetype row) override;
    void rowAboutToBeInserted(qsizetype row) override { beginInsertRows({}, int(row), int(row)); }
    void rowInserted() override { endInsertRows(); }
    void rowAboutToBeRemoved(qsizetype row) override { beginRemoveRows({}, int(row), int(row)); }
    void rowRemoved() override { endRemoveRows(); }
    void dataSetDestroyed() override;

    ClientDataSet* m_dataSet = nullptr;
};

}  // namespace zerda
