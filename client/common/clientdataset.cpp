#include "clientdataset.h"

#include "decimal.h"

namespace zerda {

// ---------------------------------------------------------------------------------------------
// Field

const QString& Field::FieldName() const {
    return m_dataSet->fieldInfo(m_index).name;
}
DbxType Field::DataType() const {
    return m_dataSet->fieldInfo(m_index).type;
}
QVariant Field::Value() const {
    return m_dataSet->currentValue(m_index);
}
QString Field::AsString() const {
    const QVariant v = Value();
    return v.isValid() ? v.toString() : QString();
}
void Field::setValue(const QVariant& value) {
    m_dataSet->setCurrentValue(m_index, value);
}
QString Field::DisplayText() const {
    const QString format = m_dataSet->displayFormat(m_index);
    const QVariant v = Value();
    if (!v.isValid())
        return {};
    if (!format.isEmpty() && v.typeId() == QMetaType::Double)
        return formatFloat(format, v.toDouble(), m_dataSet->m_locale);
    return v.toString();
}

// ---------------------------------------------------------------------------------------------
// ClientDataSet

ClientDataSet::~ClientDataSet() {
    // Views may outlive their data set (a window's members go before its child widgets).
    const QList<DataSetListener*> listeners = m_listeners;
    m_listeners.clear();
    for (DataSetListener* l : listeners)
        l->dataSetDestroyed();
}

void ClientDataSet::requireActive(const char* operation) const {
    if (!Active())
        throw Error(
            QStringLiteral("Veri kümesi kapalı: %1 yapılamaz").arg(QLatin1String(operation)));
}

void ClientDataSet::requireBrowse(const char* operation) const {
    requireActive(operation);
    if (m_state != State::Browse)
        throw Error(QStringLiteral("Veri kümesinde kaydedilmemiş bir değişiklik var: %1 yapılamaz")
                        .arg(QLatin1String(operation)));
}

void ClientDataSet::addField(const QString& name, DbxType type) {
    if (Active())
        throw Error(QStringLiteral("Açık veri kümesine alan eklenemez: %1").arg(name));
    if (m_table.indexOf(name) >= 0)
        throw Error(QStringLiteral("\"%1\" alanı zaten var").arg(name));
    ColumnInfo info;
    info.name = name;
    info.type = type;
    m_table.addColumn(std::move(info));
}

void ClientDataSet::CreateDataSet() {
    DataTable structure = std::move(m_table);
    structure.clearRows();
    reset(std::move(structure));
}

void ClientDataSet::setData(DataTable packet) {
    reset(std::move(packet));
}

void ClientDataSet::reset(DataTable table) {
    notify([](DataSetListener* l) { l->dataSetAboutToReset(); });
    m_table = std::move(table);
    m_displayFormats.clear();
    m_buffer.clear();
    m_state = State::Browse;
    moveTo(0);
    notify([](DataSetListener* l) { l->dataSetReset(); });
}

void ClientDataSet::Open() {
    if (Active())
        return;
    notify([](DataSetListener* l) { l->dataSetAboutToReset(); });
    m_state = State::Browse;
    moveTo(0);
    notify([](DataSetListener* l) { l->dataSetReset(); });
}

void ClientDataSet::Close() {
    if (!Active())
        return;
    notify([](DataSetListener* l) { l->dataSetAboutToReset(); });
    m_state = State::Inactive;
    m_buffer.clear();
    m_row = -1;
    m_eof = m_bof = true;
    notify([](DataSetListener* l) { l->dataSetReset(); });
}

void ClientDataSet::EmptyDataSet() {
    requireActive("EmptyDataSet");
    notify([](DataSetListener* l) { l->dataSetAboutToReset(); });
    m_table.clearRows();
    m_buffer.clear();
    m_state = State::Browse;
    moveTo(0);
    notify([](DataSetListener* l) { l->dataSetReset(); });
}

void ClientDataSet::moveTo(qsizetype row) {
    const qsizetype count = m_table.rowCount();
    if (count == 0) {
        m_row = -1;
        m_eof = m_bof = true;
        return;
    }
    m_row = std::clamp<qsizetype>(row, 0, count - 1);
    m_bof = m_row == 0 && row <= 0;
    m_eof = false;
}

void ClientDataSet::setRecNo(qsizetype row) {
    requireBrowse("RecNo");
    moveTo(row);
}

void ClientDataSet::First() {
    requireBrowse("First");
    moveTo(0);
}

void ClientDataSet::Last() {
    requireBrowse("Last");
    moveTo(m_table.rowCount() - 1);
    m_eof = m_table.rowCount() == 0;
    m_bof = m_table.rowCount() <= 1;
}

void ClientDataSet::Next() {
    requireBrowse("Next");
    if (m_row + 1 >= m_table.rowCount()) {
        m_eof = true;
        return;
    }
    ++m_row;
    m_bof = false;
}

void ClientDataSet::Prior() {
    requireBrowse("Prior");
    if (m_row <= 0) {
        m_bof = true;
        return;
    }
    --m_row;
    m_eof = false;
}

bool ClientDataSet::Locate(const QString& fieldName, const QVariant& value, bool caseInsensitive) {
    requireBrowse("Locate");
    const int column = FieldByName(fieldName).index();
    const Column& c = m_table.column(column);
    const bool text = c.storage() == Column::Storage::Text;
    const QString wantedText = value.toString();
    for (qsizetype r = 0; r < m_table.rowCount(); ++r) {
        if (!value.isValid()) {
            if (!c.isNull(r))
                continue;
        } else if (c.isNull(r)) {
            continue;
        } else if (text) {
            if (c.textAt(r).compare(wantedText,
                                    caseInsensitive ? Qt::CaseInsensitive : Qt::CaseSensitive) != 0)
                continue;
        } else if (QVariant::compare(m_table.value(r, column), value) !=
                   QPartialOrdering::Equivalent) {
            continue;
        }
        moveTo(r);
        return true;
    }
    return false;
}

Field ClientDataSet::FindField(const QString& name, bool* found) {
    const int index = m_table.indexOf(name);
    if (found)
        *found = index >= 0;
    return Field(*this, std::max(index, 0));
}

Field ClientDataSet::FieldByName(const QString& name) {
    const int index = m_table.indexOf(name);
    if (index < 0)
        throw Error(QStringLiteral("\"%1\" alanı bulunamadı").arg(name));
    return Field(*this, index);
}

QVariant ClientDataSet::currentValue(int column) const {
    if (m_state == State::Edit || m_state == State::Insert)
        return m_buffer[size_t(column)];
    if (!Active() || m_row < 0)
        return {};
    return m_table.value(m_row, column);
}

void ClientDataSet::setCurrentValue(int column, const QVariant& value) {
    if (m_state != State::Edit && m_state != State::Insert)
        throw Error(QStringLiteral("Veri kümesi düzenleme durumunda değil: \"%1\" alanı yazılamaz")
                        .arg(fieldInfo(column).name));
    m_buffer[size_t(column)] = value;
}

void ClientDataSet::Edit() {
    requireActive("Edit");
    if (m_state != State::Browse)
        return;
    if (m_row < 0)
        throw Error(QStringLiteral("Düzenlenecek kayıt yok"));
    m_buffer.assign(size_t(FieldCount()), QVariant());
    for (int c = 0; c < FieldCount(); ++c)
        m_buffer[size_t(c)] = m_table.value(m_row, c);
    m_state = State::Edit;
}

void ClientDataSet::Append() {
    requireBrowse("Append");
    m_buffer.assign(size_t(FieldCount()), QVariant());
    m_state = State::Insert;
}

void ClientDataSet::Post() {
    if (m_state == State::Edit) {
        // Check every value before writing any, so a refused value leaves the record as it was.
        DataTable staged;
        for (int c = 0; c < FieldCount(); ++c)
            staged.addColumn(fieldInfo(c));
        staged.appendRow();
        for (int c = 0; c < FieldCount(); ++c)
            staged.setValue(0, c, m_buffer[size_t(c)]);
        for (int c = 0; c < FieldCount(); ++c)
            m_table.setValue(m_row, c, staged.value(0, c));
        m_state = State::Browse;
        m_buffer.clear();
        const qsizetype row = m_row;
        notify([row](DataSetListener* l) { l->rowChanged(row); });
    } else if (m_state == State::Insert) {
        DataTable staged;
        for (int c = 0; c < FieldCount(); ++c)
            staged.addColumn(fieldInfo(c));
        staged.appendRow();
        for (int c = 0; c < FieldCount(); ++c)
            staged.setValue(0, c, m_buffer[size_t(c)]);
        const qsizetype row = m_table.rowCount();
        notify([row](DataSetListener* l) { l->rowAboutToBeInserted(row); });
        m_table.appendRowsFrom(staged);
        m_state = State::Browse;
        m_buffer.clear();
        moveTo(row);
        notify([](DataSetListener* l) { l->rowInserted(); });
    }
}

void ClientDataSet::Cancel() {
    if (m_state == State::Edit || m_state == State::Insert) {
        m_state = State::Browse;
        m_buffer.clear();
    }
}

void ClientDataSet::Delete() {
    requireBrowse("Delete");
    if (m_row < 0)
        throw Error(QStringLiteral("Silinecek kayıt yok"));
    const qsizetype row = m_row;
    notify([row](DataSetListener* l) { l->rowAboutToBeRemoved(row); });
    m_table.removeRow(row);
    moveTo(row);
    notify([](DataSetListener* l) { l->rowRemoved(); });
}

QVariant ClientDataSet::cell(qsizetype row, int column) const {
    if (!Active() || row < 0 || row >= m_table.rowCount() || column < 0 || column >= FieldCount())
        return {};
    return m_table.value(row, column);
}

QString ClientDataSet::displayText(qsizetype row, int column) const {
    const QVariant v = cell(row, column);
    if (!v.isValid())
        return {};
    const auto format = m_displayFormats.constFind(column);
    if (format != m_displayFormats.constEnd() && v.typeId() == QMetaType::Double)
        return formatFloat(*format, v.toDouble(), m_locale);
    if (v.typeId() == QMetaType::QDate)
        return m_locale.toString(v.toDate(), QLocale::ShortFormat);
    if (v.typeId() == QMetaType::QDateTime)
        return m_locale.toString(v.toDateTime(), QLocale::ShortFormat);
    return v.toString();
}

void ClientDataSet::setDisplayFormat(int column, const QString& format) {
    if (format.isEmpty())
        m_displayFormats.remove(column);
    else
        m_displayFormats.insert(column, format);
    notify([](DataSetListener* l) {
        l->dataSetAboutToReset();
        l->dataSetReset();
    });
}

void ClientDataSet::DisableControls() {
    ++m_disabled;
}

void ClientDataSet::EnableControls() {
    if (m_disabled == 0)
        return;
    if (--m_disabled == 0 && m_changedWhileDisabled) {
        m_changedWhileDisabled = false;
        for (DataSetListener* l : m_listeners) {
            l->dataSetAboutToReset();
            l->dataSetReset();
        }
    }
}

void ClientDataSet::addListener(DataSetListener* listener) {
    if (!m_listeners.contains(listener))
        m_listeners.append(listener);
}

void ClientDataSet::removeListener(DataSetListener* listener) {
    m_listeners.removeAll(listener);
}

// ---------------------------------------------------------------------------------------------

QString formatFloat(const QString& format, double value, const QLocale& locale) {
    const qsizetype point = format.indexOf(QLatin1Char('.'));
    const QStringView integerPart =
        point < 0 ? QStringView(format) : QStringView(format).left(point);
    const QStringView fractionPart = point < 0 ? QStringView() : QStringView(format).mid(point + 1);
    const bool grouping = integerPart.contains(QLatin1Char(','));
    const int minInteger = int(integerPart.count(QLatin1Char('0')));
    const int minDecimals = int(fractionPart.count(QLatin1Char('0')));
    const int maxDecimals = minDecimals + int(fractionPart.count(QLatin1Char('#')));

    const DecimalText decimal = toDecimalText(value, maxDecimals);
    if (!decimal.finite)
        return locale.toString(value);
    QString integer = decimal.integerDigits;
    if (integer == QLatin1String("0") && minInteger == 0)
        integer.clear();
    while (integer.size() < minInteger)
        integer.prepend(QLatin1Char('0'));
    QString fraction = decimal.fractionDigits;
    while (fraction.size() > minDecimals && fraction.endsWith(QLatin1Char('0')))
        fraction.chop(1);

    if (grouping && !locale.groupSeparator().isEmpty()) {
        for (qsizetype at = integer.size() - 3; at > 0; at -= 3)
            integer.insert(at, locale.groupSeparator());
    }
    QString text = integer;
    if (!fraction.isEmpty())
        text += locale.decimalPoint() + fraction;
    if (decimal.negative)
        text.prepend(locale.negativeSign());
    return text;
}

}  // namespace zerda
