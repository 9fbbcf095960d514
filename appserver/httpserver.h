#pragma once

#include <QString>
#include <memory>

namespace httplib {
class Server;
}

namespace zerda::appserver {

class Database;
class MethodTable;

// The server's HTTP side: method calls, the liveness call and the IP-lookup page, answered by a
// pool of worker threads.
class HttpServer {
public:
    static constexpr int kWorkers = 8;

    HttpServer(Database& database, const MethodTable& methods);
    ~HttpServer();

    // Raises Error when the address can't be bound.
    void bind(const QString& address, int port);
    int port() const { return m_port; }
    // Serves until stop() is called (from any thread).
    void run();
    void stop();
    bool isRunning() const;

private:
    void routes();

    Database& m_database;
    const MethodTable& m_methods;
    std::unique_ptr<httplib::Server> m_server;
    int m_port = 0;
};

}  // namespace zerda::appserver
