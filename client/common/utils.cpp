#include "utils.h"

#include <QDir>
#include <QFileInfo>
#include <QMutex>
#include <QStandardPaths>
#include <QUrl>
#include <cmath>

#include "clientdataset.h"
#include "decimal.h"
#include "guarded.h"
#include "identity.h"

namespace zerda {

namespace {

using FileCheck = std::function<bool(const QString&)>;

bool isFile(const QString& path) {
    return QFileInfo(path).isFile();
}

Guarded<FileCheck>& fileExistsCheck() {
    static Guarded<FileCheck> check{FileCheck(isFile)};
    return check;
}

bool fileExists(const QString& path) {
    return fileExistsCheck().get()(path);
}

}  // namespace

void setFileExistsCheck(std::function<bool(const QString&)> check) {
    fileExistsCheck().set(check ? std::move(check) : FileCheck(isFile));
}

void FormatAyarla(ClientDataSet& dataSet) {
    for (int i = 0; i < dataSet.FieldCount(); ++i)
        if (dataSet.fieldInfo(i).type == DbxType::Double)
            dataSet.setDisplayFormat(i, kParaBicimi);
}

double IkiHaneYuvarla(double x) {
    return roundToCents(x);
}

bool KayitVarmi(const ClientDataSet& dataSet) {
    return dataSet.Active() && dataSet.RecordCount() > 0;
}

bool SeciliVarmi(ClientDataSet& dataSet) {
    if (!KayitVarmi(dataSet))
        return false;
    const Field sec = dataSet.FieldByName(QStringLiteral("SEC"));
    for (dataSet.First(); !dataSet.Eof(); dataSet.Next())
        if (sec.AsInteger() == 1)
            return true;
    return false;  // the cursor is past the last row
}

QString UrlKodla(const QString& url) {
    const QUrl parsed(url, QUrl::TolerantMode);
    if (!parsed.isValid() || parsed.scheme().isEmpty())
        return QString::fromLatin1(QUrl::toPercentEncoding(url, "/:?&=#"));
    QString out = parsed.scheme() + QStringLiteral("://");
    if (!parsed.userInfo().isEmpty())
        out += parsed.userInfo() + QLatin1Char('@');
    out += parsed.host();
    if (parsed.port() != -1)
        out += QLatin1Char(':') + QString::number(parsed.port());
    out += QString::fromLatin1(QUrl::toPercentEncoding(parsed.path(QUrl::FullyDecoded), "/"));
    if (parsed.hasQuery()) {
        // Each key and value by itself, so "&" and "=" keep separating them.
        QStringList pairs;
        for (const QString& pair : parsed.query(QUrl::FullyDecoded).split(QLatin1Char('&'))) {
            const qsizetype eq = pair.indexOf(QLatin1Char('='));
            if (eq < 0)
                pairs << QString::fromLatin1(QUrl::toPercentEncoding(pair));
            else
                pairs << QString::fromLatin1(QUrl::toPercentEncoding(pair.left(eq))) +
                             QLatin1Char('=') +
                             QString::fromLatin1(QUrl::toPercentEncoding(pair.mid(eq + 1)));
        }
        out += QLatin1Char('?') + pairs.join(QLatin1Char('&'));
    }
    if (parsed.hasFragment())
        out += QLatin1Char('#') +
               QString::fromLatin1(QUrl::toPercentEncoding(parsed.fragment(QUrl::FullyDecoded)));
    return out;
}

QString ChromeYolu() {
#ifdef Q_OS_WIN
    const QStringList candidates = {
        QStringLiteral("C:\\Program Files (x86)\\Google\\Chrome\\Application\\chrome.exe"),
        QStringLiteral("C:\\Program Files (x86)\\Google\\Application\\chrome.exe"),
        QStringLiteral("C:\\Program Files\\Google\\Chrome\\Application\\chrome.exe"),
        QStringLiteral("C:\\Program Files\\Google\\Chrome\\chrome.exe"),
        QStringLiteral("C:\\Users\\") + WindowsKullaniciAl() +
            QStringLiteral("\\AppData\\Local\\Google\\Chrome\\Application\\chrome.exe"),
    };
#else
    const QStringList candidates = {
        QStringLiteral("/usr/bin/google-chrome"),
        QStringLiteral("/usr/bin/google-chrome-stable"),
        QStringLiteral("/opt/google/chrome/chrome"),
        QStringLiteral("/usr/bin/chromium"),
        QStringLiteral("/usr/bin/chromium-browser"),
        QStringLiteral("/snap/bin/chromium"),
    };
#endif
    for (const QString& path : candidates)
        if (fileExists(path))
            return path;
    return {};
}

int IEVersiyon() {
    // Internet Explorer exists only on Windows; the Windows build reads its version resource.
    return 0;
}

QString YerelKlasor() {
    QString base = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    if (base.isEmpty())
        base = QDir::homePath();
    const QString folder = QDir(base).filePath(QStringLiteral("mercanlik"));
    QDir().mkpath(folder);
    return QDir::toNativeSeparators(folder);
}

QString BelgelerKlasoru() {
    return QDir::toNativeSeparators(
        QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
}

QList<int> weightedColumnWidths(const QList<int>& weights, int gridWidth) {
    int sum = 0;
    for (int w : weights)
        sum += w;
    if (sum == 0)
        return {};
    const int unit = int(std::trunc(double(gridWidth - 30) / double(sum)));
    QList<int> widths;
    for (int w : weights)
        widths << w * unit;
    return widths;
}

}  // namespace zerda
