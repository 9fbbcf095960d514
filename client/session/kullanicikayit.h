#pragma once

#include <QDialog>
#include <memory>

#include "connection.h"
#include "records.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace zerda {

// "Şifre Değiştirme İsteği": a dealer asks the distributor for a new password. The firm's details
// as the server holds them for this workstation are filled in; the user completes the contact and
// the wanted login, and the whole request goes to the server, which passes it on.
//
// Both calls run on a background task over the window's own connection clone, so the window
// stays responsive while the connection is retried. While a request is being sent the window
// can't be closed, so the user always learns how it ended.
class Tkullanicikayit : public QDialog {
    Q_OBJECT
public:
    // The window with its clone of _c and its own copy of _b; starts filling the firm's details.
    Tkullanicikayit(QWidget* owner, const Connection& _c, const TSonucBilgisi& _b);

    void Button2Click();  // "Gönder"
    void Button1Click();  // "Kapat"
    // The edits in the order they are checked and sent; tests and the tab order use it.
    QLineEdit* edit(const char* name) const;
    bool busy() const { return m_sending; }

Q_SIGNALS:
    void filled();
    void sendFinished(bool sent);

protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    void buildFields();
    void CariBilgisiDoldur();
    bool Kontrol();
    void SifreIstegiGonder();

    std::shared_ptr<Connection> con;
    TSonucBilgisi Bilgim;
    QLabel* m_lblid = nullptr;
    QPushButton* m_gonder = nullptr;
    bool m_sending = false;
};

}  // namespace zerda
