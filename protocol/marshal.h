#pragma once

#include <QHash>
#include <QJsonArray>
#include <QJsonObject>
#include <QJsonValue>
#include <QList>
#include <QString>
#include <cmath>
#include <limits>
#include <optional>
#include <type_traits>

#include "errors.h"
#include "jsonwriter.h"

namespace zerda {

// JSON form of a record: {"type": "<unit>.<class>", "id": n, "fields": {...}}, the fields in their
// declared order under their declared names. An object met again within one value would be written
// as {"type", "ref"}; records here are values, so writing never repeats one, but reading resolves
// it.

namespace detail {

template <class T>
struct IsRecordList : std::false_type {};
template <class R>
struct IsRecordList<QList<R>> : std::true_type {
    using Record = R;
};

struct MarshalContext {
    int nextId = 1;
};

struct UnmarshalContext {
    QHash<int, QJsonObject> seen;  // id -> the object as first met, for "ref"
};

template <class R>
void writeRecord(JsonWriter& out, const R& record, MarshalContext& context);

template <class R>
R unmarshalRecord(const QJsonValue& value, UnmarshalContext& context, const QString& where);

inline QString describe(const QJsonValue& value) {
    switch (value.type()) {
        case QJsonValue::Null:
            return QStringLiteral("null");
        case QJsonValue::Bool:
            return QStringLiteral("mantıksal değer");
        case QJsonValue::Double:
            return QStringLiteral("sayı");
        case QJsonValue::String:
            return QStringLiteral("metin");
        case QJsonValue::Array:
            return QStringLiteral("dizi");
        case QJsonValue::Object:
            return QStringLiteral("nesne");
        default:
            return QStringLiteral("tanımsız değer");
    }
}

[[noreturn]] inline void fieldMismatch(const QString& where, const char* field, const char* wanted,
                                       const QJsonValue& got) {
    throw ProtocolError(
        QStringLiteral("%1: \"%2\" alanı %3 olmalı, %4 geldi")
            .arg(where, QLatin1String(field), QLatin1String(wanted), describe(got)));
}

template <class T>
void writeField(JsonWriter& out, const T& value, MarshalContext& context) {
    if constexpr (std::is_same_v<T, QString>) {
        out.string(value);
    } else if constexpr (std::is_same_v<T, bool>) {
        out.boolean(value);
    } else if constexpr (std::is_same_v<T, int>) {
        out.integer(value);
    } else if constexpr (std::is_same_v<T, double>) {
        out.number(value);
    } else if constexpr (IsRecordList<T>::value) {
        out.beginArray();
        for (const auto& item : value)
            writeRecord(out, item, context);
        out.endArray();
    } else {
        static_assert(sizeof(T) == 0, "field type has no JSON form");
    }
}

template <class T>
void fieldFromJson(T& out, const QJsonValue& value, UnmarshalContext& context, const QString& where,
                   const char* field) {
    if (value.isNull() || value.isUndefined()) {
        out = T{};  // an absent value leaves the field empty
        return;
    }
    if constexpr (std::is_same_v<T, QString>) {
        if (!value.isString())
            fieldMismatch(where, field, "metin", value);
        out = value.toString();
    } else if constexpr (std::is_same_v<T, bool>) {
        if (!value.isBool())
            fieldMismatch(where, field, "mantıksal değer", value);
        out = value.toBool();
    } else if constexpr (std::is_same_v<T, int>) {
        const double number = value.toDouble();
        if (!value.isDouble() || std::trunc(number) != number ||
            number < std::numeric_limits<int>::min() || number > std::numeric_limits<int>::max())
            fieldMismatch(where, field, "tam sayı", value);
        out = static_cast<int>(number);
    } else if constexpr (std::is_same_v<T, double>) {
        if (!value.isDouble())
            fieldMismatch(where, field, "sayı", value);
        out = value.toDouble();
    } else if constexpr (IsRecordList<T>::value) {
        if (!value.isArray())
            fieldMismatch(where, field, "dizi", value);
        out.clear();
        const QJsonArray items = value.toArray();
        out.reserve(items.size());
        for (const auto& item : items)
            out.append(unmarshalRecord<typename IsRecordList<T>::Record>(
                item, context, where + QLatin1Char('.') + QLatin1String(field)));
    } else {
        static_assert(sizeof(T) == 0, "field type has no JSON form");
    }
}

template <class R>
void writeRecord(JsonWriter& out, const R& record, MarshalContext& context) {
    out.beginObject();
    out.key("type");
    out.latin1(R::kTypeName);
    out.key("id");
    out.integer(context.nextId++);
    out.key("fields");
    out.beginObject();
    record.forEachField([&](const char* name, const auto& value) {
        out.key(name);
        writeField(out, value, context);
    });
    out.endObject();
    out.endObject();
}

template <class R>
R unmarshalRecord(const QJsonValue& value, UnmarshalContext& context, const QString& where) {
    if (!value.isObject())
        throw ProtocolError(QStringLiteral("%1: %2 nesnesi bekleniyordu, %3 geldi")
                                .arg(where, QLatin1String(R::kTypeName), describe(value)));
    QJsonObject object = value.toObject();
    const QString type = object.value(QStringLiteral("type")).toString();
    if (type != QLatin1String(R::kTypeName))
        throw ProtocolError(QStringLiteral("%1: %2 nesnesi bekleniyordu, \"%3\" geldi")
                                .arg(where, QLatin1String(R::kTypeName), type));
    if (object.contains(QStringLiteral("ref"))) {
        const int ref = object.value(QStringLiteral("ref")).toInt(-1);
        auto it = context.seen.constFind(ref);
        if (it == context.seen.constEnd())
            throw ProtocolError(QStringLiteral("%1: %2 numaralı nesneye yapılan başvuru çözülemedi")
                                    .arg(where)
                                    .arg(ref));
        object = *it;
    } else {
        context.seen.insert(object.value(QStringLiteral("id")).toInt(), object);
    }
    const QJsonValue fieldsValue = object.value(QStringLiteral("fields"));
    if (!fieldsValue.isObject())
        throw ProtocolError(
            QStringLiteral("%1: %2 nesnesinin \"fields\" üyesi yok").arg(where, type));
    const QJsonObject fields = fieldsValue.toObject();
    R record;
    // Fields the record does not know are ignored; fields the object lacks keep their defaults.
    record.forEachField([&](const char* name, auto& field) {
        const auto it = fields.constFind(QLatin1String(name));
        if (it != fields.constEnd())
            fieldFromJson(field, *it, context, where, name);
    });
    return record;
}

}  // namespace detail

// Writes a record (or null for an absent one) as one JSON value.
template <class R>
void writeRecord(JsonWriter& out, const std::optional<R>& record) {
    if (!record) {
        out.null();
        return;
    }
    detail::MarshalContext context;
    detail::writeRecord(out, *record, context);
}

template <class R>
QByteArray marshalJson(const R& record) {
    JsonWriter out;
    writeRecord(out, std::optional<R>(record));
    return out.text();
}

// A null value is an absent record.
template <class R>
std::optional<R> unmarshal(const QJsonValue& value, const QString& where = QString()) {
    if (value.isNull() || value.isUndefined())
        return std::nullopt;
    detail::UnmarshalContext context;
    return detail::unmarshalRecord<R>(value, context,
                                      where.isEmpty() ? QLatin1String(R::kTypeName) : where);
}

}  // namespace zerda
