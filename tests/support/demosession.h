#pragma once

#include <optional>

#include "appserverprocess.h"
#include "databasecheck.h"
#include "identity.h"
#include "proxim.h"
#include "settings.h"

// A demo server serving for the user on this machine's fixture workstation WS-7A12: the identity
// read from the fixture folder, the workstation bound to the user, the program pointed at the
// server, and the session record the server gives. Nothing when a step fails.
inline std::optional<zerda::TSonucBilgisi> startDemoSession(AppServerProcess& server,
                                                            const QString& user) {
    using namespace zerda;
    IdentitySources s = defaultIdentitySources();
    s.root = QStringLiteral(ZERDA_FIXTURES "/identity/serial-with-blanks");
    setIdentitySources(s);
    if (!server.ready() ||
        server.command({QStringLiteral("bind-workstation"), QStringLiteral("WS-7A12"), user}) !=
            0 ||
        !server.start())
        return std::nullopt;
    Settings::override(Setting::B2BPort, QString::number(server.port()));
    Settings::override(Setting::WebBase, QStringLiteral("http://127.0.0.1:%1/").arg(server.port()));
    Connection c;
    c.setParam(QStringLiteral("HostName"), QStringLiteral("127.0.0.1"));
    c.setParam(QStringLiteral("Port"), QString::number(server.port()));
    c.Open();
    return TServerMethods1Client(c).BuyukGetir(QStringLiteral("WS-7A12"));
}

// A demo server with a dealer's session, the program pointed at it, and a connection of the test's
// own to its database, as the window tests use them.
struct DemoDealer {
    std::unique_ptr<AppServerProcess> server;
    std::unique_ptr<DatabaseCheck> db;
    zerda::TSonucBilgisi session;

    // False when a step fails.
    bool start(int items, const QString& user = QStringLiteral("DEMO")) {
        server = std::make_unique<AppServerProcess>(items);
        const auto s = startDemoSession(*server, user);
        if (!s)
            return false;
        session = *s;
        db = std::make_unique<DatabaseCheck>(server->databasePath());
        return db->isOpen();
    }
};
