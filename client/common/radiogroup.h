#pragma once

#include <QGroupBox>
#include <QList>

class QButtonGroup;
class QRadioButton;
class QVBoxLayout;

namespace zerda {

// A captioned group of radio buttons, one per entry, each entry carrying an id. At most one entry
// is selected; ItemIndex is -1 when none is.
class TRadioGroup : public QGroupBox {
    Q_OBJECT
public:
    explicit TRadioGroup(const QString& caption, QWidget* parent = nullptr);

    void Clear();
    void Add(const QString& text, int id);
    int count() const { return int(m_entries.size()); }
    int ItemIndex() const;
    // -1 (or an index out of range) selects no entry.
    void setItemIndex(int index);
    QString itemText(int index) const;
    int itemId(int index) const;
    QRadioButton* button(int index) const;

Q_SIGNALS:
    // The user selected another entry.
    void Click();

private:
    struct Entry {
        QRadioButton* button;
        int id;
    };
    QButtonGroup* m_group;
    QVBoxLayout* m_layout;
    QList<Entry> m_entries;
    bool m_changed = false;  // an entry became selected since the last click
};

}  // namespace zerda
