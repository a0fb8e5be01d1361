// The navigator bar of a data grid: first, prior, next, last, insert, delete, edit, post, cancel
// and refresh.
#pragma once

#include <QToolButton>
#include <QWidget>
#include <array>

class TDBNavigator : public QWidget {
    Q_OBJECT
public:
    enum Button { First, Prior, Next, Last, Insert, Delete, Edit, Post, Cancel, Refresh, Count };
    explicit TDBNavigator(QWidget* parent = nullptr);
    QToolButton* button(Button b) const { return buttons_[b]; }

signals:
    void buttonClicked(TDBNavigator::Button b);

private:
    std::array<QToolButton*, Count> buttons_{};
};
