#include "girisformu.h"

#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "ayarlar.h"
#include "beklesin.h"
#include "calls.h"
#include "desktop.h"
#include "dosyaindir.h"
#include "identity.h"
#include "istekformu.h"
#include "mesajgoster.h"
#include "proxim.h"
#include "resources.h"
#include "seccari.h"
#include "settings.h"

namespace zerda {

// What the background steps bring back to the dialog.
struct Tgirisform::Answer {
    std::optional<TSonucBilgisi> session;
    QString bilgisayarAdi, kullanici, icIp, bilgisayarId, disIp;
};

Tgirisform::Tgirisform(QWidget* owner)
    : QDialog(owner, Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      m_gone(std::make_shared<std::atomic<bool>>(false)) {
    setObjectName(QStringLiteral("girisform"));
    setWindowTitle(QStringLiteral("Giriş"));
    setFixedSize(368, 550);
    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(13);
    font.setBold(true);
    setFont(font);

    auto* background = new QLabel(this);
    background->setObjectName(QStringLiteral("Image1"));
    background->setGeometry(rect());
    background->setStyleSheet(QStringLiteral(
        "background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #0B5394, stop:1 #E9EFF6);"));
    auto* logo = new QLabel(this);
    logo->setPixmap(Icons::logo(QSize(300, 100)));
    logo->setGeometry(34, 20, 300, 100);
    auto* address = new QLabel(this);
    address->setObjectName(QStringLiteral("RxLabel1"));
    address->setAlignment(Qt::AlignCenter);
    address->setText(QStringLiteral(
        "Zerda Otomotiv Yedek Parça San. ve Tic. A.Ş.\nİkitelli OSB Oto Sanayi Sitesi\n"
        "34490 Başakşehir / İstanbul\nsiparis@zerdaotomotiv.com.tr\n0 (212) 555 00 00"));
    address->setGeometry(14, 130, 340, 110);
    auto* nameLabel = new QLabel(QStringLiteral(" Kullanıcı Adı:"), this);
    nameLabel->setObjectName(QStringLiteral("Label1"));
    auto* passwordLabel = new QLabel(QStringLiteral(" Şifre:"), this);
    passwordLabel->setObjectName(QStringLiteral("Label2"));
    for (QLabel* l : {nameLabel, passwordLabel})
        l->setStyleSheet(
            QStringLiteral("color: white; background: #004080;"));  // colour value 8404992
    nameLabel->setGeometry(34, 270, 300, 24);
    passwordLabel->setGeometry(34, 330, 300, 24);
    m_adi = new QLineEdit(this);
    m_adi->setObjectName(QStringLiteral("adi"));
    m_adi->setGeometry(34, 296, 300, 28);
    m_sifre = new QLineEdit(this);
    m_sifre->setObjectName(QStringLiteral("sifre"));
    m_sifre->setEchoMode(QLineEdit::Password);
    m_sifre->setGeometry(34, 356, 300, 28);
    for (QLineEdit* e : {m_adi, m_sifre}) {
        upperCaseEntry(e);
        e->installEventFilter(this);
    }
    m_hatirla = new QCheckBox(QStringLiteral("Beni hatırla"), this);
    m_hatirla->setObjectName(QStringLiteral("benihatirla"));
    m_hatirla->setChecked(true);
    m_hatirla->setGeometry(34, 392, 300, 24);
    m_giris = new QPushButton(QStringLiteral("Giriş"), this);
    m_giris->setObjectName(QStringLiteral("Button1"));
    m_giris->setGeometry(34, 430, 145, 36);
    m_giris->setAutoDefault(false);
    connect(m_giris, &QPushButton::clicked, this, &Tgirisform::Button1Click);
    auto* cancel = new QPushButton(QStringLiteral("Vazgeç"), this);
    cancel->setObjectName(QStringLiteral("Button2"));
    cancel->setGeometry(189, 430, 145, 36);
    cancel->setAutoDefault(false);
    connect(cancel, &QPushButton::clicked, this, &Tgirisform::Button2Click);
    m_busy = new TBusyIndicator(QStringLiteral("RxGIFAnimator1"), this);
    m_busy->setFixedSize(28, 28);
    m_busy->move(170, 480);
    m_busy->hide();
    setTabOrder(m_giris, cancel);
    setTabOrder(cancel, m_hatirla);
    setTabOrder(m_hatirla, m_adi);
    setTabOrder(m_adi, m_sifre);
    FormCreate();
    m_adi->setFocus();
}

Tgirisform::~Tgirisform() {
    *m_gone = true;
}

void Tgirisform::FormCreate() {
    idsi = BilgisayarIdAl();
    AyarOku();
}

void Tgirisform::AyarOku() {
    GirisAyari settings;
    if (!zerda::AyarOku(ayarDosyasi(), settings))
        return;
    m_hatirla->setChecked(settings.hatirla);
    if (settings.hatirla) {
        m_adi->setText(settings.isim);
        m_sifre->setText(settings.sifre);
    }
}

void Tgirisform::AyarKaydet() {
    zerda::AyarKaydet(ayarDosyasi(), {m_adi->text(), m_sifre->text(), m_hatirla->isChecked()});
}

bool Tgirisform::eventFilter(QObject* watched, QEvent* event) {
    if ((watched == m_adi || watched == m_sifre) && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key != Qt::Key_Return && key != Qt::Key_Enter)
            return QDialog::eventFilter(watched, event);
        auto* edit = static_cast<QLineEdit*>(watched);
        if (edit->text().trimmed().isEmpty()) {
            StandartMesaj(QMessageBox::Warning,
                          edit == m_adi ? QStringLiteral("Lütfen kullanıcı adını giriniz !")
                                        : QStringLiteral("Lütfen kullanıcı şifresini giriniz !"));
            edit->selectAll();
            edit->setFocus();
        } else if (edit == m_adi) {
            m_sifre->selectAll();
            m_sifre->setFocus();
        } else {
            Button1Click();
        }
        return true;  // the key is used up either way
    }
    return QDialog::eventFilter(watched, event);
}

void Tgirisform::Button1Click() {
    m_giris->setText(QStringLiteral("Bağlanıyor..."));
    m_giris->setEnabled(false);
    m_busy->show();
    auto address = std::make_shared<QString>();
    const auto gone = m_gone;
    QPointer<Tgirisform> self(this);
    Async([address, gone] {
        *address = DisIpAl([gone] { return gone->load(); });
    })->Await([self, address] {
        if (!self)
            return;
        self->m_giris->setText(QStringLiteral("Giriş!"));
        self->m_busy->hide();
        self->Devamet(*address);
    });
}

void Tgirisform::Devamet(const QString& externalAddress) {
    if (externalAddress.trimmed().isEmpty()) {
        MesajGoster(QStringLiteral("Bağlantı Kurulamıyor Lütfen Tekrar Deneyiniz !"),
                    MesajTipi::Hata, {Dugme::Tamam}, Dugme::Tamam);
        m_giris->setEnabled(true);
        Q_EMIT attemptFinished();
        return;
    }
    bagim->setParam(QStringLiteral("HostName"), Settings::text(Setting::B2BHost));
    std::shared_ptr<Connection> clone = bagim->CloneConnection();
    auto answer = std::make_shared<Answer>();
    auto ok = std::make_shared<bool>(false);
    const QString id = idsi;
    QPointer<Tgirisform> self(this);
    const auto gone = m_gone;
    Async([clone, id, answer, ok, gone] {
        *ok = GirisBilgisiAl(*clone, id, *answer, gone);
    })->Await([self, ok, answer] {
        if (self)
            self->completeAttempt(*ok, *answer);
    });
}

bool Tgirisform::GirisBilgisiAl(Connection& clone, const QString& idsi, Answer& answer,
                                const std::shared_ptr<std::atomic<bool>>& gone) {
    if (!BaglantiKur(clone, 0))
        return false;
    try {
        TServerMethods1Client proxy(clone);
        answer.session = proxy.BuyukGetir(idsi);
        if (!answer.session)
            throw Error(QStringLiteral("Sunucu bu iş istasyonu için oturum bilgisi göndermedi"));
    } catch (const Error& e) {
        clone.Close();
        const QString message = e.message();
        RunOnUiThread([&] { StandartMesaj(QMessageBox::Critical, message); });
        return false;
    }
    clone.Close();
    answer.bilgisayarAdi = BilgisayarAdiAl();
    answer.kullanici = WindowsKullaniciAl();
    answer.icIp = YerelIpAl();
    answer.bilgisayarId = BilgisayarIdAl();
    answer.disIp = DisIpAl([gone] { return gone->load(); });
    return true;
}

void Tgirisform::completeAttempt(bool ok, const Answer& answer) {
    m_busy->hide();
    if (!ok) {
        fail(QStringLiteral("Bağlantı Kurulamadı !"), int(MesajTipi::Hata));
        return;
    }
    Bilgim->Kopyala(*answer.session);
    Bilgim->setBilgiSayarAdi(answer.bilgisayarAdi);
    Bilgim->setBilgisayarKullanici(answer.kullanici);
    Bilgim->setIcip(answer.icIp);
    Bilgim->setBILGISAYARID(answer.bilgisayarId);
    Bilgim->setDisip(answer.disIp);
    if (Bilgim->Version() != kIstemciSurumu) {
        GuncellemeIndir();  // the download window ends the program
        return;
    }
    if (!Bilgim->Varmi()) {
        IstekFormuAc(Settings::text(Setting::WebBase));
        terminateProcess(0);
        return;
    }
    if (Bilgim->ADI() == m_adi->text() && Bilgim->SIFRE() == m_sifre->text()) {
        AyarKaydet();
        if (Bilgim->AKTIF() == 1) {
            if (Bilgim->MusteriTipi() == 1 || Bilgim->MusteriTipi() == 2)
                CariSec();
            accept();
            Q_EMIT attemptFinished();
            return;
        }
    }
    fail(QStringLiteral("Kullanıcı Adı ve Şifre Hatalı Lütfen Tekrar Deneyiniz !"),
         int(MesajTipi::Uyari));
}

void Tgirisform::fail(const QString& text, int kind) {
    MesajGoster(text, MesajTipi(kind), {Dugme::Tamam}, Dugme::Tamam);
    m_giris->setEnabled(true);
    m_adi->selectAll();
    m_adi->setFocus();
    Q_EMIT attemptFinished();
}

void Tgirisform::CariSec() {
    Tseccari choice(this);
    choice.bag = bagim;
    choice.bilgim = Bilgim;
    choice.SepetSayisiYaz();
    choice.TusSonuclari();
    if (choice.exec() != QDialog::Accepted)
        terminateProcess(0);
}

void Tgirisform::GuncellemeIndir() {
    Tdosyaindir download(this, Bilgim->Version());
    download.bag = bagim;
    download.exec();
}

void Tgirisform::IstekFormuAc(const QString& webBase) {
    Tformistekyeni form(this);
    form.setWindowTitle(QStringLiteral("Zerda Otomotiv B2B İstek Formu"));
    // Nothing is encoded; the value after kullanici= is one blank.
    form.Git(webBase + QStringLiteral("formmailgonder.aspx?carino=0&kullanici= &id=") +
             BilgisayarIdAl());
    form.exec();
}

void Tgirisform::Button2Click() {
    terminateProcess(0);
}

void Tgirisform::reject() {
    // The close box closes the dialog without success; the opener ends the program.
    *m_gone = true;
    QDialog::reject();
}

}  // namespace zerda
