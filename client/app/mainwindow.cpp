#include "mainwindow.h"

#include <QFutureWatcher>
#include <QVBoxLayout>
#include <QtConcurrent>

#include "calls.h"
#include "identity.h"
#include "proxim.h"
#include "settings.h"

namespace zerda {

TForm1::TForm1(QWidget* parent) : QMainWindow(parent), m_bagc(std::make_unique<Connection>()) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Zerda Otomotiv B2B Programı"));
    resize(1024, 700);
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    m_status = new QLabel(central);
    m_status->setObjectName(QStringLiteral("durumLabel"));
    m_status->setWordWrap(true);
    m_status->setAlignment(Qt::AlignCenter);
    layout->addWidget(m_status);
    setCentralWidget(central);
    FormCreate();
}

void TForm1::FormCreate() {
    m_sbilgi = TSonucBilgisi::Create();
    m_sbilgi.setBilgiSayarAdi(BilgisayarAdiAl());
    m_sbilgi.setBilgisayarKullanici(WindowsKullaniciAl());
    m_sbilgi.setIcip(YerelIpAl());
    m_sbilgi.setBILGISAYARID(BilgisayarIdAl());
    m_bagc->setParam(QStringLiteral("HostName"), Settings::text(Setting::B2BHost));
    m_bagc->setParam(QStringLiteral("Port"), Settings::text(Setting::B2BPort));
    m_status->setText(QStringLiteral("Sunucuya bağlanılıyor: %1:%2\nİş istasyonu: %3")
                          .arg(Settings::text(Setting::B2BHost), Settings::text(Setting::B2BPort),
                               m_sbilgi.BILGISAYARID()));
}

void TForm1::SunucuyaSor() {
    // The worker has a clone of the main connection and a copy of the identifier of its own.
    std::shared_ptr<Connection> clone = m_bagc->CloneConnection();
    const QString idsi = m_sbilgi.BILGISAYARID();
    auto* watcher = new QFutureWatcher<QString>(this);
    connect(watcher, &QFutureWatcher<QString>::finished, this, [this, watcher] {
        showAnswer(watcher->result());
        watcher->deleteLater();
    });
    watcher->setFuture(QtConcurrent::run([clone, idsi]() -> QString {
        if (!BaglantiKur(*clone, 0))
            return kBaglantiKurulamiyor;
        try {
            TServerMethods1Client proxy(*clone);
            const std::optional<TSonucBilgisi> answer = proxy.BuyukGetir(idsi);
            clone->Close();
            if (!answer || !answer->Varmi())
                return QStringLiteral("Bu iş istasyonu (%1) sunucuda kayıtlı değil.").arg(idsi);
            return QStringLiteral("Kullanıcı: %1\nCari: %2 %3\nMüşteri tipi: %4")
                .arg(answer->ADI(), answer->carikod(), answer->CariAdi())
                .arg(answer->MusteriTipi());
        } catch (const Error& e) {
            return e.message();
        }
    }));
}

void TForm1::showAnswer(const QString& text) {
    m_status->setText(text);
    Q_EMIT sessionShown();
}

}  // namespace zerda
