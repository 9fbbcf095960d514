#include "wire.h"

#include <rapidjson/error/en.h>
#include <rapidjson/reader.h>
#include <QHash>
#include <QJsonDocument>
#include <QJsonObject>
#include <cmath>
#include <cstring>
#include <functional>
#include <limits>

#include "errors.h"

namespace zerda {

QByteArray methodPath(const QString& datasnapContext, const QString& method) {
    QString context = datasnapContext;
    if (!context.endsWith(QLatin1Char('/')))
        context += QLatin1Char('/');
    return QByteArray("/") + context.toUtf8() + "rest/" + kServerClass + "/%22" + method.toUtf8() +
           "%22/";
}

QByteArray livenessPath(const QString& datasnapContext) {
    QString context = datasnapContext;
    if (!context.endsWith(QLatin1Char('/')))
        context += QLatin1Char('/');
    return QByteArray("/") + context.toUtf8() + "rest/DSAdmin/GetPlatformName/";
}

RequestWriter::RequestWriter() {
    m_out.beginObject();
    m_out.key("_parameters");
    m_out.beginArray();
}

QByteArray RequestWriter::finish() {
    m_out.endArray();
    m_out.endObject();
    return m_out.text();
}

ReplyWriter::ReplyWriter() {
    m_out.beginObject();
    m_out.key("result");
    m_out.beginArray();
}

void writeStream(JsonWriter& out, const QByteArray& bytes) {
    out.beginArray();
    for (char c : bytes)
        out.integer(static_cast<unsigned char>(c));
    out.endArray();
}

void ReplyWriter::stream(const QByteArray& bytes) {
    writeStream(m_out, bytes);
}

QByteArray ReplyWriter::finishBytes() {
    m_out.endArray();
    m_out.endObject();
    return m_out.text();
}

std::string ReplyWriter::finish() {
    m_out.endArray();
    m_out.endObject();
    return m_out.toStdString();
}

std::string errorReplyBody(const QString& message) {
    JsonWriter out;
    out.beginObject();
    out.key("error");
    out.string(message);
    out.endObject();
    return out.toStdString();
}

QJsonArray parseRequestParameters(const QByteArray& body) {
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(body, &error);
    if (error.error != QJsonParseError::NoError)
        throw ProtocolError(QStringLiteral("İstek JSON olarak okunamadı: %1 (konum %2)")
                                .arg(error.errorString())
                                .arg(error.offset));
    if (!document.isObject())
        throw ProtocolError(QStringLiteral("İstek bir JSON nesnesi olmalı"));
    const QJsonValue parameters = document.object().value(QStringLiteral("_parameters"));
    if (parameters.isUndefined())
        return {};
    if (!parameters.isArray())
        throw ProtocolError(QStringLiteral("İsteğin \"_parameters\" üyesi bir dizi olmalı"));
    return parameters.toArray();
}

QString decodeErrorReply(const QByteArray& body) {
    const QJsonDocument document = QJsonDocument::fromJson(body);
    const QJsonValue error = document.object().value(QStringLiteral("error"));
    if (error.isString())
        return error.toString();
    return QString::fromUtf8(body).trimmed();
}

namespace {

// Builds a QJsonValue from reader events, for the small values of a reply.
class GenericBuilder {
public:
    bool active() const { return m_active; }
    void start() {
        m_active = true;
        m_stack.clear();
    }
    // Returns true when the value is complete.
    bool value(QJsonValue v) {
        if (m_stack.empty()) {
            m_result = std::move(v);
            m_active = false;
            return true;
        }
        Node& top = m_stack.back();
        if (top.isArray)
            top.array.append(v);
        else
            top.object.insert(top.key, v);
        return false;
    }
    void beginArray() { m_stack.push_back(Node{true, {}, {}, {}}); }
    void beginObject() { m_stack.push_back(Node{false, {}, {}, {}}); }
    void key(QString k) { m_stack.back().key = std::move(k); }
    bool end() {
        Node node = std::move(m_stack.back());
        m_stack.pop_back();
        return node.isArray ? value(node.array) : value(node.object);
    }
    QJsonValue take() { return std::move(m_result); }

private:
    struct Node {
        bool isArray;
        QJsonArray array;
        QJsonObject object;
        QString key;
    };
    bool m_active = false;
    std::vector<Node> m_stack;
    QJsonValue m_result;
};

// A scalar event of the reader, as one value.
struct Scalar {
    enum class Type { Null, Bool, Integer, Unsigned, Real, Text } type;
    bool boolean = false;
    qint64 integer = 0;
    quint64 unsignedInteger = 0;
    double real = 0;
    const char* text = nullptr;
    size_t length = 0;

    bool isNumber() const {
        return type == Type::Integer || type == Type::Unsigned || type == Type::Real;
    }
    double asReal() const {
        switch (type) {
            case Type::Integer:
                return double(integer);
            case Type::Unsigned:
                return double(unsignedInteger);
            default:
                return real;
        }
    }
    // The value as a whole number, when it is one and fits.
    bool asInteger(qint64& out) const {
        switch (type) {
            case Type::Integer:
                out = integer;
                return true;
            case Type::Unsigned:
                if (unsignedInteger > quint64(std::numeric_limits<qint64>::max()))
                    return false;
                out = qint64(unsignedInteger);
                return true;
            case Type::Real:
                if (std::trunc(real) != real || std::fabs(real) > 9.2e18)
                    return false;
                out = qint64(real);
                return true;
            default:
                return false;
        }
    }
};

Scalar scalarFromJson(const QJsonValue& v, QByteArray& textHolder) {
    switch (v.type()) {
        case QJsonValue::Bool:
            return Scalar{Scalar::Type::Bool, v.toBool()};
        case QJsonValue::Double: {
            Scalar s{Scalar::Type::Real};
            s.real = v.toDouble();
            return s;
        }
        case QJsonValue::String: {
            textHolder = v.toString().toUtf8();
            Scalar s{Scalar::Type::Text};
            s.text = textHolder.constData();
            s.length = size_t(textHolder.size());
            return s;
        }
        default:
            return Scalar{Scalar::Type::Null};
    }
}

class ReplyHandler : public rapidjson::BaseReaderHandler<rapidjson::UTF8<>, ReplyHandler> {
public:
    explicit ReplyHandler(const std::vector<Kind>& kinds) : m_kinds(kinds) {}

    std::vector<ReplyValue> takeValues() { return std::move(m_values); }
    const QString& error() const { return m_error; }
    bool hadResult() const { return m_sawResult; }

    // Scalars
    bool Null() { return scalar(Scalar{Scalar::Type::Null}); }
    bool Bool(bool b) { return scalar(Scalar{Scalar::Type::Bool, b}); }
    bool Int(int i) { return Int64(i); }
    bool Uint(unsigned u) { return Int64(u); }
    bool Int64(int64_t i) {
        Scalar s{Scalar::Type::Integer};
        s.integer = i;
        return scalar(s);
    }
    bool Uint64(uint64_t u) {
        Scalar s{Scalar::Type::Unsigned};
        s.unsignedInteger = u;
        return scalar(s);
    }
    bool Double(double d) {
        Scalar s{Scalar::Type::Real};
        s.real = d;
        return scalar(s);
    }
    bool String(const char* text, rapidjson::SizeType length, bool) {
        Scalar s{Scalar::Type::Text};
        s.text = text;
        s.length = length;
        return scalar(s);
    }

    bool Key(const char* text, rapidjson::SizeType length, bool) {
        if (m_generic.active()) {
            m_generic.key(QString::fromUtf8(text, length));
            return true;
        }
        switch (m_state) {
            case State::RootObject:
                if (equals(text, length, "result")) {
                    m_state = State::ExpectResultArray;
                    m_sawResult = true;
                } else {
                    // An error member or anything else: read and drop it.
                    startGeneric(Target::Discard);
                }
                return true;
            case State::TableObject:
                if (equals(text, length, "table")) {
                    startGeneric(Target::TableMeta);
                } else {
                    m_columnName = QString::fromUtf8(text, length);
                    m_state = State::ExpectColumnArray;
                }
                return true;
            default:
                return fail(QStringLiteral("beklenmeyen anahtar"));
        }
    }

    bool StartObject() {
        if (m_generic.active()) {
            m_generic.beginObject();
            return true;
        }
        switch (m_state) {
            case State::Start:
                m_state = State::RootObject;
                return true;
            case State::ResultArray: {
                const Kind kind = nextKind();
                if (m_failed)
                    return false;
                if (kind == Kind::Table || kind == Kind::DataPacket) {
                    startTable();
                    return true;
                }
                startGeneric(Target::ResultValue);
                m_generic.beginObject();
                return true;
            }
            default:
                return fail(QStringLiteral("beklenmeyen nesne"));
        }
    }

    bool EndObject(rapidjson::SizeType) {
        if (m_generic.active())
            return m_generic.end() ? genericDone() : true;
        switch (m_state) {
            case State::TableObject:
                return finishTable();
            case State::RootObject:
                m_state = State::Done;
                return true;
            default:
                return fail(QStringLiteral("beklenmeyen nesne sonu"));
        }
    }

    bool StartArray() {
        if (m_generic.active()) {
            m_generic.beginArray();
            return true;
        }
        switch (m_state) {
            case State::ExpectResultArray:
                m_state = State::ResultArray;
                return true;
            case State::ResultArray: {
                const Kind kind = nextKind();
                if (m_failed)
                    return false;
                if (kind == Kind::Stream) {
                    m_stream.clear();
                    m_state = State::StreamArray;
                    return true;
                }
                if (kind == Kind::Table || kind == Kind::DataPacket)
                    return fail(QStringLiteral("tablo bekleniyordu, dizi geldi"));
                startGeneric(Target::ResultValue);
                m_generic.beginArray();
                return true;
            }
            case State::ExpectColumnArray:
                return startColumn();
            default:
                return fail(QStringLiteral("beklenmeyen dizi"));
        }
    }

    bool EndArray(rapidjson::SizeType) {
        if (m_generic.active())
            return m_generic.end() ? genericDone() : true;
        switch (m_state) {
            case State::ResultArray:
                if (m_values.size() != m_kinds.size())
                    return fail(QStringLiteral("%1 değer bekleniyordu, %2 geldi")
                                    .arg(m_kinds.size())
                                    .arg(m_values.size()));
                m_state = State::RootObject;
                return true;
            case State::StreamArray:
                m_values.emplace_back(std::move(m_stream));
                m_stream = QByteArray();
                m_state = State::ResultArray;
                return true;
            case State::ColumnArray:
                m_state = State::TableObject;
                return true;
            default:
                return fail(QStringLiteral("beklenmeyen dizi sonu"));
        }
    }

private:
    enum class State {
        Start,
        RootObject,
        ExpectResultArray,
        ResultArray,
        StreamArray,
        TableObject,
        ExpectColumnArray,
        ColumnArray,
        Done
    };
    enum class Target { Discard, ResultValue, TableMeta, PendingColumn };

    static bool equals(const char* text, size_t length, const char* literal) {
        return std::strlen(literal) == length && std::memcmp(text, literal, length) == 0;
    }

    bool fail(const QString& message) {
        if (!m_failed)
            m_error = message;
        m_failed = true;
        return false;
    }

    Kind nextKind() {
        if (m_values.size() >= m_kinds.size()) {
            fail(QStringLiteral("yanıtta beklenenden fazla değer var (%1 bekleniyordu)")
                     .arg(m_kinds.size()));
            return Kind::None;
        }
        return m_kinds[m_values.size()];
    }

    void startGeneric(Target target) {
        m_target = target;
        m_generic.start();
    }

    bool scalar(const Scalar& s) {
        if (m_generic.active()) {
            QJsonValue v;
            switch (s.type) {
                case Scalar::Type::Null:
                    v = QJsonValue(QJsonValue::Null);
                    break;
                case Scalar::Type::Bool:
                    v = s.boolean;
                    break;
                case Scalar::Type::Text:
                    v = QString::fromUtf8(s.text, qsizetype(s.length));
                    break;
                default:
                    v = s.asReal();
                    break;
            }
            return m_generic.value(std::move(v)) ? genericDone() : true;
        }
        switch (m_state) {
            case State::ResultArray: {
                const Kind kind = nextKind();
                if (m_failed)
                    return false;
                if ((kind == Kind::Table || kind == Kind::DataPacket || kind == Kind::Stream ||
                     kind == Kind::Record) &&
                    s.type != Scalar::Type::Null)
                    return fail(QStringLiteral("%1 bekleniyordu").arg(kindName(kind)));
                startGeneric(Target::ResultValue);
                return scalar(s);
            }
            case State::StreamArray: {
                qint64 byte = -1;
                if (!s.asInteger(byte) || byte < 0 || byte > 255)
                    return fail(QStringLiteral("akışta bayt olmayan bir değer var"));
                m_stream.append(char(byte));
                return true;
            }
            case State::ColumnArray:
                return appendCell(*m_column, s);
            case State::ExpectResultArray:
                return fail(QStringLiteral("\"result\" bir dizi olmalı"));
            default:
                return fail(QStringLiteral("beklenmeyen değer"));
        }
    }

    bool genericDone() {
        QJsonValue v = m_generic.take();
        switch (m_target) {
            case Target::Discard:
                return true;
            case Target::ResultValue:
                m_values.emplace_back(std::move(v));
                return true;
            case Target::TableMeta:
                return readTableMeta(v);
            case Target::PendingColumn:
                m_pending.append({m_columnName, v.toArray()});
                m_state = State::TableObject;
                return true;
        }
        return true;
    }

    void startTable() {
        m_table = DataTable();
        m_haveMeta = false;
        m_pending.clear();
        m_columnIndex.clear();
        m_state = State::TableObject;
    }

    bool readTableMeta(const QJsonValue& meta) {
        if (!meta.isArray())
            return fail(QStringLiteral("tablonun \"table\" üyesi bir dizi olmalı"));
        for (const QJsonValue& entry : meta.toArray()) {
            const QJsonArray a = entry.toArray();
            if (a.size() < 2 || !a.at(0).isString() || !a.at(1).isDouble())
                return fail(QStringLiteral("tablonun sütun tanımı bozuk"));
            ColumnInfo info;
            info.name = a.at(0).toString();
            const int code = a.at(1).toInt();
            if (!isKnownDbxType(code))
                return fail(QStringLiteral("\"%1\" sütununun türü (%2) bilinmiyor")
                                .arg(info.name)
                                .arg(code));
            info.type = DbxType(code);
            info.subType = a.at(3).toInt();
            info.scale = a.at(4).toInt();
            info.size = a.at(5).toInt();
            info.precision = a.at(6).toInt();
            info.childPosition = a.at(7).toInt();
            info.nullable = a.at(8).toBool(true);
            info.hidden = a.at(9).toBool();
            info.direction = a.at(10).toInt();
            info.valueParameter = a.at(11).toBool();
            info.literal = a.at(12).toBool();
            if (m_columnIndex.contains(info.name))
                return fail(QStringLiteral("\"%1\" sütunu iki kez tanımlanmış").arg(info.name));
            const QString name = info.name;
            m_columnIndex.insert(name, m_table.addColumn(std::move(info)));
        }
        m_haveMeta = true;
        m_state = State::TableObject;
        return true;
    }

    bool startColumn() {
        if (!m_haveMeta) {
            // Values before the column definitions: keep them until the definitions arrive.
            startGeneric(Target::PendingColumn);
            m_generic.beginArray();
            return true;
        }
        const auto it = m_columnIndex.constFind(m_columnName);
        if (it == m_columnIndex.constEnd())
            return fail(QStringLiteral("tabloda tanımsız \"%1\" sütunu var").arg(m_columnName));
        m_column = &m_table.column(*it);
        if (m_column->size() != 0)
            return fail(
                QStringLiteral("\"%1\" sütununun değerleri iki kez geldi").arg(m_columnName));
        m_state = State::ColumnArray;
        return true;
    }

    bool appendCell(Column& column, const Scalar& s) {
        if (s.type == Scalar::Type::Null) {
            column.appendNull();
            return true;
        }
        const ColumnInfo& info = column.info();
        switch (info.type) {
            case DbxType::Int32:
            case DbxType::Int64: {
                qint64 v;
                if (!s.asInteger(v) ||
                    (info.type == DbxType::Int32 && (v < std::numeric_limits<qint32>::min() ||
                                                     v > std::numeric_limits<qint32>::max())))
                    return cellMismatch(info, "tam sayı");
                column.appendInteger(v);
                return true;
            }
            case DbxType::Boolean:
                if (s.type == Scalar::Type::Bool) {
                    column.appendInteger(s.boolean ? 1 : 0);
                    return true;
                }
                return cellMismatch(info, "mantıksal değer");
            case DbxType::Double:
                if (!s.isNumber())
                    return cellMismatch(info, "sayı");
                column.appendReal(s.asReal());
                return true;
            case DbxType::Date:
            case DbxType::DateTime: {
                TDate day = 0;
                const bool ok =
                    s.type == Scalar::Type::Text &&
                    (info.type == DbxType::Date ? parseWireDate(s.text, s.length, day)
                                                : parseWireDateTime(s.text, s.length, day));
                if (!ok)
                    return cellMismatch(info, "tarih");
                column.appendReal(day);
                return true;
            }
            case DbxType::AnsiString:
            case DbxType::WideString:
                if (s.type != Scalar::Type::Text)
                    return cellMismatch(info, "metin");
                column.appendUtf8Text(s.text, qsizetype(s.length));
                return true;
        }
        return cellMismatch(info, "bilinen bir tür");
    }

    bool cellMismatch(const ColumnInfo& info, const char* wanted) {
        return fail(QStringLiteral("\"%1\" sütununda %2 olmayan bir değer var")
                        .arg(info.name, QLatin1String(wanted)));
    }

    bool finishTable() {
        if (!m_haveMeta)
            return fail(QStringLiteral("tablonun sütun tanımları (\"table\") yok"));
        for (const auto& [name, values] : m_pending) {
            const auto it = m_columnIndex.constFind(name);
            if (it == m_columnIndex.constEnd())
                return fail(QStringLiteral("tabloda tanımsız \"%1\" sütunu var").arg(name));
            Column& column = m_table.column(*it);
            QByteArray holder;
            for (const QJsonValue& v : values)
                if (!appendCell(column, scalarFromJson(v, holder)))
                    return false;
        }
        try {
            m_table.finishColumns();
        } catch (const ProtocolError& e) {
            return fail(e.message());
        }
        m_values.emplace_back(std::move(m_table));
        m_table = DataTable();
        m_state = State::ResultArray;
        return true;
    }

    const std::vector<Kind>& m_kinds;
    std::vector<ReplyValue> m_values;
    State m_state = State::Start;
    GenericBuilder m_generic;
    Target m_target = Target::Discard;
    QByteArray m_stream;
    DataTable m_table;
    bool m_haveMeta = false;
    QHash<QString, int> m_columnIndex;
    QList<std::pair<QString, QJsonArray>> m_pending;
    QString m_columnName;
    Column* m_column = nullptr;
    bool m_sawResult = false;
    bool m_failed = false;
    QString m_error;
};

}  // namespace

namespace {

template <unsigned Flags, class Stream>
std::vector<ReplyValue> parseReply(Stream& stream, const std::vector<Kind>& kinds) {
    ReplyHandler handler(kinds);
    rapidjson::Reader reader;
    const rapidjson::ParseResult result = reader.Parse<Flags>(stream, handler);
    if (!handler.error().isEmpty())
        throw ProtocolError(QStringLiteral("Sunucunun yanıtı okunamadı: %1").arg(handler.error()));
    if (result.IsError())
        throw ProtocolError(QStringLiteral("Sunucunun yanıtı JSON olarak okunamadı: %1 (konum %2)")
                                .arg(QLatin1String(rapidjson::GetParseError_En(result.Code())))
                                .arg(result.Offset()));
    if (!handler.hadResult())
        throw ProtocolError(QStringLiteral("Sunucunun yanıtında \"result\" yok"));
    return handler.takeValues();
}

}  // namespace

std::vector<ReplyValue> decodeReply(const char* data, size_t size, const std::vector<Kind>& kinds) {
    rapidjson::MemoryStream stream(data, size);
    return parseReply<rapidjson::kParseDefaultFlags>(stream, kinds);
}

std::vector<ReplyValue> decodeReplyInPlace(std::string& body, const std::vector<Kind>& kinds) {
    // Texts are unescaped where they stand, so the reader copies none of them.
    rapidjson::InsituStringStream stream(body.data());
    return parseReply<rapidjson::kParseInsituFlag | rapidjson::kParseStopWhenDoneFlag>(stream,
                                                                                       kinds);
}

}  // namespace zerda
