#pragma once

#include <QVariant>

#include "datatable.h"

namespace zerda {

// A table result read row by row: Next moves to the following row (the first on the first call)
// and returns false after the last one. Columns are addressed by position.
class TableReader {
public:
    TableReader() = default;
    explicit TableReader(DataTable table) : m_table(std::move(table)) {}

    bool Next() {
        if (m_row < m_table.rowCount())
            ++m_row;
        return m_row < m_table.rowCount();
    }
    int ColumnCount() const { return m_table.columnCount(); }
    QString ColumnName(int column) const { return m_table.columnInfo(column).name; }
    DbxType ColumnType(int column) const { return m_table.columnInfo(column).type; }

    bool IsNull(int column) const { return m_table.isNull(m_row, column); }
    QVariant Value(int column) const { return m_table.value(m_row, column); }
    int GetInt32(int column) const { return Value(column).toInt(); }
    qint64 GetInt64(int column) const { return Value(column).toLongLong(); }
    double GetDouble(int column) const { return Value(column).toDouble(); }
    bool GetBoolean(int column) const { return Value(column).toBool(); }
    QString GetString(int column) const { return Value(column).toString(); }

    const DataTable& table() const { return m_table; }
    // The current row: -1 before the first call of Next, rowCount() after the last row.
    qsizetype row() const { return m_row; }
    void moveToEnd() { m_row = m_table.rowCount(); }

private:
    DataTable m_table;
    qsizetype m_row = -1;
};

}  // namespace zerda
