// The identity functions as Linux answers them: names from the C library, the disk serial from
// udev's database or sysfs, adapter addresses from sysfs.
#include <netdb.h>
#include <pwd.h>
#include <sys/socket.h>
#include <unistd.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <QCollator>
#include <QDir>
#include <QFile>
#include <algorithm>

#include "errors.h"
#include "identity.h"

namespace zerda {

namespace {

constexpr qsizetype kMaxNameLength = 15;

QString systemHostName() {
    char buffer[256] = {};
    if (gethostname(buffer, sizeof buffer - 1) != 0)
        return {};
    return QString::fromLocal8Bit(buffer);
}

QString systemUserName() {
    const passwd* entry = getpwuid(geteuid());
    return entry && entry->pw_name ? QString::fromLocal8Bit(entry->pw_name) : QString();
}

QStringList systemResolveIPv4(const QString& host) {
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* list = nullptr;
    if (host.isEmpty() || getaddrinfo(host.toLocal8Bit().constData(), nullptr, &hints, &list) != 0)
        return {};
    QStringList addresses;
    for (const addrinfo* a = list; a; a = a->ai_next) {
        char text[INET_ADDRSTRLEN] = {};
        const auto* in = reinterpret_cast<const sockaddr_in*>(a->ai_addr);
        if (inet_ntop(AF_INET, &in->sin_addr, text, sizeof text))
            addresses << QString::fromLatin1(text);
    }
    freeaddrinfo(list);
    return addresses;
}

QString limitedName(const QString& name) {
    return name.size() > kMaxNameLength ? QString() : name;
}

QString readLine(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll()).trimmed();
}

QString upperAsciiLetters(QString text) {
    for (QChar& c : text)
        if (c >= QLatin1Char('a') && c <= QLatin1Char('z'))
            c = QChar(c.unicode() - 'a' + 'A');
    return text;
}

// Block devices that sit on real hardware (they have a device link; loop, RAM, zram, device-mapper
// and software-RAID devices don't), fixed disks before removable ones, in natural name order.
QStringList physicalDisks(const QString& root) {
    QDir block(root + QStringLiteral("/sys/block"));
    QStringList fixed, removable;
    for (const QString& name : block.entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::System)) {
        if (!QFileInfo::exists(block.filePath(name) + QStringLiteral("/device")))
            continue;
        (readLine(block.filePath(name) + QStringLiteral("/removable")) == QLatin1String("1")
             ? removable
             : fixed)
            << name;
    }
    QCollator natural;
    natural.setNumericMode(true);
    std::sort(fixed.begin(), fixed.end(), natural);
    std::sort(removable.begin(), removable.end(), natural);
    return fixed + removable;
}

QString udevProperty(const QString& root, const QString& devNumbers, const QString& key) {
    QFile file(root + QStringLiteral("/run/udev/data/b") + devNumbers);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray prefix = "E:" + key.toUtf8() + '=';
    while (!file.atEnd()) {
        const QByteArray line = file.readLine().trimmed();
        if (line.startsWith(prefix))
            return QString::fromUtf8(line.mid(prefix.size()));
    }
    return {};
}

struct Adapter {
    int order;
    bool physical;
    QString name;
};

// "aa:bb:cc:dd:ee:ff" -> "AA-BB-CC-DD-EE-FF"; empty when it is not a six-byte address.
QString formatHardwareAddress(const QString& text) {
    const QStringList bytes = text.split(QLatin1Char(':'));
    if (bytes.size() != 6)
        return {};
    QStringList out;
    for (const QString& b : bytes) {
        bool ok = false;
        const uint value = b.toUInt(&ok, 16);
        if (!ok || value > 0xFF || b.size() > 2)
            return {};
        out << QStringLiteral("%1").arg(value, 2, 16, QLatin1Char('0')).toUpper();
    }
    return out.join(QLatin1Char('-'));
}

}  // namespace

IdentitySources defaultIdentitySources() {
    IdentitySources sources;
    sources.hostName = systemHostName;
    sources.userName = systemUserName;
    sources.resolveIPv4 = systemResolveIPv4;
    return sources;
}

QString BilgisayarAdiAl() {
    const IdentitySources s = identitySources();
    return s.hostName ? limitedName(s.hostName()) : QString();
}

QString WindowsKullaniciAl() {
    const IdentitySources s = identitySources();
    return s.userName ? limitedName(s.userName()) : QString();
}

QString YerelIpAl() {
    const IdentitySources s = identitySources();
    const QString host = s.hostName ? s.hostName() : QString();
    const QStringList addresses = s.resolveIPv4 ? s.resolveIPv4(host) : QStringList();
    return addresses.isEmpty() ? QStringLiteral("127.0.0.1") : addresses.first();
}

QString DiskSeriNoAl() {
    const QString root = identitySources().root;
    const QStringList disks = physicalDisks(root);
    if (disks.isEmpty())
        throw Error(QStringLiteral("Fiziksel disk bulunamadı"));
    const QString disk = root + QStringLiteral("/sys/block/") + disks.first();
    const QString devNumbers = readLine(disk + QStringLiteral("/dev"));
    QString serial;
    if (!devNumbers.isEmpty()) {
        serial = udevProperty(root, devNumbers, QStringLiteral("ID_SERIAL_SHORT"));
        if (serial.isEmpty())
            serial = udevProperty(root, devNumbers, QStringLiteral("ID_SERIAL"));
    }
    if (serial.isEmpty())
        serial = readLine(disk + QStringLiteral("/device/serial"));
    if (serial.isEmpty())
        serial = readLine(disk + QStringLiteral("/serial"));
    return upperAsciiLetters(serial);
}

QString MacAdresiAl() {
    const QString root = identitySources().root;
    QDir net(root + QStringLiteral("/sys/class/net"));
    std::vector<Adapter> adapters;
    for (const QString& name : net.entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::System)) {
        bool ok = false;
        const int index = readLine(net.filePath(name) + QStringLiteral("/ifindex")).toInt(&ok);
        adapters.push_back({ok ? index : std::numeric_limits<int>::max(),
                            QFileInfo::exists(net.filePath(name) + QStringLiteral("/device")),
                            name});
    }
    // Adapters on hardware first, each group in the kernel's order.
    std::sort(adapters.begin(), adapters.end(), [](const Adapter& a, const Adapter& b) {
        if (a.physical != b.physical)
            return a.physical;
        return a.order != b.order ? a.order < b.order : a.name < b.name;
    });
    const QString zero = QStringLiteral("00-00-00-00-00-00");
    for (const Adapter& a : adapters) {
        // An adapter whose address can't be read is passed over.
        const QString address =
            formatHardwareAddress(readLine(net.filePath(a.name) + QStringLiteral("/address")));
        if (!address.isEmpty() && address != zero)
            return address;
    }
    // An all-zero address names no machine: many would share it, so it is no identifier.
    return {};
}

}  // namespace zerda
