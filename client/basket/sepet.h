#pragma once

#include <QHash>
#include <QObject>
#include <QString>
#include <functional>

#include "clientdataset.h"
#include "connection.h"
#include "records.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;
class QWidget;

namespace zerda {

class TcxGrid;
class TcxGridView;

// The basket tab: the lines the server keeps for the account, their ticks, changing and deleting
// them, the tab caption, the totals of the ticked lines and the overdue-account warning.
class Sepet : public QObject {
    Q_OBJECT
public:
    struct Parts {
        ClientDataSet* sepet = nullptr;
        Connection* bagc = nullptr;
        const TSonucBilgisi* sbilgi = nullptr;
        std::function<void(const QString&)> setCaption;
        // aratoplaml, indiriml, nettutarl, vergil, geneltoplaml
        QHash<QString, QLabel*> totals;
        // The tab's controls; without them only loading and totals work.
        QTabWidget* pages = nullptr;
        QWidget* tab = nullptr;  // ssepet
        TcxGrid* grid = nullptr;
        QLabel* lbluyarbakiye = nullptr;
        QLineEdit* araedit = nullptr;
        // Loads the delivery and cargo choices of the order panel, the last step of showing.
        std::function<void()> teslimKargoGetir;
    };

    explicit Sepet(Parts parts, QObject* parent = nullptr);

    // Loads the lines on a connection clone. When the connection can't be opened the message is
    // shown and the lines, caption and totals stay as they were.
    void SepetGetir();
    // The totals of the ticked lines, each sum rounded to cents as it grows.
    void ToplamlariHesapla();
    // Tells the server the line's tick; false when that failed.
    bool SecimGuncelle(int sirano, int secim);

    void ssepetShow();
    // "Satır Değiştir", also the double-click: the tick column toggles, any other opens the line.
    void Deitir1Click();
    void SatrSil1Click();
    void HepsiniSil1Click();
    void Button4Click() { tickAll(1); }  // "Hepsini Seç"
    void Button5Click() { tickAll(0); }  // "Seçimleri Kaldır"

Q_SIGNALS:
    // The product dialog is to open for the basket line.
    void satirAcilsin(int sirano);
    void warningShown(const QString& text);

private:
    void buildColumns();
    void tickAll(int value);
    void setTick(int value);
    // Makes the focused line the current one; its number, or -1 when no line is focused.
    int focusedLine();
    void CariBakiyeUyariBak();
    TcxGridView* view() const;

    Parts m_parts;
};

}  // namespace zerda
