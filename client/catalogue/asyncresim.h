#pragma once

#include <QImage>
#include <QPointer>
#include <QWidget>

class QNetworkAccessManager;
#include <QNetworkReply>

namespace zerda {

// A picture loaded from an address without holding the window up: writing Url starts the
// download, and the picture is drawn, in proportion and centred, once it has arrived. The
// control is transparent, so what lies under it shows until then. Closing it aborts a download
// in progress; nothing arrives at a control that is gone.
class TAsyncResim : public QWidget {
    Q_OBJECT
public:
    static constexpr int kZamanAsimiMs = 30000;

    explicit TAsyncResim(QWidget* parent = nullptr);
    ~TAsyncResim() override;

    QString Url() const { return FUrl; }
    // A different address starts its download at once; the same one again does nothing.
    void setUrl(const QString& url);

    // Decodes by the content type ("image/jpeg", "image/jpg", "image/bmp", "image/png", in any
    // case): a null image for another type or a body that doesn't decode.
    static QImage ResimYukle(const QString& contentType, const QByteArray& content);

    const QImage& picture() const { return m_picture; }
    bool downloading() const { return m_reply != nullptr; }

Q_SIGNALS:
    void loaded(bool shown);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void Geldi();

    QString FUrl;
    QNetworkAccessManager* FHTTPClient;
    QPointer<QNetworkReply> m_reply;
    bool iptal = false;
    QImage m_picture;
};

}  // namespace zerda
