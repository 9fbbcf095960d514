#pragma once

#include <QByteArray>
#include <QJsonArray>
#include <QJsonValue>
#include <QString>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "datatable.h"
#include "jsonwriter.h"
#include "marshal.h"
#include "methods.h"

namespace zerda {

// The HTTP path of a method call: /<context>rest/TServerMethods1/%22<method>%22/
QByteArray methodPath(const QString& datasnapContext, const QString& method);
// The path of the liveness call.
QByteArray livenessPath(const QString& datasnapContext);

// The body of a call: {"_parameters":[...]} with the input parameters in declaration order.
class RequestWriter {
public:
    RequestWriter();
    void integer(int value) { m_out.integer(value); }
    void number(double value) { m_out.number(value); }
    void string(const QString& value) { m_out.string(value); }
    void boolean(bool value) { m_out.boolean(value); }
    template <class R>
    void record(const std::optional<R>& value) {
        writeRecord(m_out, value);
    }
    QByteArray finish();

private:
    JsonWriter m_out;
};

// The body of a successful reply: {"result":[...]} with the out values in order, then the result.
class ReplyWriter {
public:
    ReplyWriter();
    JsonWriter& out() { return m_out; }
    void stream(const QByteArray& bytes);
    QByteArray finishBytes();
    std::string finish();

private:
    JsonWriter m_out;
};

std::string errorReplyBody(const QString& message);

// A byte stream in its reply form: an array of byte values.
void writeStream(JsonWriter& out, const QByteArray& bytes);

// Parses {"_parameters":[...]} into its values; raises ProtocolError on malformed text.
QJsonArray parseRequestParameters(const QByteArray& body);

// One value of a reply: a table (tables and data packets), a byte stream, or any other JSON value
// (numbers, texts, Booleans, records, and null for an absent table, stream or record).
using ReplyValue = std::variant<QJsonValue, DataTable, QByteArray>;

// Decodes a successful reply, reading each value as the kind expected at its place. Tables go
// straight from the text into typed columns. Raises ProtocolError on malformed or mistyped input.
std::vector<ReplyValue> decodeReply(const char* data, size_t size, const std::vector<Kind>& kinds);
// The same, reading the body where it stands: faster, and the body is overwritten.
std::vector<ReplyValue> decodeReplyInPlace(std::string& body, const std::vector<Kind>& kinds);

// The message of an error reply {"error":"..."}; the body itself when it has no such form.
QString decodeErrorReply(const QByteArray& body);

}  // namespace zerda
