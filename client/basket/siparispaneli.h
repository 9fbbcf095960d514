#pragma once

#include <QWidget>
#include <functional>

#include "clientdataset.h"
#include "connection.h"
#include "records.h"

class QComboBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace zerda {

class TRadioGroup;
class TcxGridView;

// The basket tab's lower panel: delivery option, cargo type and company, the note, the totals
// group, "Gönder" (the order of the ticked lines, after a confirmation) and "Excel Kaydet".
class SiparisPaneli : public QWidget {
    Q_OBJECT
public:
    struct Parts {
        ClientDataSet* sepet = nullptr;
        Connection* bagc = nullptr;
        const TSonucBilgisi* sbilgi = nullptr;
        QLabel* lbluyarbakiye = nullptr;
        TcxGridView* grid = nullptr;       // exported by "Excel Kaydet"
        std::function<void()> sepetGetir;  // reloads the basket after an order
    };

    explicit SiparisPaneli(QWidget* parent = nullptr);
    // The panel's partners; set once the basket exists.
    void setParts(Parts parts) { m_parts = std::move(parts); }

    // Loads the delivery options (the second one preselected) and the cargo types (none).
    void TeslimKargoGetir();
    void boxkargoClick();
    void KargolarGetir(int gn);
    void kargocomboChange();
    void Button1Click();  // "Gönder"
    bool SiparisGonder(int kargoyeni, int kargo, int teslim);
    void Button2Click();  // "Excel Kaydet"

    // The seven lines of the confirmation, joined by CR LF.
    QString siparisOzeti() const;

    ClientDataSet& kargo() { return m_kargo; }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QWidget* buildMessageGroup();
    // Shows a warning of the checks and ends the send; false when the check failed.
    bool check(bool passed, const QString& message);

    Parts m_parts;
    ClientDataSet m_kargo;
    TRadioGroup* m_teslimbox;
    TRadioGroup* m_boxkargo;
    QComboBox* m_kargocombo;
    QLabel* m_uyarikargo;
    QPlainTextEdit* m_aciklamagir;
    QLabel* m_geneltoplaml = nullptr;
    QPushButton* m_gonder;
};

}  // namespace zerda
