#pragma once

#include <QString>
#include <QStringView>
#include <vector>

namespace zerda {

// Kinds of parameters and results of the server's methods.
enum class Kind {
    None,     // a method without a result
    Integer,  // 32-bit signed
    Double,   // also dates, as day numbers
    String,
    Boolean,
    Record,      // a record in its JSON form, or null
    OutInt64,    // an out parameter: the byte length of the stream result of the same call
    Table,       // a table read through a reader
    DataPacket,  // a table the client data set takes as its data
    Stream,      // bytes
};

QString kindName(Kind kind);

struct ParamInfo {
    const char* name;
    Kind kind;
    const char* recordType = nullptr;  // unit-qualified class name for Kind::Record
};

struct MethodInfo {
    const char* name;
    std::vector<ParamInfo> params;  // in declaration order, out parameters at their places
    Kind result = Kind::None;
    const char* resultRecord = nullptr;

    // Values of the reply: the out parameters in order, then the result.
    std::vector<Kind> replyKinds() const;
    int inputCount() const;
};

// Every method of the server class, in the order of the catalogue.
const std::vector<MethodInfo>& serverMethods();
// Exact, case-sensitive name; nullptr when the server has no such method.
const MethodInfo* findServerMethod(QStringView name);

inline constexpr const char* kServerClass = "TServerMethods1";

}  // namespace zerda
