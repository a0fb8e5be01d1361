#include "ui/radio_group.h"

#include <QGridLayout>
#include <QRadioButton>
#include <QScrollArea>
#include <QVBoxLayout>

TRadioGroup::TRadioGroup(QWidget* parent) : QGroupBox(parent) {
    group_.setExclusive(true);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(4, 2, 4, 4);
    scroll_ = new QScrollArea(this);
    scroll_->setFrameShape(QFrame::NoFrame);
    scroll_->setWidgetResizable(true);
    scroll_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    inner_ = new QWidget(scroll_);
    grid_ = new QGridLayout(inner_);
    grid_->setContentsMargins(0, 0, 0, 0);
    grid_->setVerticalSpacing(0);
    scroll_->setWidget(inner_);
    outer->addWidget(scroll_);
    connect(&group_, &QButtonGroup::idClicked, this, &TRadioGroup::clicked);
}

void TRadioGroup::setColumns(int columns) {
    columns_ = std::max(1, columns);
    relayout();
}

void TRadioGroup::setItems(const QStringList& items) {
    items_ = items;
    relayout();
    emit itemsChanged();
}

void TRadioGroup::addItem(const QString& item) {
    items_.append(item);
    relayout();
    emit itemsChanged();
}

void TRadioGroup::clearItems() {
    items_.clear();
    relayout();
    emit itemsChanged();
}

int TRadioGroup::itemIndex() const {
    return group_.checkedId();
}

void TRadioGroup::setItemIndex(int i) {
    if (QRadioButton* b = button(i)) {
        b->setChecked(true);
        return;
    }
    if (QAbstractButton* checked = group_.checkedButton()) {
        group_.setExclusive(false);
        checked->setChecked(false);
        group_.setExclusive(true);
    }
}

QString TRadioGroup::currentItem() const {
    const int i = itemIndex();
    return i >= 0 && i < items_.size() ? items_[i] : QString();
}

QRadioButton* TRadioGroup::button(int i) const {
    return qobject_cast<QRadioButton*>(group_.button(i));
}

void TRadioGroup::relayout() {
    for (QAbstractButton* b : group_.buttons()) {
        group_.removeButton(b);
        delete b;
    }
    // Items fill the first column top to bottom, then the next.
    const int rows = (static_cast<int>(items_.size()) + columns_ - 1) / columns_;
    for (int i = 0; i < items_.size(); ++i) {
        auto* b = new QRadioButton(items_[i], inner_);
        b->setObjectName(QStringLiteral("%1Item%2").arg(objectName()).arg(i));
        b->setToolTip(items_[i]); // long names may be cut off in a narrow column
        group_.addButton(b, i);
        grid_->addWidget(b, rows ? i % rows : 0, rows ? i / rows : 0);
    }
    grid_->setRowStretch(rows, 1);
}
