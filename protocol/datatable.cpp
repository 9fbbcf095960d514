#include "datatable.h"

#include <QDate>
#include <QDateTime>
#include <cmath>
#include <limits>

#include "errors.h"
#include "jsonwriter.h"

namespace zerda {

bool isKnownDbxType(int code) {
    switch (DbxType(code)) {
        case DbxType::AnsiString:
        case DbxType::Date:
        case DbxType::Boolean:
        case DbxType::Int32:
        case DbxType::Double:
        case DbxType::DateTime:
        case DbxType::Int64:
        case DbxType::WideString:
            return true;
    }
    return false;
}

QString dbxTypeName(DbxType type) {
    switch (type) {
        case DbxType::AnsiString:
            return QStringLiteral("AnsiString");
        case DbxType::Date:
            return QStringLiteral("Date");
        case DbxType::Boolean:
            return QStringLiteral("Boolean");
        case DbxType::Int32:
            return QStringLiteral("Int32");
        case DbxType::Double:
            return QStringLiteral("Double");
        case DbxType::DateTime:
            return QStringLiteral("DateTime");
        case DbxType::Int64:
            return QStringLiteral("Int64");
        case DbxType::WideString:
            return QStringLiteral("WideString");
    }
    return QString::number(int(type));
}

Column::Storage storageOf(DbxType type) {
    switch (type) {
        case DbxType::Int32:
        case DbxType::Int64:
        case DbxType::Boolean:
            return Column::Storage::Integer;
        case DbxType::Double:
        case DbxType::Date:
        case DbxType::DateTime:
            return Column::Storage::Real;
        case DbxType::AnsiString:
        case DbxType::WideString:
            break;
    }
    return Column::Storage::Text;
}

// ---------------------------------------------------------------------------------------------
// Column

Column::Column(ColumnInfo info) : m_info(std::move(info)), m_storage(storageOf(m_info.type)) {}

void Column::reserve(qsizetype rows) {
    m_nulls.reserve(size_t(rows));
    switch (m_storage) {
        case Storage::Integer:
            m_integers.reserve(size_t(rows));
            break;
        case Storage::Real:
            m_reals.reserve(size_t(rows));
            break;
        case Storage::Text:
            m_texts.reserve(size_t(rows));
            break;
    }
}

void Column::appendNull() {
    switch (m_storage) {
        case Storage::Integer:
            m_integers.push_back(0);
            break;
        case Storage::Real:
            m_reals.push_back(0.0);
            break;
        case Storage::Text:
            m_texts.push_back({m_characters.size(), 0});
            break;
    }
    m_nulls.push_back(true);
}

void Column::appendInteger(qint64 value) {
    m_integers.push_back(value);
    m_nulls.push_back(false);
}

void Column::appendReal(double value) {
    m_reals.push_back(value);
    m_nulls.push_back(false);
}

qsizetype Column::addCharacters(QStringView value) {
    const qsizetype start = m_characters.size();
    const QChar* base = m_characters.constData();
    if (value.data() >= base && value.data() < base + m_characters.size()) {
        m_characters.append(value.toString());  // a slice of this very buffer
    } else {
        if (m_characters.capacity() < start + value.size())
            m_characters.reserve(
                std::max<qsizetype>(2 * m_characters.capacity(), start + value.size() + 64));
        m_characters.append(value);
    }
    return start;
}

void Column::appendText(QStringView value) {
    m_texts.push_back({addCharacters(value), value.size()});
    m_nulls.push_back(false);
}

namespace {

// UTF-8 to UTF-16, written to out; returns the units written (never more than the bytes read).
// A malformed sequence becomes U+FFFD, byte by byte, as Qt's own decoder does.
qsizetype decodeUtf8(const uchar* in, qsizetype length, char16_t* out) {
    const uchar* const end = in + length;
    char16_t* o = out;
    auto continuation = [&](qsizetype i) { return (in[i] & 0xC0) == 0x80; };
    while (in < end) {
        const uchar c = *in;
        if (c < 0x80) {
            *o++ = c;
            ++in;
            continue;
        }
        const qsizetype left = end - in;
        if (c >= 0xC2 && c <= 0xDF && left >= 2 && continuation(1)) {
            *o++ = char16_t(((c & 0x1F) << 6) | (in[1] & 0x3F));
            in += 2;
            continue;
        }
        if (c >= 0xE0 && c <= 0xEF && left >= 3 && continuation(1) && continuation(2)) {
            const char32_t cp = ((c & 0x0F) << 12) | ((in[1] & 0x3F) << 6) | (in[2] & 0x3F);
            if (cp >= 0x800 && (cp < 0xD800 || cp > 0xDFFF)) {
                *o++ = char16_t(cp);
                in += 3;
                continue;
            }
        }
        if (c >= 0xF0 && c <= 0xF4 && left >= 4 && continuation(1) && continuation(2) &&
            continuation(3)) {
            const char32_t cp = ((c & 0x07) << 18) | ((in[1] & 0x3F) << 12) |
                                ((in[2] & 0x3F) << 6) | (in[3] & 0x3F);
            if (cp >= 0x10000 && cp <= 0x10FFFF) {
                *o++ = char16_t(0xD800 + ((cp - 0x10000) >> 10));
                *o++ = char16_t(0xDC00 + ((cp - 0x10000) & 0x3FF));
                in += 4;
                continue;
            }
        }
        *o++ = 0xFFFD;
        ++in;
    }
    return o - out;
}

}  // namespace

void Column::appendUtf8Text(const char* utf8, qsizetype length) {
    // Decodes straight into the column's buffer.
    const qsizetype start = m_characters.size();
    if (m_characters.capacity() < start + length)
        m_characters.reserve(std::max<qsizetype>(2 * m_characters.capacity(), start + length + 64));
    m_characters.resize(start + length);
    const qsizetype written = decodeUtf8(reinterpret_cast<const uchar*>(utf8), length,
                                         reinterpret_cast<char16_t*>(m_characters.data()) + start);
    m_characters.resize(start + written);
    m_texts.push_back({start, written});
    m_nulls.push_back(false);
}

void Column::setNull(qsizetype row) {
    switch (m_storage) {
        case Storage::Integer:
            m_integers[size_t(row)] = 0;
            break;
        case Storage::Real:
            m_reals[size_t(row)] = 0.0;
            break;
        case Storage::Text:
            m_texts[size_t(row)] = {0, 0};
            break;
    }
    m_nulls[size_t(row)] = true;
}

void Column::setInteger(qsizetype row, qint64 value) {
    m_integers[size_t(row)] = value;
    m_nulls[size_t(row)] = false;
}

void Column::setReal(qsizetype row, double value) {
    m_reals[size_t(row)] = value;
    m_nulls[size_t(row)] = false;
}

void Column::setText(qsizetype row, QStringView value) {
    m_texts[size_t(row)] = {addCharacters(value), value.size()};
    m_nulls[size_t(row)] = false;
}

void Column::removeAt(qsizetype row) {
    const auto at = size_t(row);
    switch (m_storage) {
        case Storage::Integer:
            m_integers.erase(m_integers.begin() + qsizetype(at));
            break;
        case Storage::Real:
            m_reals.erase(m_reals.begin() + qsizetype(at));
            break;
        case Storage::Text:
            m_texts.erase(m_texts.begin() + qsizetype(at));
            break;
    }
    m_nulls.erase(m_nulls.begin() + qsizetype(at));
}

void Column::truncate(qsizetype rows) {
    const auto n = size_t(rows);
    m_integers.resize(std::min(n, m_integers.size()));
    m_reals.resize(std::min(n, m_reals.size()));
    if (m_texts.size() > n)
        m_texts.resize(n);
    if (n == 0)
        m_characters.clear();
    m_nulls.resize(std::min(n, m_nulls.size()));
}

void Column::appendFrom(const Column& other, qsizetype first, qsizetype count) {
    const auto from = size_t(first), to = size_t(first + count);
    switch (m_storage) {
        case Storage::Integer:
            m_integers.insert(m_integers.end(), other.m_integers.begin() + qsizetype(from),
                              other.m_integers.begin() + qsizetype(to));
            break;
        case Storage::Real:
            m_reals.insert(m_reals.end(), other.m_reals.begin() + qsizetype(from),
                           other.m_reals.begin() + qsizetype(to));
            break;
        case Storage::Text:
            m_texts.reserve(m_texts.size() + size_t(count));
            for (size_t r = from; r < to; ++r) {
                const TextRef& t = other.m_texts[r];
                m_texts.push_back(
                    {addCharacters(QStringView(other.m_characters).mid(t.start, t.length)),
                     t.length});
            }
            break;
    }
    m_nulls.insert(m_nulls.end(), other.m_nulls.begin() + qsizetype(from),
                   other.m_nulls.begin() + qsizetype(to));
}

// ---------------------------------------------------------------------------------------------
// DataTable

int DataTable::addColumn(ColumnInfo info) {
    Column column(std::move(info));
    for (qsizetype i = 0; i < m_rows; ++i)
        column.appendNull();
    m_columns.push_back(std::move(column));
    return int(m_columns.size()) - 1;
}

int DataTable::indexOf(QStringView name) const {
    for (size_t i = 0; i < m_columns.size(); ++i)
        if (QStringView(m_columns[i].info().name).compare(name, Qt::CaseInsensitive) == 0)
            return int(i);
    return -1;
}

QVariant DataTable::value(qsizetype row, int column) const {
    const Column& c = m_columns[size_t(column)];
    if (c.isNull(row))
        return QVariant();
    switch (c.info().type) {
        case DbxType::Int32:
            return QVariant(int(c.integerAt(row)));
        case DbxType::Int64:
            return QVariant(qlonglong(c.integerAt(row)));
        case DbxType::Boolean:
            return QVariant(c.integerAt(row) != 0);
        case DbxType::Double:
            return QVariant(c.realAt(row));
        case DbxType::Date:
            return QVariant(dateFromDayNumber(c.realAt(row)));
        case DbxType::DateTime:
            return QVariant(dateTimeFromDayNumber(c.realAt(row)));
        case DbxType::AnsiString:
        case DbxType::WideString:
            break;
    }
    return QVariant(c.textAt(row).toString());
}

namespace {

[[noreturn]] void cannotStore(const ColumnInfo& info, const QVariant& value) {
    throw ProtocolError(QStringLiteral("\"%1\" sütununa (%2) \"%3\" değeri yazılamaz")
                            .arg(info.name, dbxTypeName(info.type), value.toString()));
}

qint64 integerFrom(const ColumnInfo& info, const QVariant& value) {
    if (info.type == DbxType::Boolean) {
        if (value.typeId() == QMetaType::Bool || value.canConvert<qlonglong>())
            return value.toBool() ? 1 : 0;
        cannotStore(info, value);
    }
    if (value.typeId() == QMetaType::Double) {
        const double d = value.toDouble();
        if (std::trunc(d) != d)
            cannotStore(info, value);
    }
    bool ok = false;
    const qint64 v = value.toLongLong(&ok);
    if (!ok)
        cannotStore(info, value);
    if (info.type == DbxType::Int32 &&
        (v < std::numeric_limits<qint32>::min() || v > std::numeric_limits<qint32>::max()))
        cannotStore(info, value);
    return v;
}

double realFrom(const ColumnInfo& info, const QVariant& value) {
    if (value.typeId() == QMetaType::QDate)
        return dayNumberFromDate(value.toDate());
    if (value.typeId() == QMetaType::QDateTime) {
        const TDate day = dayNumberFromDateTime(value.toDateTime());
        return info.type == DbxType::Date ? std::trunc(day) : day;
    }
    bool ok = false;
    const double v = value.toDouble(&ok);
    if (!ok)
        cannotStore(info, value);
    return v;
}

}  // namespace

void DataTable::setValue(qsizetype row, int column, const QVariant& value) {
    Column& c = m_columns[size_t(column)];
    if (!value.isValid() || value.isNull()) {
        c.setNull(row);
        return;
    }
    switch (c.storage()) {
        case Column::Storage::Integer:
            c.setInteger(row, integerFrom(c.info(), value));
            break;
        case Column::Storage::Real:
            c.setReal(row, realFrom(c.info(), value));
            break;
        case Column::Storage::Text:
            c.setText(row, value.toString());
            break;
    }
}

qsizetype DataTable::appendRow() {
    for (Column& c : m_columns)
        c.appendNull();
    return m_rows++;
}

void DataTable::removeRow(qsizetype row) {
    for (Column& c : m_columns)
        c.removeAt(row);
    --m_rows;
}

void DataTable::clearRows() {
    for (Column& c : m_columns)
        c.truncate(0);
    m_rows = 0;
}

bool DataTable::sameStructure(const DataTable& other) const {
    if (other.columnCount() != columnCount())
        return false;
    for (int i = 0; i < columnCount(); ++i)
        if (other.columnInfo(i).name != columnInfo(i).name ||
            other.columnInfo(i).type != columnInfo(i).type)
            return false;
    return true;
}

void DataTable::appendRowsFrom(const DataTable& other, qsizetype firstRow) {
    const qsizetype count = std::max<qsizetype>(0, other.rowCount() - firstRow);
    for (size_t i = 0; i < m_columns.size(); ++i)
        m_columns[i].appendFrom(other.m_columns[i], firstRow, count);
    m_rows += count;
}

void DataTable::finishColumns() {
    if (m_columns.empty()) {
        m_rows = 0;
        return;
    }
    const qsizetype rows = m_columns.front().size();
    for (const Column& c : m_columns)
        if (c.size() != rows)
            throw ProtocolError(QStringLiteral("Tablonun \"%1\" sütununda %2 değer var, %3 olmalı")
                                    .arg(c.info().name)
                                    .arg(c.size())
                                    .arg(rows));
    m_rows = rows;
}

bool DataTable::operator==(const DataTable& other) const {
    if (!sameStructure(other) || rowCount() != other.rowCount())
        return false;
    for (int c = 0; c < columnCount(); ++c)
        for (qsizetype r = 0; r < rowCount(); ++r)
            if (value(r, c) != other.value(r, c))
                return false;
    return true;
}

void DataTable::writeJson(JsonWriter& out) const {
    out.beginObject();
    out.key("table");
    out.beginArray();
    for (size_t i = 0; i < m_columns.size(); ++i) {
        const ColumnInfo& info = m_columns[i].info();
        out.beginArray();
        out.string(info.name);
        out.integer(int(info.type));
        out.integer(qint64(i));
        out.integer(info.subType);
        out.integer(info.scale);
        out.integer(info.size);
        out.integer(info.precision);
        out.integer(info.childPosition);
        out.boolean(info.nullable);
        out.boolean(info.hidden);
        out.integer(info.direction);
        out.boolean(info.valueParameter);
        out.boolean(info.literal);
        out.endArray();
    }
    out.endArray();
    for (const Column& c : m_columns) {
        out.key(c.info().name);
        out.beginArray();
        for (qsizetype r = 0; r < m_rows; ++r) {
            if (c.isNull(r)) {
                out.null();
                continue;
            }
            switch (c.info().type) {
                case DbxType::Boolean:
                    out.boolean(c.integerAt(r) != 0);
                    break;
                case DbxType::Int32:
                case DbxType::Int64:
                    out.integer(c.integerAt(r));
                    break;
                case DbxType::Double:
                    out.number(c.realAt(r));
                    break;
                case DbxType::Date:
                    out.string(formatWireDate(c.realAt(r)));
                    break;
                case DbxType::DateTime:
                    out.string(formatWireDateTime(c.realAt(r)));
                    break;
                case DbxType::AnsiString:
                case DbxType::WideString:
                    out.string(c.textAt(r));
                    break;
            }
        }
        out.endArray();
    }
    out.endObject();
}

QByteArray DataTable::toJson() const {
    JsonWriter out;
    writeJson(out);
    return out.text();
}

// ---------------------------------------------------------------------------------------------
// Date texts

QString formatWireDate(TDate day) {
    return dateFromDayNumber(day).toString(QStringLiteral("yyyy-MM-dd"));
}

QString formatWireDateTime(TDate day) {
    return dateTimeFromDayNumber(day).toString(QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz"));
}

namespace {

bool readDigits(const char* text, size_t at, size_t count, int& out) {
    int value = 0;
    for (size_t i = at; i < at + count; ++i) {
        if (text[i] < '0' || text[i] > '9')
            return false;
        value = value * 10 + (text[i] - '0');
    }
    out = value;
    return true;
}

}  // namespace

bool parseWireDate(const char* text, size_t length, TDate& out) {
    int y, m, d;
    if (length < 10 || text[4] != '-' || text[7] != '-' || !readDigits(text, 0, 4, y) ||
        !readDigits(text, 5, 2, m) || !readDigits(text, 8, 2, d))
        return false;
    const QDate date(y, m, d);
    if (!date.isValid())
        return false;
    out = dayNumberFromDate(date);
    return length == 10 || (length > 10 && (text[10] == ' ' || text[10] == 'T'));
}

bool parseWireDateTime(const char* text, size_t length, TDate& out) {
    TDate day;
    if (!parseWireDate(text, length, day))
        return false;
    if (length == 10) {
        out = day;
        return true;
    }
    int h, mi, s, ms = 0;
    if (length < 19 || text[13] != ':' || text[16] != ':' || !readDigits(text, 11, 2, h) ||
        !readDigits(text, 14, 2, mi) || !readDigits(text, 17, 2, s))
        return false;
    if (length > 19) {
        if (text[19] != '.' || length > 23 || length == 20)
            return false;
        if (!readDigits(text, 20, length - 20, ms))
            return false;
        for (size_t i = length - 20; i < 3; ++i)
            ms *= 10;
    }
    const QTime time(h, mi, s, ms);
    if (!time.isValid())
        return false;
    out = dayNumberFromDateTime(QDateTime(dateFromDayNumber(day), time));
    return true;
}

}  // namespace zerda
