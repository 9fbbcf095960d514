#include "urunacici.h"

#include <QLabel>
#include <QMessageBox>
#include <QSpinBox>
#include <cmath>
#include <typeinfo>

#include "calls.h"
#include "mesajgoster.h"
#include "proxim.h"
#include "sepet.h"
#include "stokayarinti.h"
#include "utils.h"

namespace zerda {

namespace {

QString text(ClientDataSet& d, const char* field) {
    return d.FieldByName(QLatin1String(field)).AsString();
}

double number(ClientDataSet& d, const char* field) {
    return d.FieldByName(QLatin1String(field)).AsFloat();
}

void fillHeader(Tstokayarinti& dialog, ClientDataSet& d, const char* nameField) {
    for (const auto& [labelName, field] : {std::pair{"barkod", "BARKOD"},
                                           {"adi", nameField},
                                           {"marka", "MARKA"},
                                           {"finishkod", "FINISHKOD"},
                                           {"model", "MODEL"}})
        dialog.label(labelName)->setText(text(d, field));
}

void setRates(Tstokayarinti& dialog, ClientDataSet& d) {
    for (int i = 1; i <= 4; ++i)
        dialog.box(QStringLiteral("edindirim%1").arg(i).toLatin1().constData())
            ->setValue(number(d, QStringLiteral("IND%1").arg(i).toLatin1().constData()));
}

// The error's kind as the user sees it, with the message.
QString errorText(const std::exception& e) {
    QString kind = QStringLiteral("Error");
    if (dynamic_cast<const ConnectionError*>(&e))
        kind = QStringLiteral("ConnectionError");
    else if (dynamic_cast<const ServerError*>(&e))
        kind = QStringLiteral("ServerError");
    else if (dynamic_cast<const ProtocolError*>(&e))
        kind = QStringLiteral("ProtocolError");
    const auto* error = dynamic_cast<const Error*>(&e);
    return kind + QStringLiteral(": ") +
           (error ? error->message() : QString::fromLocal8Bit(e.what()));
}

}  // namespace

UrunAcici::UrunAcici(Parts parts, QObject* parent) : QObject(parent), m_parts(parts) {}

bool UrunAcici::isSalesperson() const {
    const int type = m_parts.sbilgi->MusteriTipi();
    return type == 1 || type == 2;
}

void UrunAcici::UrunuAc(Mod mode, ClientDataSet& list, int stokno) {
    if (!list.Active() || !list.Locate(QStringLiteral("STOK_STOKNO"), stokno))
        return;
    ClientDataSet& sepet = *m_parts.sepet;
    if (!sepet.Active())
        m_parts.basket->SepetGetir();
    if (sepet.Active() && sepet.Locate(QStringLiteral("STOKNO"), stokno))
        SepetSatiriAc(sepet.FieldByName(QStringLiteral("SIRANO")).AsInteger());
    else
        ListeSatiriAc(mode, list, stokno);
}

void UrunAcici::ListeSatiriAc(Mod mode, ClientDataSet& list, int stokno) {
    // Every mode asks for the item's own web picture.
    Tstokayarinti dialog(m_parts.owner, stokno);
    ResimGetir(stokno, dialog);
    fillHeader(dialog, list, "ADI");
    dialog.kdvoran = number(list, "KDV");
    dialog.kdvlifiyat = number(list, "KDVDAHIL");
    dialog.box("kdvdahiltutar")->setValue(dialog.kdvlifiyat);
    const double k = number(list, "K");
    const QString rates = text(list, "INDIRIMYAZI");
    QLabel* priceLabel = dialog.label("Label2");
    QLabel* discountLabel = dialog.label("indirimoran");
    switch (mode) {
        case Mod::Stok:
            // A campaign flag that is neither 0 nor above it fills no price and no rates.
            if (k >= 0) {
                dialog.box("birimfiyat")->setValue(number(list, "FIYAT"));
                setRates(dialog, list);
            }
            if (k > 0)
                priceLabel->setText(QStringLiteral("Kampanyalı Fiyat:"));
            if (k == 0)
                discountLabel->setText(QStringLiteral("İndirim: %") + rates);
            else if (k > 0)
                discountLabel->setText(QStringLiteral("Kampanyalı ") + rates);
            if (isSalesperson())
                dialog.setPricesEditable(true, true);
            break;
        case Mod::Yeni:
            dialog.box("birimfiyat")->setValue(number(list, "FIYAT"));
            setRates(dialog, list);
            if (k > 0) {
                priceLabel->setText(QStringLiteral("Kampanyalı Fiyat:"));
                discountLabel->setText(QStringLiteral("Kampanyalı ") + rates);
            } else {
                discountLabel->setText(QStringLiteral("İndirim:  % ") + rates);
            }
            if (isSalesperson())
                dialog.setPricesEditable(true, true);
            break;
        case Mod::Kampanya:
            dialog.box("birimfiyat")->setValue(number(list, "FIYAT"));
            setRates(dialog, list);
            priceLabel->setText(QStringLiteral("Kampanyalı Fiyat:"));
            discountLabel->setText(QStringLiteral("Kampanyalı ") + rates);
            if (isSalesperson())
                dialog.setPricesEditable(true, false);
            break;
        case Mod::SepetSatiri:
            return;
    }
    Q_EMIT dialogReady(&dialog);
    if (dialog.exec() != QDialog::Accepted)
        return;
    SepeteEkle(list, double(dialog.adet()->value()), dialog.box("birimfiyat")->value(),
               dialog.box("edindirim1")->value(), dialog.box("edindirim2")->value(),
               dialog.box("edindirim3")->value(), dialog.box("edindirim4")->value());
}

void UrunAcici::SepetSatiriAc(int sirano) {
    ClientDataSet& sepet = *m_parts.sepet;
    if (!sepet.Locate(QStringLiteral("SIRANO"), sirano))
        return;
    const int stokno = sepet.FieldByName(QStringLiteral("STOKNO")).AsInteger();
    {
        Tstokayarinti dialog(m_parts.owner, stokno);
        ResimGetir(stokno, dialog);
        fillHeader(dialog, sepet, "STOKADI");
        dialog.kdvoran = number(sepet, "KDV");
        dialog.kdvlifiyat =
            IkiHaneYuvarla(number(sepet, "NETBIRIMFIYAT") * (dialog.kdvoran / 100 + 1));
        dialog.box("kdvdahiltutar")->setValue(dialog.kdvlifiyat);
        dialog.box("birimfiyat")->setValue(number(sepet, "BIRIMFIYAT"));
        dialog.adet()->setValue(int(number(sepet, "MIKTAR")));
        Q_EMIT dialogReady(&dialog);
        if (dialog.exec() == QDialog::Accepted)
            SepetSatiriGuncelle(sirano, double(dialog.adet()->value()),
                                dialog.box("birimfiyat")->value());
    }
    m_parts.basket->SepetGetir();
}

void UrunAcici::SepeteEkle(ClientDataSet& list, double miktar, double fiyat, double isk1,
                           double isk2, double isk3, double isk4) {
    TSonucBilgisi copy;
    copy.Kopyala(*m_parts.sbilgi);
    Connection& bagc = *m_parts.bagc;
    if (!BaglantiKur(bagc, 1))
        return;
    const int result = TServerMethods1Client(bagc).SepetEkle2(
        copy, m_parts.sbilgi->CARINO(), list.FieldByName(QStringLiteral("STOK_STOKNO")).AsInteger(),
        text(list, "BARKOD"), text(list, "ADI"), miktar, qRound(number(list, "KDV")), fiyat, isk1,
        m_parts.sbilgi->Sirano(), qRound(number(list, "K")), isk2, isk3, isk4);
    if (result == 1)
        m_parts.basket->SepetGetir();
    bagc.Close();
}

void UrunAcici::SepetSatiriGuncelle(int sirano, double miktar, double fiyat) {
    ClientDataSet& sepet = *m_parts.sepet;
    TSonucBilgisi copy;
    copy.Kopyala(*m_parts.sbilgi);
    Connection& bagc = *m_parts.bagc;
    if (!BaglantiKur(bagc, 1))
        return;
    const int result = TServerMethods1Client(bagc).SepetGuncelle2(
        copy, m_parts.sbilgi->CARINO(), 0, text(sepet, "BARKOD"), text(sepet, "STOKADI"), miktar,
        qRound(number(sepet, "KDV")), fiyat, number(sepet, "INDIRIMORANI1"),
        m_parts.sbilgi->Sirano(), sirano, number(sepet, "INDIRIMORANI2"),
        number(sepet, "INDIRIMORANI3"), number(sepet, "INDIRIMORANI4"));
    if (result == 1)
        m_parts.basket->SepetGetir();
    bagc.Close();
}

void UrunAcici::ResimGetir(int stokno, Tstokayarinti& dialog) {
    Connection& bagc = *m_parts.bagc;
    if (!BaglantiKur(bagc, 1))
        return;
    try {
        qint64 boy = 0;
        std::unique_ptr<QIODevice> stream = TServerMethods1Client(bagc).ResimVer5(stokno, boy);
        if (stream)
            if (const std::optional<QByteArray> bytes = ReadResultStream(*stream, boy)) {
                QImage picture;
                if (!picture.loadFromData(*bytes, "JPEG"))
                    throw Error(QStringLiteral("Resim çözülemedi (%1 bayt)").arg(bytes->size()));
                dialog.setImage1(picture);
            }
    } catch (const std::exception& e) {
        StandartMesaj(QMessageBox::NoIcon, errorText(e));
    }
    bagc.Close();
}

}  // namespace zerda
