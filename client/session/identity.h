#pragma once

#include <QString>
#include <QStringList>
#include <functional>

namespace zerda {

// Where the identity functions read the machine from. The defaults read this machine; tests point
// the file tree at a fixture folder and replace the operating-system answers.
struct IdentitySources {
    // Root of the file tree with sys/block, sys/class/net and run/udev/data.
    QString root = QStringLiteral("/");
    std::function<QString()> hostName;                       // the computer's name
    std::function<QString()> userName;                       // the logged-on user's name
    std::function<QStringList(const QString&)> resolveIPv4;  // addresses of a host name
};

IdentitySources defaultIdentitySources();
IdentitySources identitySources();
void setIdentitySources(IdentitySources sources);

// The computer's name; empty when it is longer than 15 characters or can't be read.
QString BilgisayarAdiAl();
// The logged-on user's name; empty when it is longer than 15 characters or can't be read.
QString WindowsKullaniciAl();
// The first IPv4 address of the computer's resolved name; "127.0.0.1" when it can't be resolved.
QString YerelIpAl();
// The serial number of the first physical disk, letters a to z upper-cased; empty when the disk
// has none. Raises Error when there is no physical disk.
QString DiskSeriNoAl();
// The hardware address of the first adapter whose address is not all zeros, as 00-1A-2B-3C-4D-5E;
// empty when there is none.
QString MacAdresiAl();
// The workstation identifier: the disk serial, or the MAC address when there is no serial,
// trimmed and without blanks; empty when there is neither. Never raises.
QString BilgisayarIdAl();

inline constexpr int kDisIpReadTimeoutMs = 1500;
inline constexpr int kDisIpConnectTimeoutMs = 15000;
inline constexpr int kDisIpPauseMs = 1000;

// The external address as the IP-lookup service sees it: GET /ip.php, repeated every second until
// the service answers; the answer trimmed. Runs on a worker thread. When cancelled is given and
// says true between attempts, gives up and returns the empty text.
QString DisIpAl(const std::function<bool()>& cancelled = {});
QString DisIpAl(const QString& serviceBase, const std::function<bool()>& cancelled = {});

}  // namespace zerda
