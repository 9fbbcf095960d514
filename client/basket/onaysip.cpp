#include "onaysip.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "controls.h"

namespace zerda {

namespace {

// The summary's colons stand under one another only in a fixed-pitch font.
QFont fixedPitch(int pixels) {
    QFont font(QStringLiteral("Courier New"));
    font.setStyleHint(QFont::Monospace);
    font.setFixedPitch(true);
    font.setPixelSize(pixels);
    font.setBold(true);
    return font;
}

// The summary and the warning hold the user's and the server's texts as they are.
QLabel* plainLabel(QWidget* parent, const char* name, const QString& text) {
    QLabel* l = namedLabel(parent, QLatin1String(name), text);
    l->setTextFormat(Qt::PlainText);
    return l;
}

}  // namespace

TONAYSIP::TONAYSIP(const QString& summary, const QString& warning, QWidget* owner)
    : QDialog(owner, Qt::Tool) {
    setObjectName(QStringLiteral("ONAYSIP"));
    setWindowTitle(QStringLiteral("Sipariş Onay"));
    setModal(true);
    auto* layout = new QVBoxLayout(this);

    m_summary = plainLabel(this, "Label2", summary);
    m_summary->setFont(fixedPitch(16));
    layout->addWidget(m_summary);

    m_warning = plainLabel(this, "Label3", warning);
    m_warning->setFont(fixedPitch(13));
    m_warning->setWordWrap(true);
    m_warning->setStyleSheet(QStringLiteral("color: red;"));
    layout->addWidget(m_warning);

    auto* question = plainLabel(
        this, "Label1", QStringLiteral("Yukarıda bilgileri verilen siparişi onaylıyor musunuz ?"));
    QFont bold = question->font();
    bold.setBold(true);
    question->setFont(bold);
    question->setAlignment(Qt::AlignCenter);
    layout->addWidget(question);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    for (const auto& [name, caption, accept] :
         {std::tuple{"Button1", "Evet", true}, {"Button2", "Hayır", false}}) {
        QPushButton* b = namedButton(this, QLatin1String(name), QString::fromUtf8(caption));
        b->setMinimumWidth(100);
        connect(b, &QPushButton::clicked, this, accept ? &QDialog::accept : &QDialog::reject);
        buttons->addWidget(b);
    }
    buttons->addStretch(1);
    layout->addLayout(buttons);
}

void TONAYSIP::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (QWidget* owner = parentWidget()) {
        const QRect area = owner->window()->frameGeometry();
        move(area.center() - rect().center());
    }
}

}  // namespace zerda
