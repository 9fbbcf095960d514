#include "settings.h"

#include <QHash>
#include <QMutex>
#include <QtGlobal>
#include <array>

namespace zerda {

namespace {

constexpr std::array kSettings{
    SettingInfo{Setting::B2BHost, "ZERDA_B2B_HOST", "127.0.0.1"},
    SettingInfo{Setting::B2BPort, "ZERDA_B2B_PORT", "9090"},
    SettingInfo{Setting::WebBase, "ZERDA_WEB_BASE", "http://127.0.0.1:9090/"},
    SettingInfo{Setting::WebSecureBase, "ZERDA_WEB_SECURE_BASE", "http://127.0.0.1:9090/"},
    SettingInfo{Setting::SiteUrl, "ZERDA_SITE_URL", "http://127.0.0.1:9090/"},
    SettingInfo{Setting::UpdateBase, "ZERDA_UPDATE_BASE", "http://127.0.0.1:9090"},
    SettingInfo{Setting::IpLookupBase, "ZERDA_IPLOOKUP_BASE", "http://127.0.0.1:9090"},
    SettingInfo{Setting::ConnectTimeoutMs, "ZERDA_CONNECT_TIMEOUT_MS", "5000"},
    SettingInfo{Setting::ReadTimeoutMs, "ZERDA_READ_TIMEOUT_MS", "60000"},
    SettingInfo{Setting::EmbeddedBrowser, "ZERDA_EMBEDDED_BROWSER", "1"},
    SettingInfo{Setting::WebSandbox, "ZERDA_WEB_SANDBOX", "1"},
};

QMutex& overridesLock() {
    static QMutex lock;
    return lock;
}

QHash<int, QString>& overrides() {
    static QHash<int, QString> values;
    return values;
}

}  // namespace

const SettingInfo& Settings::info(Setting setting) {
    for (const SettingInfo& s : kSettings)
        if (s.setting == setting)
            return s;
    Q_UNREACHABLE();
}

QString Settings::text(Setting setting) {
    {
        QMutexLocker locker(&overridesLock());
        const auto it = overrides().constFind(int(setting));
        if (it != overrides().constEnd())
            return *it;
    }
    const SettingInfo& s = info(setting);
    const QString fromEnvironment = qEnvironmentVariable(s.environmentVariable).trimmed();
    return fromEnvironment.isEmpty() ? QString::fromLatin1(s.defaultValue) : fromEnvironment;
}

int Settings::number(Setting setting) {
    bool ok = false;
    const int value = text(setting).toInt(&ok);
    return ok ? value : QString::fromLatin1(info(setting).defaultValue).toInt();
}

void Settings::override(Setting setting, const QString& value) {
    QMutexLocker locker(&overridesLock());
    if (value.isEmpty())
        overrides().remove(int(setting));
    else
        overrides().insert(int(setting), value);
}

}  // namespace zerda
