#pragma once

#include <QString>
#include <stdexcept>

namespace zerda {

// The program's ordinary error class: everything the program raises on purpose derives from it,
// and it carries a Turkish message for the user.
class Error : public std::runtime_error {
public:
    explicit Error(const QString& message)
        : std::runtime_error(message.toStdString()), m_message(message) {}
    const QString& message() const noexcept { return m_message; }

private:
    QString m_message;
};

// Malformed or mistyped data on the wire (JSON, records, tables).
class ProtocolError : public Error {
public:
    using Error::Error;
};

}  // namespace zerda
