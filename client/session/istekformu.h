#pragma once

#include <QDialog>
#include <QUrl>

class QLabel;

namespace zerda {

// "Zerda Otomotiv B2B İstek Formu": the web host's request form. Until the embedded browser is in,
// the page opens in the desktop's browser and this window says so, with a way to open it again.
class Tformistekyeni : public QDialog {
    Q_OBJECT
public:
    explicit Tformistekyeni(QWidget* owner = nullptr);
    void Git(const QString& address);
    QUrl address() const { return m_url; }

private:
    QLabel* m_note;
    QUrl m_url;
};

}  // namespace zerda
