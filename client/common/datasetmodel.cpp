#include "datasetmodel.h"

namespace zerda {

DataSetModel::DataSetModel(QObject* parent) : QAbstractTableModel(parent) {}

DataSetModel::~DataSetModel() {
    if (m_dataSet)
        m_dataSet->removeListener(this);
}

void DataSetModel::setDataSet(ClientDataSet* dataSet) {
    if (dataSet == m_dataSet)
        return;
    beginResetModel();
    if (m_dataSet)
        m_dataSet->removeListener(this);
    m_dataSet = dataSet;
    if (m_dataSet)
        m_dataSet->addListener(this);
    structureChanged();
    endResetModel();
}

void DataSetModel::dataSetDestroyed() {
    beginResetModel();
    m_dataSet = nullptr;
    structureChanged();
    endResetModel();
}

int DataSetModel::rowCount(const QModelIndex& parent) const {
    if (parent.isValid() || !m_dataSet || !m_dataSet->Active())
        return 0;
    return int(m_dataSet->RecordCount());
}

int DataSetModel::columnCount(const QModelIndex& parent) const {
    if (parent.isValid() || !m_dataSet)
        return 0;
    return m_dataSet->FieldCount();
}

QVariant DataSetModel::data(const QModelIndex& index, int role) const {
    // Bounds are checked against the data set itself: while its controls are disabled the view
    // may still ask for rows it knew before.
    if (!m_dataSet || !index.isValid())
        return {};
    switch (role) {
        case Qt::DisplayRole:
            return m_dataSet->displayText(index.row(), index.column());
        case RawValueRole:
        case Qt::EditRole:
            return m_dataSet->cell(index.row(), index.column());
        case FieldNameRole:
            return index.column() < m_dataSet->FieldCount()
                       ? QVariant(m_dataSet->fieldInfo(index.column()).name)
                       : QVariant();
        default:
            return {};
    }
}

QVariant DataSetModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Vertical && role == Qt::DisplayRole)
        return {};  // a narrow row indicator
    if (!m_dataSet || orientation != Qt::Horizontal || role != Qt::DisplayRole ||
        section >= m_dataSet->FieldCount())
        return QAbstractTableModel::headerData(section, orientation, role);
    return m_dataSet->fieldInfo(section).name;
}

void DataSetModel::rowChanged(qsizetype row) {
    Q_EMIT dataChanged(index(int(row), 0), index(int(row), std::max(0, columnCount() - 1)));
}

}  // namespace zerda
