#include "dosyaindir.h"

#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QLabel>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QProgressBar>
#include <QSaveFile>
#include <QStandardPaths>
#include <QTimer>
#include <QVBoxLayout>

#include "beklesin.h"
#include "desktop.h"
#include "mesajgoster.h"
#include "settings.h"

namespace zerda {

Tdosyaindir::Tdosyaindir(QWidget* owner, int _y)
    : QDialog(owner, Qt::Tool | Qt::WindowTitleHint),
      m_notice(new QLabel(this)),
      m_bilgi(new QLabel(this)),
      m_progress(new QProgressBar(this)) {
    setObjectName(QStringLiteral("dosyaindir"));
    setWindowTitle(QStringLiteral("Dosya İndir"));
    setFixedSize(543, 309);
    auto* layout = new QVBoxLayout(this);
    m_notice->setObjectName(QStringLiteral("sLabel1"));
    QFont big(QStringLiteral("Tahoma"));
    big.setPixelSize(27);
    m_notice->setFont(big);
    m_notice->setStyleSheet(QStringLiteral("color: #434C58;"));  // colour value 5786691
    m_notice->setAlignment(Qt::AlignCenter);
    m_notice->setWordWrap(true);
    m_notice->setText(
        QStringLiteral(
            "Zerda Otomotiv B2B Programının\nYeni versiyonu indirilecektir\nLütfen Bekleyiniz...!\n"
            "Version: %1-3")
            .arg(_y));
    layout->addWidget(m_notice, 1);
    auto* panel = new QWidget(this);
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setFixedHeight(58);
    auto* bottom = new QVBoxLayout(panel);
    m_bilgi->setObjectName(QStringLiteral("bilgi"));
    QFont small(QStringLiteral("Tahoma"));
    small.setPixelSize(13);
    small.setBold(true);
    m_bilgi->setFont(small);
    m_progress->setObjectName(QStringLiteral("ProgressBar1"));
    bottom->addWidget(m_bilgi);
    bottom->addWidget(m_progress);
    layout->addWidget(panel);
    QString base = Settings::text(Setting::UpdateBase);
    if (base.endsWith(QLatin1Char('/')))
        base.chop(1);
    m_url = base + QStringLiteral("/exe/ZerdaB2BSetup.exe");
}

QString Tdosyaindir::installerPath() {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    QDir().mkpath(folder);
    return QDir(folder).filePath(QStringLiteral("ZerdaB2BSetup.exe"));
}

QString Tdosyaindir::ilerlemeYazisi(qint64 read, qint64 length) {
    const QLocale locale;
    const double percent = double(read) / double(length) * 100.0;
    return QStringLiteral("Bilgi: %") + locale.toString(percent, 'f', 2) +
           QStringLiteral("  İndirilen: ") + locale.toString(read / 1024.0 / 1024.0, 'f', 2) +
           QLatin1Char('/') + locale.toString(length / 1024.0 / 1024.0, 'f', 2) +
           QStringLiteral(" Mb");
}

void Tdosyaindir::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // Started once the window is on the screen, and only once.
    QTimer::singleShot(0, this, &Tdosyaindir::Indir);
}

void Tdosyaindir::Indir() {
    if (basladi)
        return;
    basladi = true;
    const QString target = installerPath();
    if (QFile::exists(target))
        QFile::remove(target);

    QNetworkAccessManager network;
    network.setCookieJar(nullptr);
    QNetworkRequest request{QUrl(m_url)};
    request.setRawHeader(
        "Accept",
        "text/html,application/xhtml+xml,application/xml;q=0.9,image/webp,image/apng,*/*;q=0.8");
    request.setRawHeader("Accept-Language", "en-US,tr-TR;q=0.8,tr;q=0.6,en;q=0.4");
    request.setRawHeader(
        "User-Agent",
        "Mozilla/5.0 (Windows NT 10.0; Win64; x64) AppleWebKit/537.36 (KHTML, like Gecko) "
        "Chrome/60.0.3112.32 Safari/537.36");
    // Qt asks for "gzip, deflate" itself and then also unpacks what comes compressed.
    request.setTransferTimeout(kZamanAsimiMs);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::NoLessSafeRedirectPolicy);
    QNetworkReply* reply = network.get(request);
    connect(reply, &QNetworkReply::downloadProgress, this, [this](qint64 read, qint64 length) {
        if (length <= 0)
            return;
        m_bilgi->setText(ilerlemeYazisi(read, length));
        m_progress->setMaximum(int(std::min<qint64>(length, INT_MAX)));
        m_progress->setValue(int(std::min<qint64>(read, INT_MAX)));
    });
    // The window's own loop runs meanwhile, so it repaints and stays movable.
    QEventLoop loop;
    connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    loop.exec();

    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    const QByteArray body = reply->readAll();
    const QString error =
        reply->error() != QNetworkReply::NoError ? reply->errorString() : QString();
    reply->deleteLater();
    // An error status or an empty body is no installer: nothing is saved, nothing started.
    if (status >= 400)
        return fail(QStringLiteral("sunucu HTTP %1 ile yanıt verdi").arg(status));
    if (!error.isEmpty())
        return fail(error);
    if (body.isEmpty())
        return fail(QStringLiteral("indirilen dosya boş"));
    QSaveFile file(target);
    if (!file.open(QIODevice::WriteOnly) || file.write(body) != body.size() || !file.commit())
        return fail(QStringLiteral("%1 yazılamadı: %2").arg(target, file.errorString()));
    KurulumuBaslat(target);
}

void Tdosyaindir::KurulumuBaslat(const QString& path) {
    // The installer runs on its own; the program ends whether or not it could be started.
    QFile::setPermissions(path,
                          QFile::permissions(path) | QFileDevice::ExeOwner | QFileDevice::ExeUser);
    startDetachedProgram(path, {QStringLiteral("/silent")});
    terminateProcess(0);
}

void Tdosyaindir::fail(const QString& reason) {
    StandartMesaj(QMessageBox::Critical, QStringLiteral("Hata Oluştu !\r\nHata: ") + reason);
    terminateProcess(0);
}

}  // namespace zerda
