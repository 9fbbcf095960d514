#include "webpages.h"

#include <httplib.h>

#include <QDateTime>
#include <QJsonDocument>
#include <QJsonObject>
#include <QString>

#include "database.h"

namespace zerda::appserver {

namespace {

constexpr const char* kHtml = "text/html; charset=utf-8";

QString escaped(const std::string& text) {
    return QString::fromStdString(text).toHtmlEscaped();
}

std::string page(const QString& title, const QString& body) {
    return QStringLiteral(
               "<!DOCTYPE html><html lang=\"tr\"><head><meta charset=\"utf-8\"><title>%1</title>"
               "<style>body{font-family:Tahoma,Arial,sans-serif;background:#E9EFF6;color:#1B2B3A;"
               "margin:24px}"
               "h1{color:#004080;font-size:20px}form{background:#fff;border:1px solid "
               "#7B9CC1;padding:16px;max-width:520px}"
               "label{display:block;margin-top:8px;font-weight:bold}input,textarea{width:100%;box-"
               "sizing:border-box;padding:4px}"
               "button{margin-top:12px;background:#004080;color:#fff;border:0;padding:6px "
               "18px}.hata{color:#B00020}"
               "</style></head><body><h1>%1</h1>%2</body></html>")
        .arg(title.toHtmlEscaped(), body)
        .toStdString();
}

struct FormPage {
    const char* path;
    QString title;
};

QString form(const httplib::Request& req, const QString& error) {
    auto hidden = [&](const char* name) {
        return QStringLiteral("<input type=\"hidden\" name=\"%1\" value=\"%2\">")
            .arg(QLatin1String(name), escaped(req.get_param_value(name)));
    };
    auto field = [&](const char* name, const QString& label, bool area = false) {
        const QString value = escaped(req.get_param_value(name));
        return area ? QStringLiteral(
                          "<label for=\"%1\">%2</label><textarea id=\"%1\" name=\"%1\" "
                          "rows=\"5\">%3</textarea>")
                          .arg(QLatin1String(name), label, value)
                    : QStringLiteral(
                          "<label for=\"%1\">%2</label><input id=\"%1\" name=\"%1\" value=\"%3\">")
                          .arg(QLatin1String(name), label, value);
    };
    return (error.isEmpty()
                ? QString()
                : QStringLiteral("<p class=\"hata\">%1</p>").arg(error.toHtmlEscaped())) +
           QStringLiteral("<form method=\"post\">") + hidden("carino") + hidden("kullanici") +
           hidden("id") +
           QStringLiteral("<p>İş istasyonu: <b>%1</b></p>")
               .arg(escaped(req.get_param_value("id"))) +
           field("firma", QStringLiteral("Firma Adı")) +
           field("yetkili", QStringLiteral("Yetkili")) +
           field("telefon", QStringLiteral("Telefon")) +
           field("eposta", QStringLiteral("E-posta")) + field("sehir", QStringLiteral("Şehir")) +
           field("mesaj", QStringLiteral("Mesajınız"), true) +
           QStringLiteral("<button type=\"submit\">Gönder</button></form>");
}

void addForm(httplib::Server& server, Database& database, const FormPage& formPage) {
    server.Get(formPage.path, [formPage](const httplib::Request& req, httplib::Response& res) {
        res.set_content(page(formPage.title, form(req, QString())), kHtml);
    });
    server.Post(formPage.path, [formPage, &database](const httplib::Request& req,
                                                     httplib::Response& res) {
        const QString firm = QString::fromStdString(req.get_param_value("firma")).trimmed();
        const QString phone = QString::fromStdString(req.get_param_value("telefon")).trimmed();
        if (firm.isEmpty() || phone.isEmpty()) {
            res.status = 400;
            res.set_content(
                page(formPage.title,
                     form(req, QStringLiteral("Lütfen firma adını ve telefonu yazınız."))),
                kHtml);
            return;
        }
        QJsonObject content;
        for (const char* name : {"carino", "kullanici", "id", "firma", "yetkili", "telefon",
                                 "eposta", "sehir", "mesaj"})
            content.insert(QLatin1String(name), QString::fromStdString(req.get_param_value(name)));
        content.insert(QStringLiteral("_istemci"), QString::fromStdString(req.remote_addr));
        try {
            database.transaction([&](QSqlDatabase& db) {
                Query(db,
                      QStringLiteral(
                          "INSERT INTO giden_kutusu (zaman, yontem, idsi, baslik, konu, icerik) "
                          "VALUES (?, ?, ?, ?, ?, ?)"))
                    .bind(QDateTime::currentDateTimeUtc().toString(Qt::ISODate))
                    .bind(QLatin1String(formPage.path + 1))
                    .bind(QString::fromStdString(req.get_param_value("id")))
                    .bind(formPage.title)
                    .bind(firm)
                    .bind(QString::fromUtf8(QJsonDocument(content).toJson(QJsonDocument::Compact)))
                    .exec();
            });
        } catch (const Error& e) {
            res.status = 500;
            res.set_content(page(formPage.title,
                                 QStringLiteral("<p class=\"hata\">İsteğiniz kaydedilemedi: %1</p>")
                                     .arg(e.message().toHtmlEscaped())),
                            kHtml);
            return;
        }
        res.set_content(
            page(
                formPage.title,
                QStringLiteral("<p>İsteğiniz alındı. En kısa sürede size dönüş yapılacaktır.</p>")),
            kHtml);
    });
}

}  // namespace

void addWebPages(httplib::Server& server, Database& database) {
    server.Get("/", [](const httplib::Request&, httplib::Response& res) {
        res.set_content(
            page(QStringLiteral("Zerda Otomotiv"),
                 QStringLiteral(
                     "<p>Zerda Otomotiv yedek parça dağıtımı. B2B programı ile siparişlerinizi "
                     "verebilir, bakiyelerinizi izleyebilirsiniz.</p>")),
            kHtml);
    });
    addForm(server, database,
            {"/formmailgonder.aspx", QStringLiteral("B2B Yeni Kullanıcı İstek Formu")});
    addForm(server, database, {"/normalmailgonder.aspx", QStringLiteral("Satıcıya Mesaj")});
    server.Get(std::string("/exe/") + kInstallerName, [&database](const httplib::Request&,
                                                                  httplib::Response& res) {
        const QVariant file = scalar(database.connection(),
                                     QStringLiteral("SELECT icerik FROM dosyalar WHERE ad = ?"),
                                     {QLatin1String(kInstallerName)});
        if (!file.isValid()) {
            res.status = 404;
            res.set_content(page(QStringLiteral("Güncelleme"),
                                 QStringLiteral("<p>Kurulum dosyası henüz yüklenmedi.</p>")),
                            kHtml);
            return;
        }
        const QByteArray bytes = file.toByteArray();
        res.set_content(bytes.constData(), size_t(bytes.size()), "application/octet-stream");
    });
    // A product's picture; an unknown or malformed id is a 404 with no body.
    server.Get("/resimgoster.ashx", [&database](const httplib::Request& req,
                                                httplib::Response& res) {
        bool ok = false;
        const int id = QString::fromStdString(req.get_param_value("id")).toInt(&ok);
        const QVariant picture =
            ok ? scalar(database.connection(),
                        QStringLiteral("SELECT resim FROM stok_resimleri WHERE stokno = ?"), {id})
               : QVariant();
        if (!picture.isValid()) {
            res.status = 404;
            return;
        }
        const QByteArray bytes = picture.toByteArray();
        res.set_content(bytes.constData(), size_t(bytes.size()), "image/jpeg");
    });
}

}  // namespace zerda::appserver
