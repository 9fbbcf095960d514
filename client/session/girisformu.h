#pragma once

#include <QDialog>
#include <memory>
#include <optional>

#include "connection.h"
#include "records.h"

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace zerda {

class TBusyIndicator;

// "Giriş": the server is asked with nothing but the workstation identifier and answers with the
// session of the user bound to it; the typed name and password are compared with it. The dialog
// fills the opener's session record in place.
class Tgirisform : public QDialog {
    Q_OBJECT
public:
    static constexpr int kIstemciSurumu = 3;  // this program's version

    explicit Tgirisform(QWidget* owner = nullptr);
    ~Tgirisform() override;

    QString idsi;                     // the workstation identifier, computed at creation
    Connection* bagim = nullptr;      // the opener's connection
    TSonucBilgisi* Bilgim = nullptr;  // the opener's session record itself

    void Button1Click();

Q_SIGNALS:
    // An attempt has ended: the dialog is back to idle (or closed).
    void attemptFinished();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void reject() override;

private:
    struct Answer;

    void FormCreate();
    void AyarOku();
    void AyarKaydet();
    void Devamet(const QString& externalAddress);
    static bool GirisBilgisiAl(Connection& clone, const QString& idsi, Answer& answer,
                               const std::shared_ptr<std::atomic<bool>>& gone);
    void completeAttempt(bool ok, const Answer& answer);
    void fail(const QString& text, int kind);
    void CariSec();
    void GuncellemeIndir();
    void IstekFormuAc(const QString& webBase);
    void Button2Click();

    QLineEdit* m_adi = nullptr;
    QLineEdit* m_sifre = nullptr;
    QCheckBox* m_hatirla = nullptr;
    QPushButton* m_giris = nullptr;
    TBusyIndicator* m_busy = nullptr;
    std::shared_ptr<std::atomic<bool>> m_gone;  // tells the look-ups that the dialog is gone
};

}  // namespace zerda
