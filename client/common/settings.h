#pragma once

#include <QString>

namespace zerda {

// Every setting of the program, with its built-in default and the environment variable that
// overrides it. The defaults point at this machine, where the reference server runs.
enum class Setting {
    B2BHost,           // ZERDA_B2B_HOST
    B2BPort,           // ZERDA_B2B_PORT
    WebBase,           // ZERDA_WEB_BASE: pages and pictures of the B2B web host, ends with "/"
    WebSecureBase,     // ZERDA_WEB_SECURE_BASE: the same host on a secure connection
    SiteUrl,           // ZERDA_SITE_URL: the distributor's web site
    UpdateBase,        // ZERDA_UPDATE_BASE: the update server
    IpLookupBase,      // ZERDA_IPLOOKUP_BASE: the external-address look-up service
    ConnectTimeoutMs,  // ZERDA_CONNECT_TIMEOUT_MS: opening a connection to the B2B server
    ReadTimeoutMs,     // ZERDA_READ_TIMEOUT_MS: waiting for the B2B server's answer
    EmbeddedBrowser,   // ZERDA_EMBEDDED_BROWSER: 0 shows web pages in the desktop's browser
    WebSandbox,        // ZERDA_WEB_SANDBOX: 0 runs the embedded browser without its sandbox
};

struct SettingInfo {
    Setting setting;
    const char* environmentVariable;
    const char* defaultValue;
};

class Settings {
public:
    static QString text(Setting setting);
    static int number(Setting setting);
    static const SettingInfo& info(Setting setting);
    // For tests and tools: replaces a value for the rest of the process (an empty text restores
    // the default and environment).
    static void override(Setting setting, const QString& value);
};

}  // namespace zerda
