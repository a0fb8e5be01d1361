// Widgets carry the object names that tests and assistive technology find them by.
#pragma once

#include <QLatin1String>

template <typename W> W* Named(W* widget, const char* name) {
    widget->setObjectName(QLatin1String(name));
    return widget;
}
