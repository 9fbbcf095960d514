#pragma once

namespace httplib {
class Server;
}

namespace zerda::appserver {

class Database;

inline constexpr const char* kInstallerName = "ZerdaB2BSetup.exe";

// The pages of the B2B web host that the reference server serves itself: the site's home page,
// the request and message forms (stored in the outbox) and the client's installer download.
void addWebPages(httplib::Server& server, Database& database);

}  // namespace zerda::appserver
