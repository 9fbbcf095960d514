#include "radiogroup.h"

#include <QButtonGroup>
#include <QRadioButton>
#include <QVBoxLayout>

namespace zerda {

TRadioGroup::TRadioGroup(const QString& caption, QWidget* parent)
    : QGroupBox(caption, parent), m_group(new QButtonGroup(this)), m_layout(new QVBoxLayout(this)) {
    m_layout->setContentsMargins(6, 2, 6, 2);
    m_layout->setSpacing(2);
    m_layout->addStretch(1);
    // A click on the entry already selected changes nothing and is not reported.
    connect(m_group, &QButtonGroup::idToggled, this, [this](int, bool checked) {
        if (checked)
            m_changed = true;
    });
    connect(m_group, &QButtonGroup::idClicked, this, [this](int) {
        const bool changed = m_changed;
        m_changed = false;
        if (changed)
            Q_EMIT Click();
    });
}

void TRadioGroup::Clear() {
    for (const Entry& e : std::as_const(m_entries)) {
        m_group->removeButton(e.button);
        delete e.button;
    }
    m_entries.clear();
    m_changed = false;
}

void TRadioGroup::Add(const QString& text, int id) {
    auto* b = new QRadioButton(text, this);
    b->setObjectName(QStringLiteral("%1_%2").arg(objectName()).arg(m_entries.size()));
    m_group->addButton(b, int(m_entries.size()));
    m_layout->insertWidget(m_layout->count() - 1, b);
    m_entries.append({b, id});
}

int TRadioGroup::ItemIndex() const {
    return m_group->checkedId();
}

void TRadioGroup::setItemIndex(int index) {
    if (index >= 0 && index < count()) {
        m_entries[index].button->setChecked(true);
        m_changed = false;
        return;
    }
    // An exclusive group keeps one button checked; it lets go only while not exclusive.
    m_group->setExclusive(false);
    for (const Entry& e : std::as_const(m_entries))
        e.button->setChecked(false);
    m_group->setExclusive(true);
    m_changed = false;
}

QString TRadioGroup::itemText(int index) const {
    return index >= 0 && index < count() ? m_entries[index].button->text() : QString();
}

int TRadioGroup::itemId(int index) const {
    return index >= 0 && index < count() ? m_entries[index].id : 0;
}

QRadioButton* TRadioGroup::button(int index) const {
    return index >= 0 && index < count() ? m_entries[index].button : nullptr;
}

}  // namespace zerda
