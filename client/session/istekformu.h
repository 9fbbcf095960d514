#pragma once

#include <QDialog>
#include <QUrl>

namespace zerda {

class WebPanel;

// A request form page of the B2B web host inside a window: the embedded browser `sitem` fills it,
// with "Kapat" under it. Where the embedded browser can't run, the page opens in the desktop's
// browser and the window says so.
class Tformistekyeni : public QDialog {
    Q_OBJECT
public:
    explicit Tformistekyeni(QWidget* owner = nullptr);
    // Shows the page at the address, taken as it is written.
    void Git(const QString& address);
    QUrl address() const;
    WebPanel* sitem() const { return m_sitem; }

private:
    WebPanel* m_sitem;
};

}  // namespace zerda
