#pragma once

#include <QLabel>
#include <QPushButton>
#include <QString>

namespace zerda {

// Controls created with the object names the tests and the layout refer to them by.
inline QLabel* namedLabel(QWidget* parent, const QString& name, const QString& text) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(name);
    return l;
}

inline QPushButton* namedButton(QWidget* parent, const QString& name, const QString& caption) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    return b;
}

}  // namespace zerda
