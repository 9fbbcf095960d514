#pragma once

#include <QString>
#include <QStringView>
#include <QVariant>
#include <vector>

#include "tdate.h"

namespace zerda {

class JsonWriter;

// Column type codes of the table form on the wire.
enum class DbxType : int {
    AnsiString = 1,
    Date = 2,
    Boolean = 4,
    Int32 = 6,
    Double = 7,
    DateTime = 11,
    Int64 = 18,
    WideString = 26,
};

bool isKnownDbxType(int code);
QString dbxTypeName(DbxType type);

struct ColumnInfo {
    QString name;
    DbxType type = DbxType::WideString;
    int subType = 0;
    int scale = 0;
    int size = 0;
    int precision = 0;
    int childPosition = 0;
    bool nullable = true;
    bool hidden = false;
    int direction = 0;
    bool valueParameter = false;
    bool literal = false;
};

// One typed column. Integers, Booleans and 64-bit integers are kept as qint64; doubles, dates and
// date-times as doubles (dates as day numbers). The texts of a column share one buffer, each cell
// a slice of it, so a large table costs one allocation per column instead of one per cell; a
// changed text is appended and the cell pointed at it. Null cells keep a default value and a mark.
class Column {
public:
    enum class Storage { Integer, Real, Text };

    explicit Column(ColumnInfo info);

    const ColumnInfo& info() const { return m_info; }
    Storage storage() const { return m_storage; }
    qsizetype size() const { return qsizetype(m_nulls.size()); }

    bool isNull(qsizetype row) const { return m_nulls[size_t(row)]; }
    qint64 integerAt(qsizetype row) const { return m_integers[size_t(row)]; }
    double realAt(qsizetype row) const { return m_reals[size_t(row)]; }
    QStringView textAt(qsizetype row) const {
        const TextRef& t = m_texts[size_t(row)];
        return QStringView(m_characters).mid(t.start, t.length);
    }

    void reserve(qsizetype rows);
    void appendNull();
    void appendInteger(qint64 value);
    void appendReal(double value);
    void appendText(QStringView value);
    void appendUtf8Text(const char* utf8, qsizetype length);
    void setNull(qsizetype row);
    void setInteger(qsizetype row, qint64 value);
    void setReal(qsizetype row, double value);
    void setText(qsizetype row, QStringView value);
    void removeAt(qsizetype row);
    void truncate(qsizetype rows);
    // Appends rows [first, first + count) of another column of the same storage.
    void appendFrom(const Column& other, qsizetype first, qsizetype count);

private:
    ColumnInfo m_info;
    Storage m_storage;
    std::vector<qint64> m_integers;
    std::vector<double> m_reals;
    struct TextRef {
        qsizetype start;
        qsizetype length;
    };
    qsizetype addCharacters(QStringView value);
    QString m_characters;
    std::vector<TextRef> m_texts;
    std::vector<bool> m_nulls;
};

Column::Storage storageOf(DbxType type);

// A table result or data packet: typed columns of equal length. Values go in and out as QVariant
// (int, qlonglong, double, bool, QDate, QDateTime, QString; an invalid QVariant for NULL) or
// through the typed column accessors where speed matters.
class DataTable {
public:
    int addColumn(ColumnInfo info);
    int columnCount() const { return int(m_columns.size()); }
    qsizetype rowCount() const { return m_rows; }
    const ColumnInfo& columnInfo(int column) const { return m_columns[size_t(column)].info(); }
    const Column& column(int column) const { return m_columns[size_t(column)]; }
    Column& column(int column) { return m_columns[size_t(column)]; }
    // Case-insensitive, as field names are looked up; -1 when there is no such column.
    int indexOf(QStringView name) const;

    bool isNull(qsizetype row, int column) const { return m_columns[size_t(column)].isNull(row); }
    QVariant value(qsizetype row, int column) const;
    // Converts the value to the column's type; raises ProtocolError when it can't.
    void setValue(qsizetype row, int column, const QVariant& value);

    qsizetype appendRow();  // a row of NULLs; returns its index
    void removeRow(qsizetype row);
    void clearRows();
    // Appends rows of a table with the same columns, from firstRow to its end.
    void appendRowsFrom(const DataTable& other, qsizetype firstRow = 0);
    // Same column names and types, in the same order.
    bool sameStructure(const DataTable& other) const;
    // After filling columns one by one: checks that they are of equal length and takes it as the
    // row count. Raises ProtocolError otherwise.
    void finishColumns();

    void writeJson(JsonWriter& out) const;
    QByteArray toJson() const;

    bool operator==(const DataTable& other) const;

private:
    std::vector<Column> m_columns;
    qsizetype m_rows = 0;
};

// Text forms of dates inside the table form: "YYYY-MM-DD" and "YYYY-MM-DD HH:MM:SS.zzz".
QString formatWireDate(TDate day);
QString formatWireDateTime(TDate day);
bool parseWireDate(const char* text, size_t length, TDate& out);
bool parseWireDateTime(const char* text, size_t length, TDate& out);

}  // namespace zerda
