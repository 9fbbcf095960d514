#include "siparispaneli.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "calls.h"
#include "controls.h"
#include "gridexport.h"
#include "mesajgoster.h"
#include "onaysip.h"
#include "proxim.h"
#include "radiogroup.h"
#include "tablereader.h"
#include "utils.h"

namespace zerda {

namespace {

const QString kBosFirma = QStringLiteral(" ");

// Every row of a two-column result (id, name) as an entry of the group.
void fillChoices(TRadioGroup& group, TableReader& reader) {
    group.Clear();
    while (reader.Next())
        group.Add(reader.GetString(1), reader.GetInt32(0));
}

}  // namespace

SiparisPaneli::SiparisPaneli(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("Panel4"));
    // The grid above keeps the room; the panel has the height of four choices.
    setFixedHeight(150);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(4, 2, 4, 4);

    m_teslimbox = new TRadioGroup(QStringLiteral("Teslim Durumu"), this);
    m_teslimbox->setObjectName(QStringLiteral("teslimbox"));
    m_boxkargo = new TRadioGroup(QStringLiteral("Kargo Türleri"), this);
    m_boxkargo->setObjectName(QStringLiteral("boxkargo"));
    connect(m_boxkargo, &TRadioGroup::Click, this, &SiparisPaneli::boxkargoClick);
    row->addWidget(m_teslimbox, 2);
    row->addWidget(m_boxkargo, 2);

    auto* cargo = new QGroupBox(QStringLiteral("Kargo"), this);
    auto* cargoColumn = new QVBoxLayout(cargo);
    m_kargocombo = new QComboBox(cargo);
    m_kargocombo->setObjectName(QStringLiteral("kargocombo"));
    m_kargocombo->setEditable(false);
    connect(m_kargocombo, &QComboBox::activated, this, &SiparisPaneli::kargocomboChange);
    m_uyarikargo = namedLabel(cargo, QStringLiteral("uyarikargo"), QString());
    m_uyarikargo->setWordWrap(true);
    m_uyarikargo->setTextFormat(Qt::PlainText);
    m_uyarikargo->setStyleSheet(QStringLiteral("color: red;"));
    m_uyarikargo->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    cargoColumn->addWidget(m_kargocombo);
    cargoColumn->addWidget(m_uyarikargo, 1);
    row->addWidget(cargo, 2);

    row->addWidget(buildMessageGroup(), 4);

    auto* buttons = new QVBoxLayout;
    m_gonder = namedButton(this, QStringLiteral("Button1"), QStringLiteral("Gönder"));
    m_gonder->setDefault(true);
    m_gonder->setMinimumHeight(40);
    connect(m_gonder, &QPushButton::clicked, this, &SiparisPaneli::Button1Click);
    QPushButton* excel =
        namedButton(this, QStringLiteral("Button2"), QStringLiteral("Excel Kaydet"));
    connect(excel, &QPushButton::clicked, this, &SiparisPaneli::Button2Click);
    buttons->addWidget(m_gonder);
    buttons->addWidget(excel);
    buttons->addStretch(1);
    row->addLayout(buttons);
}

// The note beside the totals of the ticked lines.
QWidget* SiparisPaneli::buildMessageGroup() {
    auto* group = new QGroupBox(QStringLiteral("Mesaj"), this);
    group->setObjectName(QStringLiteral("GroupBox1"));
    auto* row = new QHBoxLayout(group);
    m_aciklamagir = new QPlainTextEdit(group);
    m_aciklamagir->setObjectName(QStringLiteral("aciklamagir"));
    m_aciklamagir->setTabChangesFocus(true);
    row->addWidget(m_aciklamagir, 1);

    auto* totals = new QGridLayout;
    int line = 0;
    for (const auto& [caption, name] : {std::pair{"Toplam:", "aratoplaml"},
                                        {"İndirim Toplam:", "indiriml"},
                                        {"Ara Toplam:", "nettutarl"},
                                        {"Vergi:", "vergil"},
                                        {"Genel Toplam:", "geneltoplaml"}}) {
        auto* c = new QLabel(QString::fromUtf8(caption), group);
        QLabel* v = namedLabel(group, QLatin1String(name), QStringLiteral("0,00"));
        v->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        v->setMinimumWidth(110);
        if (line == 4) {
            QFont bold = v->font();
            bold.setBold(true);
            c->setFont(bold);
            v->setFont(bold);
            m_geneltoplaml = v;
        }
        totals->addWidget(c, line, 0);
        totals->addWidget(v, line, 1);
        ++line;
    }
    row->addLayout(totals);
    return group;
}

void SiparisPaneli::keyPressEvent(QKeyEvent* event) {
    // "Gönder" is the default button: Enter on a choice the control itself doesn't use sends.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        m_gonder->click();
        return;
    }
    QWidget::keyPressEvent(event);
}

void SiparisPaneli::TeslimKargoGetir() {
    std::unique_ptr<Connection> clone = m_parts.bagc->CloneConnection();
    if (!BaglantiKur(*clone, 1))
        return;
    {
        TableReader options = TServerMethods1Client(*clone).TeslimVer();
        fillChoices(*m_teslimbox, options);
        m_teslimbox->setItemIndex(m_teslimbox->count() > 1 ? 1 : m_teslimbox->count() - 1);
    }
    {
        TableReader types = TServerMethods1Client(*clone).KargoVer();
        fillChoices(*m_boxkargo, types);
        m_boxkargo->setItemIndex(-1);
    }
    clone->Close();
}

void SiparisPaneli::boxkargoClick() {
    m_uyarikargo->clear();
    const int selected = m_boxkargo->ItemIndex();
    if (selected >= 0)
        KargolarGetir(m_boxkargo->itemId(selected));
}

void SiparisPaneli::KargolarGetir(int gn) {
    Connection& bagc = *m_parts.bagc;
    if (!BaglantiKur(bagc, 1))
        return;
    TableReader companies = TServerMethods1Client(bagc).KargolarVer(gn);
    CopyReaderToDataSet(companies, m_kargo);
    bagc.Close();

    m_kargocombo->clear();
    m_kargocombo->addItem(kBosFirma);
    const int name = m_kargo.FieldIndex(QStringLiteral("ADI"));
    for (qsizetype r = 0; r < m_kargo.RecordCount(); ++r)
        m_kargocombo->addItem(m_kargo.cell(r, name).toString());
    if (m_kargocombo->count() == 2) {
        m_kargocombo->setCurrentIndex(1);
        kargocomboChange();
    } else {
        m_kargocombo->setCurrentIndex(-1);
    }
}

void SiparisPaneli::kargocomboChange() {
    try {
        if (m_kargo.Active() && m_kargo.Locate(QStringLiteral("ADI"), m_kargocombo->currentText()))
            m_uyarikargo->setText(m_kargo.FieldByName(QStringLiteral("UYARI")).AsString());
        else
            m_uyarikargo->clear();
    } catch (...) {
        m_uyarikargo->clear();
    }
}

bool SiparisPaneli::check(bool passed, const QString& message) {
    if (!passed)
        MesajGoster(message, MesajTipi::Uyari, {Dugme::Tamam}, Dugme::Tamam);
    return passed;
}

void SiparisPaneli::Button1Click() {
    if (!check(SeciliVarmi(*m_parts.sepet), QStringLiteral("Gönderilecek Parça Yok ")) ||
        !check(m_teslimbox->ItemIndex() >= 0, QStringLiteral("Lütfen Teslim Durumu Seçiniz !")) ||
        !check(m_boxkargo->ItemIndex() >= 0, QStringLiteral("Lütfen Kargo Türünü Seçiniz !")))
        return;
    if (!check(m_kargocombo->currentIndex() > 0, QStringLiteral("Lütfen Kargo  Seçiniz !"))) {
        m_kargocombo->setFocus();
        return;
    }
    int company = 0;
    if (m_kargo.Active() && m_kargo.Locate(QStringLiteral("ADI"), m_kargocombo->currentText()))
        company = m_kargo.FieldByName(QStringLiteral("SIRANO")).AsInteger();
    const int delivery = m_teslimbox->itemId(m_teslimbox->ItemIndex());
    const int cargoType = m_boxkargo->itemId(m_boxkargo->ItemIndex());

    TONAYSIP confirmation(siparisOzeti(), m_parts.lbluyarbakiye->text(), window());
    if (confirmation.exec() != QDialog::Accepted)
        return;
    if (SiparisGonder(company, cargoType, delivery)) {
        MesajGoster(QStringLiteral("Siparişiniz Gönderildi !"), MesajTipi::Bilgi, {Dugme::Tamam},
                    Dugme::Tamam);
        m_parts.sepetGetir();
        m_aciklamagir->clear();
    } else {
        MesajGoster(QStringLiteral("Sipariş Göndermede Hata"), MesajTipi::Hata, {Dugme::Tamam},
                    Dugme::Tamam);
    }
}

QString SiparisPaneli::siparisOzeti() const {
    const TSonucBilgisi& s = *m_parts.sbilgi;
    return QStringList{
        QStringLiteral("Kullanıcı: ") + s.ADI(),
        QStringLiteral("Cari     : ") + s.CariAdi(),
        QStringLiteral("Teslim   : ") + m_teslimbox->itemText(m_teslimbox->ItemIndex()),
        QStringLiteral("Kargo    : ") + m_boxkargo->itemText(m_boxkargo->ItemIndex()),
        QStringLiteral("Tutar    : ") + m_geneltoplaml->text(),
        QStringLiteral("Kargo    : ") + m_kargocombo->currentText(),
        QStringLiteral("Açıklama : ") + m_aciklamagir->toPlainText(),
    }
        .join(QStringLiteral("\r\n"));
}

bool SiparisPaneli::SiparisGonder(int kargoyeni, int kargo, int teslim) {
    TSonucBilgisi copy;
    copy.Kopyala(*m_parts.sbilgi);
    Connection& bagc = *m_parts.bagc;
    if (!BaglantiKur(bagc, 1))
        return false;
    const bool saved = TServerMethods1Client(bagc).SiparisKaydet(
        copy, copy.CARINO(), teslim, kargo, m_aciklamagir->toPlainText(), copy.Sirano(), kargoyeni);
    bagc.Close();
    return saved;
}

void SiparisPaneli::Button2Click() {
    excelKaydet(window(), m_parts.grid);
}

}  // namespace zerda
