#include "connection.h"

#include <httplib.h>

#include <chrono>

#include "settings.h"
#include "wire.h"

namespace zerda {

Connection::Connection() {
    m_params = {
        {QStringLiteral("DriverName"), QStringLiteral("DataSnap")},
        {QStringLiteral("CommunicationProtocol"), QStringLiteral("tcp/ip")},
        {QStringLiteral("HostName"), QStringLiteral("localhost")},
        {QStringLiteral("Port"), QStringLiteral("9090")},
        {QStringLiteral("DatasnapContext"), QStringLiteral("datasnap/")},
        {QStringLiteral("DSProxyPort"), QStringLiteral("8090")},
        {QStringLiteral("Filters"), QStringLiteral("{}")},
        {QStringLiteral("LoginPrompt"), QStringLiteral("False")},
        {QStringLiteral("ConnectTimeout"), Settings::text(Setting::ConnectTimeoutMs)},
        {QStringLiteral("CommunicationTimeout"), Settings::text(Setting::ReadTimeoutMs)},
    };
}

Connection::~Connection() = default;

void Connection::setParam(const QString& name, const QString& value) {
    m_params.insert(name, value);
}

QString Connection::param(const QString& name) const {
    return m_params.value(name);
}

int Connection::timeoutParam(const QString& name) const {
    bool ok = false;
    const int ms = param(name).toInt(&ok);
    return ok && ms > 0 ? ms : 30000;
}

std::unique_ptr<Connection> Connection::CloneConnection() const {
    auto clone = std::make_unique<Connection>();
    clone->m_params = m_params;
    return clone;
}

void Connection::Open() {
    if (m_client)
        return;
    const QString host = param(QStringLiteral("HostName"));
    bool portOk = false;
    const int port = param(QStringLiteral("Port")).toInt(&portOk);
    const QString where = QStringLiteral("%1:%2").arg(host, param(QStringLiteral("Port")));
    if (host.isEmpty() || !portOk || port <= 0 || port > 65535)
        throw ConnectionError(QStringLiteral("Sunucu adresi geçersiz: %1").arg(where));

    auto client = std::make_unique<httplib::Client>(host.toStdString(), port);
    client->set_keep_alive(true);
    client->set_tcp_nodelay(
        true);  // a call is a small request: no waiting for the ACK of its headers
    client->set_connection_timeout(
        std::chrono::milliseconds(timeoutParam(QStringLiteral("ConnectTimeout"))));
    const auto readTimeout =
        std::chrono::milliseconds(timeoutParam(QStringLiteral("CommunicationTimeout")));
    client->set_read_timeout(readTimeout);
    client->set_write_timeout(readTimeout);

    const auto path = livenessPath(param(QStringLiteral("DatasnapContext")));
    const httplib::Result res = client->Get(path.toStdString(), {{"Accept", "application/json"}});
    if (!res)
        throw ConnectionError(
            QStringLiteral("Sunucuya bağlanılamadı (%1): %2")
                .arg(where, QString::fromStdString(httplib::to_string(res.error()))));
    if (res->status != 200)
        throw ConnectionError(QStringLiteral("Sunucu bağlantıyı kabul etmedi (%1): HTTP %2")
                                  .arg(where)
                                  .arg(res->status));
    m_client = std::move(client);
}

void Connection::Close() {
    if (!m_client)
        return;
    m_client->stop();
    m_client.reset();
}

std::string Connection::Call(const QString& method, const QByteArray& body) {
    if (!m_client)
        throw ConnectionError(
            QStringLiteral("%1 çağrılamadı: sunucu bağlantısı açık değil").arg(method));
    const auto path = methodPath(param(QStringLiteral("DatasnapContext")), method);
    httplib::Result res =
        m_client->Post(path.toStdString(), {{"Accept", "application/json"}}, body.constData(),
                       size_t(body.size()), "text/plain;charset=UTF-8");
    if (!res) {
        const QString reason = QString::fromStdString(httplib::to_string(res.error()));
        Close();
        throw ConnectionError(
            QStringLiteral("Sunucuyla bağlantı koptu (%1): %2").arg(method, reason));
    }
    if (res->status != 200) {
        const QString message = decodeErrorReply(QByteArray::fromStdString(res->body));
        throw ServerError(
            message.isEmpty()
                ? QStringLiteral("%1: sunucu HTTP %2 ile yanıt verdi").arg(method).arg(res->status)
                : message);
    }
    return std::move(res->body);
}

}  // namespace zerda
