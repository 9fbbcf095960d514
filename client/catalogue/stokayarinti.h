#pragma once

#include <QDialog>
#include <QLineEdit>

class QGridLayout;
class QLabel;
class QSpinBox;
class QWidget;

namespace zerda {

class TAsyncResim;

// A number box: shows its value in the money format, also while it is being edited, and reads
// back what is typed (0 when it can't be read).
class TNumberBox : public QLineEdit {
    Q_OBJECT
public:
    explicit TNumberBox(const QString& objectName, QWidget* parent = nullptr);
    double value() const;
    void setValue(double value);
};

// What the discount step gives: the discount, the net amount and the net unit price.
struct TIndirimSonucu {
    long double IndirimTutari = 0;
    long double NetTutari = 0;
    long double NetBirimFiyati = 0;
};

// "Sepete Ekle": one product with its codes, pictures and price; the quantity (and for
// salespeople the price and the rates) chosen, the line's discount, price with VAT and amount
// worked out as the user types. OK sends the line; the opener does that.
class Tstokayarinti : public QDialog {
    Q_OBJECT
public:
    // The dialog for a stock number (0 when the opener gives none).
    explicit Tstokayarinti(QWidget* owner, int _stokno = 0);

    double kdvlifiyat = 0;  // the VAT-inclusive unit price the opener hands over
    double kdvoran = 0;     // VAT rate in percent

    // The four rates are applied one after another, each to what the ones before left; a rate of
    // 0 or less is skipped. q is the quantity the net unit price is for.
    static TIndirimSonucu IndirimHesapla(long double brut, double i1, double i2, double i3,
                                         double i4, double q);

    int stokno() const { return m_stokno; }
    QSpinBox* adet() const { return m_adet; }
    TNumberBox* box(const char* name) const;  // birimfiyat, indtutar, ..., edindirim1..4
    QLabel* label(const char* name) const;
    TAsyncResim* asyncResim() const { return m_async; }
    // Shows a picture in Image1, kept in proportion and centred.
    void setImage1(const QImage& picture);
    // The opener lets a salesperson change the price and the rates, showing them or not.
    void setPricesEditable(bool editable, bool showRates);

    // Are there discounts to show: the four rates add up to more than 1.
    bool IndirimVarmi() const;
    void Hesapla();

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* buildHeader();
    QWidget* buildPictures();
    QWidget* buildBottom();

    int m_stokno;
    QSpinBox* m_adet = nullptr;
    QLabel* m_image1 = nullptr;
    TAsyncResim* m_async = nullptr;
    QWidget* m_rates = nullptr;  // GridPanel2
    bool m_shown = false;
};

}  // namespace zerda
