// The navigator bar of a data grid: first, prior, next, last, insert, delete, edit, post, cancel
// and refresh. Bound to a data source, each button is enabled when its operation makes sense for
// the dataset's state and position, and a click runs that operation on the dataset; a failure is
// shown to the operator with the dataset's text and leaves the row as it was.
#pragma once

#include "ui/data_source.h"
#include "ui/retranslatable.h"

#include <QPointer>
#include <QToolButton>
#include <QWidget>
#include <array>

class TDBNavigator : public QWidget, public Retranslatable {
    Q_OBJECT
public:
    enum Button { First, Prior, Next, Last, Insert, Delete, Edit, Post, Cancel, Refresh, Count };
    explicit TDBNavigator(QWidget* parent = nullptr);
    QToolButton* button(Button b) const { return buttons_[b]; }

    TDataSource* dataSource() const { return source_; }
    void setDataSource(TDataSource* source);

    // Runs the operation of a button on the dataset (as a click does).
    void BtnClick(Button b);
    void retranslateUi() override;

signals:
    void buttonClicked(TDBNavigator::Button b);

private:
    void updateButtons();

    std::array<QToolButton*, Count> buttons_{};
    QPointer<TDataSource> source_;
};
