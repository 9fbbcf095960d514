#include "kullanicikayit.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>
#include <optional>

#include "beklesin.h"
#include "calls.h"
#include "identity.h"
#include "mesajgoster.h"
#include "proxim.h"

namespace zerda {

namespace {

const QString kBaslik = QStringLiteral("Şifre Değiştirme İsteği");

// One row of the form: its label and the edits side by side on it.
struct FieldRow {
    const char* label;
    QList<const char*> edits;
};

const QList<FieldRow>& firmRows() {
    static const QList<FieldRow> rows = {{"Firma Adı:", {"firmaadi"}},
                                         {"Adres:", {"adres1"}},
                                         {"Adres2:", {"adres2"}},
                                         {"İlçe/Şehir:", {"ilce", "sehir"}},
                                         {"Telefon/Fax:", {"telefon", "fax"}},
                                         {"Vergi Dairesi / No:", {"vd", "vn"}},
                                         {"Yetkili:", {"yetkili"}}};
    return rows;
}

const QList<FieldRow>& userRows() {
    static const QList<FieldRow> rows = {{"Kullanıcı Adı:", {"kullaniciadi"}},
                                         {"Şifre:", {"sifre"}},
                                         {"Mail:", {"mail"}},
                                         {"Kargo Ambar:", {"kargoambar"}}};
    return rows;
}

// The edits that must not be empty, in the order they are checked, with their messages.
const QList<std::pair<const char*, const char*>>& requiredEdits() {
    static const QList<std::pair<const char*, const char*>> required = {
        {"firmaadi", "Firma Adı boş olamaz !"},
        {"adres1", "Adres boş olamaz !"},
        {"ilce", "İlçe Adı boş olamaz !"},
        {"sehir", "Şehir Adı boş olamaz !"},
        {"telefon", "Telefon  boş olamaz !"},
        {"yetkili", "Yetkili  boş olamaz !"},
        {"kullaniciadi", "Kullanıcı  boş olamaz !"},
        {"sifre", "Şifre  boş olamaz !"},
        {"mail", "Mail  boş olamaz !"}};
    return required;
}

// What a request carries besides the workstation: the edits' texts as typed.
struct Request {
    QString firmaadi, adres1, adres2, ilce, sehir, telefon, fax, vd, vn, yetkili, kullaniciadi,
        sifre, mail, kargoambar;
};

QLabel* sectionTitle(const QString& text, QWidget* parent, const QString& name) {
    auto* title = new QLabel(text, parent);
    title->setObjectName(name);
    title->setAlignment(Qt::AlignCenter);
    return title;
}

}  // namespace

Tkullanicikayit::Tkullanicikayit(QWidget* owner, const Connection& _c, const TSonucBilgisi& _b)
    : QDialog(owner), con(_c.CloneConnection()) {
    setObjectName(QStringLiteral("kullanicikayit"));
    setModal(true);
    resize(705, 514);
    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(13);
    font.setBold(true);
    setFont(font);
    Bilgim.Kopyala(_b);
    buildFields();
    m_lblid->setText(QStringLiteral("Bilgisayar ID: ") + BilgisayarIdAl());
    edit("kullaniciadi")->setText(Bilgim.ADI());
    edit("firmaadi")->setText(Bilgim.CariAdi());
    CariBilgisiDoldur();
    setWindowTitle(kBaslik);
}

void Tkullanicikayit::buildFields() {
    auto* layout = new QVBoxLayout(this);
    m_lblid = new QLabel(this);
    m_lblid->setObjectName(QStringLiteral("lblid"));
    m_lblid->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(m_lblid);

    auto* grid = new QGridLayout;
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(2, 1);
    int row = 0;
    QWidget* previous = nullptr;
    auto addRows = [&](const QList<FieldRow>& rows) {
        for (const FieldRow& r : rows) {
            grid->addWidget(new QLabel(QString::fromUtf8(r.label), this), row, 0, Qt::AlignRight);
            for (int i = 0; i < r.edits.size(); ++i) {
                auto* e = new QLineEdit(this);
                e->setObjectName(QLatin1String(r.edits[i]));
                grid->addWidget(e, row, 1 + i, 1, r.edits.size() == 1 ? 2 : 1);
                if (previous)
                    setTabOrder(previous, e);
                previous = e;
            }
            ++row;
        }
    };
    grid->addWidget(sectionTitle(QStringLiteral("Firma Bilgileri"), this, QStringLiteral("Label1")),
                    row++, 0, 1, 3);
    addRows(firmRows());
    grid->addWidget(
        sectionTitle(QStringLiteral("Kullanıcı Bilgileri"), this, QStringLiteral("Label8")), row++,
        0, 1, 3);
    addRows(userRows());
    layout->addLayout(grid);
    layout->addStretch(1);

    auto* panel = new QHBoxLayout;
    panel->addStretch(1);
    auto* kapat = new QPushButton(QStringLiteral("Kapat"), this);
    kapat->setObjectName(QStringLiteral("Button1"));
    kapat->setAutoDefault(false);
    connect(kapat, &QPushButton::clicked, this, &Tkullanicikayit::Button1Click);
    m_gonder = new QPushButton(QStringLiteral("Gönder"), this);
    m_gonder->setObjectName(QStringLiteral("Button2"));
    m_gonder->setAutoDefault(false);
    connect(m_gonder, &QPushButton::clicked, this, &Tkullanicikayit::Button2Click);
    panel->addWidget(kapat);
    panel->addWidget(m_gonder);
    layout->addLayout(panel);
    setTabOrder(previous, kapat);
    setTabOrder(kapat, m_gonder);
}

QLineEdit* Tkullanicikayit::edit(const char* name) const {
    return findChild<QLineEdit*>(QLatin1String(name));
}

void Tkullanicikayit::CariBilgisiDoldur() {
    // Sending waits for the details: both would use the one connection clone.
    m_gonder->setEnabled(false);
    auto answer = std::make_shared<std::optional<TMobilCariBilgisi>>();
    auto unreachable = std::make_shared<bool>(false);
    std::shared_ptr<Connection> connection = con;
    QPointer<Tkullanicikayit> self(this);
    // The window shows what went wrong, so nothing appears once it has been closed.
    auto failure = std::make_shared<QString>();
    Async([connection, answer, unreachable, failure] {
        connection->Close();
        if (!BaglantiKur(*connection, 0)) {
            *unreachable = true;
            return;
        }
        try {
            TServerMethods1Client proxy(*connection);
            *answer = proxy.MobilCariBilgisiGetir(0, BilgisayarIdAl());
        } catch (const Error& e) {
            *failure = e.message();
        }
        connection->Close();
    })->Await([self, answer, unreachable, failure] {
        if (!self)
            return;
        if (*unreachable)
            showConnectionMessage();
        if (!failure->isEmpty())
            reportError(*failure);
        if (const auto& a = *answer) {
            const QList<std::pair<const char*, QString>> values = {
                {"adres1", a->ADRES1()},   {"adres2", a->ADRES2()}, {"ilce", a->ILCE()},
                {"sehir", a->SEHIR()},     {"telefon", a->TEL1()},  {"fax", a->FAX1()},
                {"vd", a->VERGIDAIRESI()}, {"vn", a->VERGINO()}};
            for (const auto& [name, value] : values)
                self->edit(name)->setText(value);
        }
        self->m_gonder->setEnabled(true);
        Q_EMIT self->filled();
    });
}

bool Tkullanicikayit::Kontrol() {
    for (const auto& [name, message] : requiredEdits()) {
        QLineEdit* e = edit(name);
        if (e->text().trimmed().isEmpty()) {
            e->selectAll();
            e->setFocus();
            MesajGoster(QString::fromUtf8(message), MesajTipi::Uyari, {Dugme::Tamam}, Dugme::Tamam);
            return false;
        }
    }
    return true;
}

void Tkullanicikayit::Button2Click() {
    if (!m_gonder->isEnabled())
        return;
    if (Kontrol())
        SifreIstegiGonder();
}

void Tkullanicikayit::SifreIstegiGonder() {
    // Sent as typed: an edit that isn't empty keeps its blanks.
    const Request r{edit("firmaadi")->text(), edit("adres1")->text(),       edit("adres2")->text(),
                    edit("ilce")->text(),     edit("sehir")->text(),        edit("telefon")->text(),
                    edit("fax")->text(),      edit("vd")->text(),           edit("vn")->text(),
                    edit("yetkili")->text(),  edit("kullaniciadi")->text(), edit("sifre")->text(),
                    edit("mail")->text(),     edit("kargoambar")->text()};
    m_sending = true;
    m_gonder->setEnabled(false);
    auto sent = std::make_shared<bool>(false);
    std::shared_ptr<Connection> connection = con;
    QPointer<Tkullanicikayit> self(this);
    Async([connection, r, sent] {
        connection->Close();
        if (!BaglantiKur(*connection, 1))
            return;
        TServerMethods1Client proxy(*connection);
        proxy.MailGonserCari(BilgisayarIdAl(), kBaslik, r.firmaadi, r.adres1, r.adres2, r.ilce,
                             r.sehir, r.telefon, r.fax, r.vd, r.vn, r.yetkili, r.kullaniciadi,
                             r.sifre, r.mail, r.kargoambar);
        connection->Close();
        *sent = true;
    })->Await([self, sent] {
        if (!self)
            return;
        self->m_sending = false;
        self->m_gonder->setEnabled(true);
        if (*sent)
            MesajGoster(QStringLiteral("İsteğiniz Gönderildi!"), MesajTipi::Bilgi, {Dugme::Tamam},
                        Dugme::Tamam);
        Q_EMIT self->sendFinished(*sent);
    });
}

void Tkullanicikayit::Button1Click() {
    reject();
}

void Tkullanicikayit::reject() {
    if (!m_sending)
        QDialog::reject();
}

void Tkullanicikayit::closeEvent(QCloseEvent* event) {
    if (m_sending)
        event->ignore();
    else
        QDialog::closeEvent(event);
}

}  // namespace zerda
