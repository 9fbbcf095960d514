#pragma once

#include <rapidjson/stringbuffer.h>
#include <rapidjson/writer.h>
#include <QByteArray>
#include <QString>

namespace zerda {

// Writes compact JSON text in the order the values are given (records keep their field order,
// tables their column order, which an ordinary JSON object would not).
class JsonWriter {
public:
    JsonWriter() = default;
    JsonWriter(const JsonWriter&) = delete;
    JsonWriter& operator=(const JsonWriter&) = delete;

    void null() { m_writer.Null(); }
    void boolean(bool value) { m_writer.Bool(value); }
    void integer(qint64 value) { m_writer.Int64(value); }
    void number(double value);  // NaN and infinities have no JSON form: written as null
    void string(QStringView value) {
        const QByteArray utf8 = value.toUtf8();
        m_writer.String(utf8.constData(), static_cast<rapidjson::SizeType>(utf8.size()));
    }
    void latin1(const char* value) { m_writer.String(value); }
    void key(const char* name) { m_writer.Key(name); }
    void key(QStringView name) { string(name); }
    void beginObject() { m_writer.StartObject(); }
    void endObject() { m_writer.EndObject(); }
    void beginArray() { m_writer.StartArray(); }
    void endArray() { m_writer.EndArray(); }
    // Inserts JSON text that is already complete (one value).
    void raw(const QByteArray& json) {
        m_writer.RawValue(json.constData(), json.size(), rapidjson::kObjectType);
    }

    QByteArray text() const {
        return QByteArray(m_buffer.GetString(), qsizetype(m_buffer.GetSize()));
    }
    std::string toStdString() const {
        return std::string(m_buffer.GetString(), m_buffer.GetSize());
    }
    void reserve(size_t bytes) { m_buffer.Reserve(bytes); }

private:
    rapidjson::StringBuffer m_buffer;
    rapidjson::Writer<rapidjson::StringBuffer> m_writer{m_buffer};
};

inline void JsonWriter::number(double value) {
    if (!m_writer.Double(value))
        m_writer.Null();
}

}  // namespace zerda
