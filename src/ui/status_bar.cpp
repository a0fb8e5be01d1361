#include "ui/status_bar.h"

TStatusBar::TStatusBar(QWidget* parent) : QStatusBar(parent) {
    setSizeGripEnabled(true);
}

QLabel* TStatusBar::addPanel(int width, Bevel bevel, Qt::Alignment alignment) {
    auto* label = new QLabel(this);
    label->setObjectName(QStringLiteral("%1Panel%2").arg(objectName()).arg(panels_.size()));
    label->setFixedWidth(width);
    label->setFrameShape(QFrame::Panel);
    label->setFrameShadow(bevel == Bevel::Raised ? QFrame::Raised : QFrame::Sunken);
    label->setAlignment(alignment | Qt::AlignVCenter);
    // Assistive technology reads the panel's text as its name; the description says which it is.
    label->setAccessibleDescription(QStringLiteral("Status panel %1").arg(panels_.size()));
    addWidget(label);
    panels_.push_back(label);
    return label;
}
