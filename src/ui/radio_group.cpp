#include "ui/radio_group.h"

#include <QApplication>
#include <QDateTime>
#include <QGridLayout>
#include <QKeyEvent>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QVBoxLayout>

#include <algorithm>

TRadioGroup::TRadioGroup(QWidget* parent) : QGroupBox(parent) {
    group_.setExclusive(true);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(4, 2, 4, 4);
    scroll_ = new QScrollArea(this);
    scroll_->setFrameShape(QFrame::NoFrame);
    scroll_->setWidgetResizable(true);
    scroll_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
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
    for (int i = 0; i < items_.size(); ++i) {
        auto* b = new QRadioButton(items_[i], inner_);
        b->setObjectName(QStringLiteral("%1Item%2").arg(objectName()).arg(i));
        b->setToolTip(items_[i]);
        group_.addButton(b, i);
    }
    placeButtons(true);
}

int TRadioGroup::columnsThatFit() const {
    const QList<QAbstractButton*> buttons = group_.buttons();
    if (columns_ <= 1 || buttons.isEmpty())
        return 1;
    // Items fill the first column top to bottom, then the next; each column is as wide as its
    // widest item.
    const int n = static_cast<int>(buttons.size());
    const int rows = (n + columns_ - 1) / columns_;
    int needed = grid_->horizontalSpacing() * (columns_ - 1);
    int height = 0;
    for (int c = 0; c < columns_; ++c) {
        int widest = 0;
        for (int i = c * rows; i < std::min(n, (c + 1) * rows); ++i) {
            const QSize hint = group_.button(i)->sizeHint();
            widest = std::max(widest, hint.width());
            if (c == 0)
                height += hint.height() + std::max(0, grid_->verticalSpacing());
        }
        needed += widest;
    }
    int available = scroll_->maximumViewportSize().width();
    if (height > scroll_->maximumViewportSize().height())
        available -= style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, scroll_);
    return needed <= available ? columns_ : 1;
}

void TRadioGroup::placeButtons(bool always) {
    const int columns = columnsThatFit();
    if (!always && columns == shownColumns_)
        return;
    shownColumns_ = columns;
    const int n = static_cast<int>(items_.size());
    const int rows = (n + columns - 1) / columns;
    for (int i = 0; i < n; ++i)
        grid_->removeWidget(group_.button(i));
    grid_->setRowStretch(stretchRow_, 0);
    for (int i = 0; i < n; ++i)
        grid_->addWidget(group_.button(i), rows ? i % rows : 0, rows ? i / rows : 0);
    stretchRow_ = rows;
    grid_->setRowStretch(stretchRow_, 1);
}

void TRadioGroup::resizeEvent(QResizeEvent* event) {
    QGroupBox::resizeEvent(event);
    placeButtons(false);
}

void TRadioGroup::keyPressEvent(QKeyEvent* event) {
    const QString text = event->text();
    if (text.isEmpty() || !text.at(0).isPrint() || items_.isEmpty()) {
        QGroupBox::keyPressEvent(event);
        return;
    }
    // Letters typed in quick succession make one prefix; the search starts after the item that
    // has the focus when a new prefix begins.
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    const bool more = now - typedAt_ < QApplication::keyboardInputInterval() && !typed_.isEmpty();
    typed_ = more ? typed_ + text : text;
    typedAt_ = now;
    int from = 0;
    for (int i = 0; i < items_.size(); ++i)
        if (group_.button(i)->hasFocus())
            from = more ? i : i + 1;
    for (int k = 0; k < items_.size(); ++k) {
        const int i = (from + k) % static_cast<int>(items_.size());
        if (items_[i].startsWith(typed_, Qt::CaseInsensitive)) {
            group_.button(i)->setFocus(Qt::OtherFocusReason);
            scroll_->ensureWidgetVisible(group_.button(i));
            break;
        }
    }
    event->accept();
}
