#pragma once

#include <QDateTime>
#include <QHash>
#include <QList>
#include <QLocale>
#include <QString>
#include <QVariant>
#include <vector>

#include "datatable.h"
#include "errors.h"

namespace zerda {

class ClientDataSet;

// Told about changes of a data set, so that a view over it can follow. While the data set's
// controls are disabled nothing is told; enabling them again tells one reset.
class DataSetListener {
public:
    virtual ~DataSetListener() = default;
    virtual void dataSetAboutToReset() = 0;
    virtual void dataSetReset() = 0;
    virtual void rowChanged(qsizetype row) = 0;
    virtual void rowAboutToBeInserted(qsizetype row) = 0;
    virtual void rowInserted() = 0;
    virtual void rowAboutToBeRemoved(qsizetype row) = 0;
    virtual void rowRemoved() = 0;
    // The data set is being destroyed: forget it.
    virtual void dataSetDestroyed() = 0;
};

// One field of the current record.
class Field {
public:
    Field(ClientDataSet& dataSet, int index) : m_dataSet(&dataSet), m_index(index) {}

    int index() const { return m_index; }
    const QString& FieldName() const;
    DbxType DataType() const;
    QVariant Value() const;
    bool IsNull() const { return !Value().isValid(); }
    QString AsString() const;
    int AsInteger() const { return Value().toInt(); }
    qint64 AsLargeInt() const { return Value().toLongLong(); }
    double AsFloat() const { return Value().toDouble(); }
    bool AsBoolean() const { return Value().toBool(); }
    QDateTime AsDateTime() const { return Value().toDateTime(); }
    // Writing needs the data set in edit or insert state.
    void setValue(const QVariant& value);
    void Clear() { setValue(QVariant()); }
    QString DisplayText() const;

private:
    ClientDataSet* m_dataSet;
    int m_index;
};

// A client-side table with a cursor, in the manner of a client data set: typed columns and rows,
// open and closed states, first/next/eof navigation, locate by a column's value, edit/insert/post,
// a display format per floating-point column, and listeners that views attach to.
class ClientDataSet {
public:
    enum class State { Inactive, Browse, Edit, Insert };

    ClientDataSet() = default;
    ~ClientDataSet();
    ClientDataSet(const ClientDataSet&) = delete;
    ClientDataSet& operator=(const ClientDataSet&) = delete;

    // Structure, for data sets made by the program itself.
    void addField(const QString& name, DbxType type);
    void CreateDataSet();  // opens an empty data set on the fields added

    // A data packet: the data set takes its columns and rows and is opened on its first row.
    void setData(DataTable packet);
    const DataTable& Data() const { return m_table; }

    void Open();
    void Close();
    bool Active() const { return m_state != State::Inactive; }
    State state() const { return m_state; }
    void EmptyDataSet();

    qsizetype RecordCount() const { return m_table.rowCount(); }
    bool IsEmpty() const { return RecordCount() == 0; }
    int FieldCount() const { return m_table.columnCount(); }
    // The current record's index, -1 when there is none.
    qsizetype RecNo() const { return m_row; }
    void setRecNo(qsizetype row);
    void First();
    void Last();
    void Next();
    void Prior();
    bool Eof() const { return m_eof; }
    bool Bof() const { return m_bof; }
    // Moves to the first record whose field equals the value (texts compared case-insensitively
    // when asked); the cursor stays where it was when none does.
    bool Locate(const QString& fieldName, const QVariant& value, bool caseInsensitive = false);

    Field FieldByName(const QString& name);
    Field FindField(const QString& name, bool* found);
    Field Fields(int index) { return Field(*this, index); }
    int FieldIndex(const QString& name) const { return m_table.indexOf(name); }
    const ColumnInfo& fieldInfo(int index) const { return m_table.columnInfo(index); }

    void Edit();
    void Append();  // a new empty record at the end, in insert state
    void Post();
    void Cancel();
    void Delete();

    // Cells by position, for views: the posted values, whatever the cursor.
    QVariant cell(qsizetype row, int column) const;
    QString displayText(qsizetype row, int column) const;

    void setDisplayFormat(int column, const QString& format);
    QString displayFormat(int column) const { return m_displayFormats.value(column); }
    void setLocale(const QLocale& locale) { m_locale = locale; }

    // Bulk loads: listeners hear nothing until the matching EnableControls, then one reset.
    void DisableControls();
    void EnableControls();
    bool ControlsDisabled() const { return m_disabled > 0; }

    void addListener(DataSetListener* listener);
    void removeListener(DataSetListener* listener);

private:
    friend class Field;
    QVariant currentValue(int column) const;
    void setCurrentValue(int column, const QVariant& value);
    void requireActive(const char* operation) const;
    void requireBrowse(const char* operation) const;
    void moveTo(qsizetype row);
    void reset(DataTable table);

    template <class F>
    void notify(F&& f) {
        if (m_disabled > 0) {
            m_changedWhileDisabled = true;
            return;
        }
        for (DataSetListener* l : m_listeners)
            f(l);
    }

    DataTable m_table;
    State m_state = State::Inactive;
    qsizetype m_row = -1;
    bool m_eof = true;
    bool m_bof = true;
    std::vector<QVariant> m_buffer;  // the record being edited or inserted
    QHash<int, QString> m_displayFormats;
    QLocale m_locale;
    int m_disabled = 0;
    bool m_changedWhileDisabled = false;
    QList<DataSetListener*> m_listeners;
};

// Formats a number with a display format of the "#,##0.00" kind: ',' asks for digit grouping,
// the '0's before the point give the least number of integer digits, the '0's and '#'s after it the
// decimals (the '#'s only when needed). Separators come from the locale.
QString formatFloat(const QString& format, double value, const QLocale& locale);

}  // namespace zerda
