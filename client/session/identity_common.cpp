// The identity functions that are the same on every platform.
#include <httplib.h>

#include <QMutex>
#include <QThread>
#include <QUrl>

#include "errors.h"
#include "guarded.h"
#include "identity.h"
#include "settings.h"

namespace zerda {

namespace {

Guarded<IdentitySources>& currentSources() {
    static Guarded<IdentitySources> sources{defaultIdentitySources()};
    return sources;
}

// Removes characters up to and including the blank at both ends.
QString trimControlAndBlank(const QString& text) {
    qsizetype first = 0, last = text.size();
    while (first < last && text.at(first).unicode() <= 0x20)
        ++first;
    while (last > first && text.at(last - 1).unicode() <= 0x20)
        --last;
    return text.mid(first, last - first);
}

}  // namespace

IdentitySources identitySources() {
    return currentSources().get();
}

void setIdentitySources(IdentitySources sources) {
    currentSources().set(std::move(sources));
}

QString BilgisayarIdAl() {
    QString id;
    try {
        id = trimControlAndBlank(DiskSeriNoAl());
    } catch (const std::exception&) {
        id.clear();
    }
    if (id.trimmed().isEmpty()) {
        try {
            id = trimControlAndBlank(MacAdresiAl());
        } catch (const std::exception&) {
            id.clear();
        }
    }
    id.remove(QLatin1Char(' '));
    return id;
}

QString DisIpAl(const std::function<bool()>& cancelled) {
    return DisIpAl(Settings::text(Setting::IpLookupBase), cancelled);
}

QString DisIpAl(const QString& serviceBase, const std::function<bool()>& cancelled) {
    const QUrl base(serviceBase);
    QString path = base.path();
    if (path.endsWith(QLatin1Char('/')))
        path.chop(1);
    path += QStringLiteral("/ip.php");
    const QString origin =
        base.adjusted(QUrl::RemovePath | QUrl::RemoveQuery | QUrl::RemoveFragment)
            .toString(QUrl::FullyEncoded);
    for (;;) {
        if (cancelled && cancelled())
            return {};
        // A fresh client every attempt: nothing of a failed connection is kept.
        httplib::Client client(origin.toStdString());
        client.set_connection_timeout(std::chrono::milliseconds(kDisIpConnectTimeoutMs));
        client.set_read_timeout(std::chrono::milliseconds(kDisIpReadTimeoutMs));
        client.set_tcp_nodelay(true);
        if (client.is_valid()) {
            const httplib::Result res = client.Get(path.toStdString());
            if (res && res->status == 200) {
                client.stop();
                return trimControlAndBlank(
                    QString::fromUtf8(res->body.data(), qsizetype(res->body.size())));
            }
        }
        if (cancelled && cancelled())
            return {};
        QThread::msleep(kDisIpPauseMs);
    }
}

}  // namespace zerda
