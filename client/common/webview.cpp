#include "webview.h"

#include <unistd.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLibraryInfo>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <QWebEnginePage>
#include <QWebEngineView>

#include "desktop.h"
#include "settings.h"

namespace zerda {

namespace {

// A kernel switch that reads 0 forbids namespaces for ordinary users; a missing one doesn't.
bool kernelAllows(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return true;
    return f.readAll().trimmed() != "0";
}

bool engineHelperFound() {
    const QString fromEnvironment = qEnvironmentVariable("QTWEBENGINEPROCESS_PATH");
    if (!fromEnvironment.isEmpty())
        return QFileInfo(fromEnvironment).isExecutable();
    for (const QString& folder : {QLibraryInfo::path(QLibraryInfo::LibraryExecutablesPath),
                                  QCoreApplication::applicationDirPath()})
        if (QFileInfo(QDir(folder).filePath(QStringLiteral("QtWebEngineProcess"))).isExecutable())
            return true;
    return false;
}

}  // namespace

BrowserEnvironment currentBrowserEnvironment() {
    BrowserEnvironment e;
    e.enabled = Settings::number(Setting::EmbeddedBrowser) != 0;
    e.sandbox = Settings::number(Setting::WebSandbox) != 0;
    e.runningAsRoot = geteuid() == 0;
    e.userNamespaces = kernelAllows(QStringLiteral("/proc/sys/user/max_user_namespaces")) &&
                       kernelAllows(QStringLiteral("/proc/sys/kernel/unprivileged_userns_clone"));
    e.helperFound = engineHelperFound();
    return e;
}

QString embeddedBrowserBlocker(const BrowserEnvironment& e) {
    if (!e.enabled)
        return QStringLiteral("Program içindeki tarayıcı ayarlardan kapatılmış.");
    if (!e.helperFound)
        return QStringLiteral(
            "Program içindeki tarayıcının bileşenleri bu bilgisayarda kurulu "
            "değil.");
    if (e.sandbox && e.runningAsRoot)
        return QStringLiteral(
            "Program yönetici (root) hesabıyla çalıştığı için program içindeki "
            "tarayıcı güvenli kipte başlatılamıyor.");
    if (e.sandbox && !e.userNamespaces)
        return QStringLiteral(
            "Bu bilgisayarın ayarları program içindeki tarayıcının güvenli "
            "kipine izin vermiyor.");
    return {};
}

WebPanel::WebPanel(QWidget* parent)
    : QStackedWidget(parent),
      m_notePage(new QWidget(this)),
      m_note(new QLabel(m_notePage)),
      m_watchdog(new QTimer(this)) {
    auto* layout = new QVBoxLayout(m_notePage);
    m_note->setObjectName(QStringLiteral("not"));
    m_note->setWordWrap(true);
    m_note->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(m_note);
    auto* again = new QPushButton(QStringLiteral("Tarayıcıda Aç"), m_notePage);
    again->setObjectName(QStringLiteral("tarayicidaac"));
    connect(again, &QPushButton::clicked, this, [this] { openWithDesktop(m_url); });
    layout->addWidget(again, 0, Qt::AlignLeft);
    layout->addStretch(1);
    addWidget(m_notePage);
    m_watchdog->setSingleShot(true);
    m_watchdog->setInterval(kBaslamaSuresiMs);
    connect(m_watchdog, &QTimer::timeout, this,
            [this] { fallBack(QStringLiteral("Program içindeki tarayıcı yanıt vermiyor.")); });
}

bool WebPanel::embedded() const {
    return m_view && currentWidget() == static_cast<QWidget*>(m_view);
}

QString WebPanel::note() const {
    return m_note->text();
}

void WebPanel::Navigate(const QUrl& url) {
    m_url = url;
    if (!m_view && m_failure.isEmpty())
        m_failure = embeddedBrowserBlocker(currentBrowserEnvironment());
    if (!m_failure.isEmpty()) {
        fallBack(m_failure);
        return;
    }
    if (!m_view)
        showEmbedded();
    m_watchdog->start();
    m_view->setUrl(m_url);
}

void WebPanel::showEmbedded() {
    // Read by the engine when it starts, which is when the first view is made.
    if (Settings::number(Setting::WebSandbox) == 0)
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    m_view = new QWebEngineView(this);
    m_view->setObjectName(QStringLiteral("tarayici"));
    addWidget(m_view);
    setCurrentWidget(m_view);
    connect(m_view, &QWebEngineView::loadStarted, m_watchdog, &QTimer::stop);
    connect(m_view, &QWebEngineView::loadFinished, this, &WebPanel::loadFinished);
    connect(m_view->page(), &QWebEnginePage::renderProcessTerminated, this,
            [this](QWebEnginePage::RenderProcessTerminationStatus status, int) {
                if (status != QWebEnginePage::NormalTerminationStatus)
                    fallBack(
                        QStringLiteral("Program içindeki tarayıcı beklenmedik biçimde "
                                       "kapandı."));
            });
}

void WebPanel::fallBack(const QString& reason) {
    // The page won't be tried in the engine again: a failed engine stays failed.
    m_failure = reason;
    m_watchdog->stop();
    if (m_view) {
        m_view->page()->disconnect(this);
        m_view->disconnect(this);
        m_view->deleteLater();
        m_view = nullptr;
    }
    const bool opened = openWithDesktop(m_url);
    m_note->setText(
        reason + QStringLiteral("\n\n") +
        (opened ? QStringLiteral("Sayfa bilgisayarınızın tarayıcısında açıldı. İşiniz bitince bu "
                                 "pencereyi kapatabilirsiniz.")
                : QStringLiteral("Sayfa tarayıcıda da açılamadı. Aşağıdaki adresi tarayıcınıza "
                                 "yazınız.")) +
        QStringLiteral("\n\n") + m_url.toDisplayString());
    setCurrentWidget(m_notePage);
    Q_EMIT fellBack(reason);
}

}  // namespace zerda
