#pragma once

#include <QMap>
#include <QString>
#include <memory>
#include <string>

#include "errors.h"

namespace httplib {
class Client;
}

namespace zerda {

// The server could not be reached, or the exchange with it broke off.
class ConnectionError : public Error {
public:
    using Error::Error;
};

// The server answered a call with an error; the message is the server's.
class ServerError : public Error {
public:
    using Error::Error;
};

// A connection to the B2B application server, addressed by named parameters (HostName, Port,
// DatasnapContext, ConnectTimeout, CommunicationTimeout, ...). Open checks that the server answers
// and keeps one HTTP connection alive until Close; every method call is one exchange on it.
// A connection is used by one thread at a time; clones are independent of their source.
class Connection {
public:
    Connection();
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    void setParam(const QString& name, const QString& value);
    QString param(const QString& name) const;
    const QMap<QString, QString>& params() const { return m_params; }

    // Raises ConnectionError when the server can't be reached or doesn't answer the liveness call.
    void Open();
    void Close();
    bool Connected() const { return m_client != nullptr; }
    // A new, closed connection with the same parameters.
    std::unique_ptr<Connection> CloneConnection() const;

    // One call on the open connection; returns the body of a successful reply. Raises ServerError
    // for an error reply and ConnectionError when the exchange fails (the connection is closed
    // then).
    std::string Call(const QString& method, const QByteArray& body);

private:
    int timeoutParam(const QString& name) const;

    QMap<QString, QString> m_params;
    std::unique_ptr<httplib::Client> m_client;
};

}  // namespace zerda
