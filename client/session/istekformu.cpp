#include "istekformu.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "desktop.h"

namespace zerda {

Tformistekyeni::Tformistekyeni(QWidget* owner) : QDialog(owner), m_note(new QLabel(this)) {
    setObjectName(QStringLiteral("formistekyeni"));
    resize(720, 240);
    auto* layout = new QVBoxLayout(this);
    auto* page = new QWidget(this);
    page->setObjectName(QStringLiteral("sitem"));
    auto* pageLayout = new QVBoxLayout(page);
    m_note->setWordWrap(true);
    m_note->setTextInteractionFlags(Qt::TextSelectableByMouse);
    pageLayout->addWidget(m_note);
    layout->addWidget(page, 1);
    auto* buttons = new QHBoxLayout;
    auto* again = new QPushButton(QStringLiteral("Tarayıcıda Aç"), this);
    connect(again, &QPushButton::clicked, this, [this] { openWithDesktop(m_url); });
    auto* close = new QPushButton(QStringLiteral("Kapat"), this);
    close->setObjectName(QStringLiteral("Button1"));
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    buttons->addStretch(1);
    buttons->addWidget(again);
    buttons->addWidget(close);
    layout->addLayout(buttons);
}

void Tformistekyeni::Git(const QString& address) {
    m_url = QUrl(address, QUrl::TolerantMode);
    const bool opened = openWithDesktop(m_url);
    m_note->setText(
        (opened ? QStringLiteral("İstek formu tarayıcınızda açıldı. Formu doldurup gönderdikten "
                                 "sonra bu pencereyi kapatınız.")
                : QStringLiteral(
                      "İstek formu tarayıcıda açılamadı. Aşağıdaki adresi tarayıcınıza yazınız.")) +
        QStringLiteral("\n\n") + address);
}

}  // namespace zerda
