#include "ui/scale_widgets.h"

#include <QHeaderView>
#include <QLayout>
#include <QToolButton>
#include <QWidget>

namespace {

struct Ratio {
    int numerator;
    int denominator;
    int operator()(int pixels) const { return pixels * numerator / denominator; }
    QSize operator()(QSize size) const { return {(*this)(size.width()), (*this)(size.height())}; }
};

void ScaleLayout(QLayout& layout, const Ratio& scale) {
    const QMargins m = layout.contentsMargins();
    layout.setContentsMargins(scale(m.left()), scale(m.top()), scale(m.right()), scale(m.bottom()));
    if (layout.spacing() > 0)
        layout.setSpacing(scale(layout.spacing()));
    // Layouts nested in this one have no widget of their own.
    for (int i = 0; i < layout.count(); ++i)
        if (QLayout* inner = layout.itemAt(i)->layout())
            ScaleLayout(*inner, scale);
}

} // namespace

void ScaleFixedSizes(QWidget& window, int numerator, int denominator) {
    if (numerator <= 0 || denominator <= 0 || numerator == denominator)
        return;
    const Ratio scale{numerator, denominator};
    QList<QWidget*> widgets = window.findChildren<QWidget*>();
    widgets.prepend(&window);
    for (QWidget* w : widgets) {
        if (w != &window) {
            const QSize min = w->minimumSize();
            QSize max = w->maximumSize();
            if (max.width() < QWIDGETSIZE_MAX)
                max.setWidth(scale(max.width()));
            if (max.height() < QWIDGETSIZE_MAX)
                max.setHeight(scale(max.height()));
            w->setMinimumSize(scale(min));
            w->setMaximumSize(max);
        }
        if (auto* button = qobject_cast<QToolButton*>(w))
            button->setIconSize(scale(button->iconSize()));
        if (auto* header = qobject_cast<QHeaderView*>(w))
            header->setDefaultSectionSize(scale(header->defaultSectionSize()));
        if (QLayout* layout = w->layout())
            ScaleLayout(*layout, scale);
    }
}
