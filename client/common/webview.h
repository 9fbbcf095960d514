#pragma once

#include <QStackedWidget>
#include <QString>
#include <QUrl>

class QLabel;
class QTimer;
class QWebEngineView;

namespace zerda {

// What decides whether the embedded browser can run on this machine.
struct BrowserEnvironment {
    bool enabled = true;         // the program's setting
    bool sandbox = true;         // the program's setting: run the engine in its sandbox
    bool runningAsRoot = false;  // the engine's sandbox refuses the administrator account
    bool userNamespaces = true;  // the kernel lets the sandbox make its namespaces
    bool helperFound = true;     // the engine's helper program is installed
};
BrowserEnvironment currentBrowserEnvironment();

// Why the embedded browser can't start here, in words for the user; empty when it can. The engine
// ends the whole program when its sandbox can't start, so this is decided before it is touched.
QString embeddedBrowserBlocker(const BrowserEnvironment& environment);

// A web page inside a window. The embedded browser shows it where it can run; otherwise, or when
// it fails while the page is open, the page opens in the desktop's browser and a note says so,
// with the address and a button to open it again. The panel is never blank.
class WebPanel : public QStackedWidget {
    Q_OBJECT
public:
    static constexpr int kBaslamaSuresiMs = 15000;  // the engine must start loading by then

    explicit WebPanel(QWidget* parent = nullptr);
    void Navigate(const QUrl& url);

    QUrl url() const { return m_url; }
    // Whether the page is shown by the embedded browser.
    bool embedded() const;
    QWebEngineView* view() const { return m_view; }
    QString note() const;

Q_SIGNALS:
    void loadFinished(bool ok);
    void fellBack(const QString& reason);

private:
    void showEmbedded();
    void fallBack(const QString& reason);

    QWidget* m_notePage;
    QLabel* m_note;
    QWebEngineView* m_view = nullptr;
    QTimer* m_watchdog;
    QUrl m_url;
    QString m_failure;  // why the engine doesn't show pages here; empty while it may
};

}  // namespace zerda
