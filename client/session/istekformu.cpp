#include "istekformu.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include "webview.h"

namespace zerda {

Tformistekyeni::Tformistekyeni(QWidget* owner) : QDialog(owner), m_sitem(new WebPanel(this)) {
    setObjectName(QStringLiteral("formistekyeni"));
    resize(900, 700);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    auto* layout = new QVBoxLayout(this);
    m_sitem->setObjectName(QStringLiteral("sitem"));
    layout->addWidget(m_sitem, 1);
    auto* buttons = new QHBoxLayout;
    auto* close = new QPushButton(QStringLiteral("Kapat"), this);
    close->setObjectName(QStringLiteral("Button1"));
    close->setAutoDefault(false);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    buttons->addStretch(1);
    buttons->addWidget(close);
    layout->addLayout(buttons);
}

void Tformistekyeni::Git(const QString& address) {
    m_sitem->Navigate(QUrl(address, QUrl::TolerantMode));
}

QUrl Tformistekyeni::address() const {
    return m_sitem->url();
}

}  // namespace zerda
