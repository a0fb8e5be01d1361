// Widgets carry the object names that tests and assistive technology find them by.
#pragma once

#include <QLabel>
#include <QLatin1String>

template <typename W> W* Named(W* widget, const char* name) {
    widget->setObjectName(QLatin1String(name));
    return widget;
}

// A label beside buddy (with buddy's parent) that names it for assistive technology and passes its
// mnemonic on to it; named `name` when one is given. Its text comes with the language.
inline QLabel* LabelFor(QWidget* buddy, const char* name = nullptr) {
    auto* label = new QLabel(buddy->parentWidget());
    if (name)
        label->setObjectName(QLatin1String(name));
    label->setBuddy(buddy);
    return label;
}
