#include "asyncresim.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QPainter>

namespace zerda {

TAsyncResim::TAsyncResim(QWidget* parent)
    : QWidget(parent), FHTTPClient(new QNetworkAccessManager(this)) {
    setAttribute(Qt::WA_TranslucentBackground);
    setAttribute(Qt::WA_NoSystemBackground);
    setAutoFillBackground(false);
}

TAsyncResim::~TAsyncResim() {
    iptal = true;
    if (m_reply) {
        m_reply->disconnect(this);
        m_reply->abort();
    }
}

void TAsyncResim::setUrl(const QString& url) {
    if (url == FUrl)
        return;
    FUrl = url;
    if (m_reply) {
        m_reply->disconnect(this);
        m_reply->abort();
        m_reply->deleteLater();
    }
    if (url.isEmpty())
        return;
    QNetworkRequest request{QUrl(url)};
    request.setTransferTimeout(kZamanAsimiMs);
    m_reply = FHTTPClient->get(request);
    connect(m_reply, &QNetworkReply::readyRead, this, [this] {
        if (iptal && m_reply)
            m_reply->abort();
    });
    connect(m_reply, &QNetworkReply::finished, this, &TAsyncResim::Geldi);
}

void TAsyncResim::Geldi() {
    QNetworkReply* reply = m_reply;
    m_reply = nullptr;
    if (!reply)
        return;
    reply->deleteLater();
    const QByteArray content = reply->readAll();
    // The status is not looked at: an answer with a picture type and a body is shown.
    if (content.isEmpty()) {
        Q_EMIT loaded(false);
        return;
    }
    const QImage picture =
        ResimYukle(reply->header(QNetworkRequest::ContentTypeHeader).toString(), content);
    if (!picture.isNull()) {
        m_picture = picture;
        update();
    }
    Q_EMIT loaded(!picture.isNull());
}

QImage TAsyncResim::ResimYukle(const QString& contentType, const QByteArray& content) {
    const QString kind = contentType.mid(6).toLower();
    const char* format = nullptr;
    if (kind == QLatin1String("jpeg") || kind == QLatin1String("jpg"))
        format = "JPEG";
    else if (kind == QLatin1String("bmp"))
        format = "BMP";
    else if (kind == QLatin1String("png"))
        format = "PNG";
    if (!format)
        return {};
    QImage picture;
    if (!picture.loadFromData(content, format))
        return {};
    return picture;
}

void TAsyncResim::paintEvent(QPaintEvent*) {
    if (m_picture.isNull())
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    QSize size = m_picture.size();
    size.scale(this->size(), Qt::KeepAspectRatio);
    QRect target(QPoint(), size);
    target.moveCenter(rect().center());
    painter.drawImage(target, m_picture);
}

}  // namespace zerda
