#include "httpserver.h"

#include <httplib.h>
#include <sys/socket.h>

#include <QUrl>
#include <QtDebug>

#include "database.h"
#include "methods.h"
#include "webpages.h"
#include "wire.h"

namespace zerda::appserver {

namespace {

constexpr const char* kJson = "application/json; charset=utf-8";

// "%22Method%22", "\"Method\"" or plain "Method".
QString methodNameFromPath(const std::string& segment) {
    QString name = QUrl::fromPercentEncoding(QByteArray::fromStdString(segment));
    if (name.size() >= 2 && name.startsWith(QLatin1Char('"')) && name.endsWith(QLatin1Char('"')))
        name = name.mid(1, name.size() - 2);
    return name;
}

void answerError(httplib::Response& res, int status, const QString& message) {
    res.status = status;
    res.set_content(errorReplyBody(message), kJson);
}

}  // namespace

HttpServer::HttpServer(Database& database, const MethodTable& methods)
    : m_database(database), m_methods(methods), m_server(std::make_unique<httplib::Server>()) {
    m_server->new_task_queue = [] { return new httplib::ThreadPool(kWorkers); };
    // One connection serves a client from opening to closing; it may make many calls.
    m_server->set_keep_alive_max_count(100000);
    m_server->set_tcp_nodelay(true);
    m_server->set_keep_alive_timeout(30);
    m_server->set_read_timeout(30);
    m_server->set_write_timeout(60);
    m_server->set_payload_max_length(64 * 1024 * 1024);
    // Pages and downloads are single exchanges: their connection closes after the answer, so a
    // browser holds no idle connection that a stopping server would have to wait for.
    m_server->set_post_routing_handler([](const httplib::Request& req, httplib::Response& res) {
        if (req.path.rfind("/datasnap/", 0) != 0)
            res.set_header("Connection", "close");
    });
    // Address reuse lets a restarted server bind at once, but port sharing is not allowed: a
    // second server on a busy port must fail instead of silently taking half of the calls.
    m_server->set_socket_options([](socket_t sock) {
        int yes = 1;
        setsockopt(sock, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
    });
    routes();
}

HttpServer::~HttpServer() = default;

void HttpServer::routes() {
    m_server->Post(R"(/datasnap/rest/TServerMethods1/([^/]+)/?)",
                   [this](const httplib::Request& req, httplib::Response& res) {
                       const QString method = methodNameFromPath(req.matches[1]);
                       CallContext context{m_database, QString::fromStdString(req.remote_addr)};
                       try {
                           res.set_content(
                               m_methods.call(method, QByteArray::fromStdString(req.body), context),
                               kJson);
                       } catch (const CallError& e) {
                           answerError(res, e.status(), e.message());
                       } catch (const Error& e) {
                           answerError(res, 500, QStringLiteral("%1: %2").arg(method, e.message()));
                       } catch (const std::exception& e) {
                           answerError(res, 500,
                                       QStringLiteral("%1: sunucu hatası: %2")
                                           .arg(method, QString::fromLocal8Bit(e.what())));
                       }
                   });
    m_server->Get(R"(/datasnap/rest/DSAdmin/GetPlatformName/?)",
                  [](const httplib::Request&, httplib::Response& res) {
                      res.set_content(R"({"result":["Zerda B2B Uygulama Sunucusu"]})", kJson);
                  });
    m_server->Get("/ip.php", [](const httplib::Request& req, httplib::Response& res) {
        res.set_content(req.remote_addr, "text/plain; charset=utf-8");
    });
    addWebPages(*m_server, m_database);
    m_server->set_error_handler([](const httplib::Request& req, httplib::Response& res) {
        // Pictures that aren't there are answered without a body.
        if (!res.body.empty() || req.path == "/resimgoster.ashx")
            return;
        answerError(res, res.status,
                    QStringLiteral("%1 %2: bu adreste bir hizmet yok (HTTP %3)")
                        .arg(QString::fromStdString(req.method), QString::fromStdString(req.path))
                        .arg(res.status));
    });
}

void HttpServer::bind(const QString& address, int port) {
    if (port < 0 || port > 65535)
        throw Error(QStringLiteral("Geçersiz kapı numarası: %1").arg(port));
    if (port == 0) {
        m_port = m_server->bind_to_any_port(address.toStdString());
        if (m_port <= 0)
            throw Error(QStringLiteral("%1 adresinde boş bir kapı bulunamadı").arg(address));
        return;
    }
    if (!m_server->bind_to_port(address.toStdString(), port))
        throw Error(QStringLiteral("%1:%2 dinlenemiyor (adres kullanımda ya da geçersiz)")
                        .arg(address)
                        .arg(port));
    m_port = port;
}

void HttpServer::run() {
    m_server->listen_after_bind();
}

void HttpServer::stop() {
    m_server->stop();
}

bool HttpServer::isRunning() const {
    return m_server->is_running();
}

}  // namespace zerda::appserver
