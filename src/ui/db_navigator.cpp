#include "ui/db_navigator.h"

#include "ui/data_errors.h"
#include "ui/object_names.h"
#include "ui/prompts.h"

#include <QHBoxLayout>
#include <QStyle>

TDBNavigator::TDBNavigator(QWidget* parent) : QWidget(parent) {
    struct ButtonInfo {
        const char* name;
        QStyle::StandardPixmap icon;
    };
    static const ButtonInfo buttons[Count] = {
        {"nbFirst", QStyle::SP_MediaSkipBackward},     {"nbPrior", QStyle::SP_MediaSeekBackward},
        {"nbNext", QStyle::SP_MediaSeekForward},       {"nbLast", QStyle::SP_MediaSkipForward},
        {"nbInsert", QStyle::SP_FileDialogNewFolder},  {"nbDelete", QStyle::SP_TrashIcon},
        {"nbEdit", QStyle::SP_FileDialogDetailedView}, {"nbPost", QStyle::SP_DialogApplyButton},
        {"nbCancel", QStyle::SP_DialogCancelButton},   {"nbRefresh", QStyle::SP_BrowserReload},
    };
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    for (int i = 0; i < Count; ++i) {
        auto* b = Named(new QToolButton(this), buttons[i].name);
        b->setAutoRaise(true);
        b->setIcon(style()->standardIcon(buttons[i].icon));
        b->setEnabled(false);
        b->setMinimumWidth(28);
        connect(b, &QToolButton::clicked, this, [this, i] { BtnClick(Button(i)); });
        layout->addWidget(b);
        buttons_[i] = b;
    }
    layout->addStretch(1);
    retranslateUi();
}

void TDBNavigator::retranslateUi() {
    const QString hints[Count] = {
        tr("First record"),  tr("Prior record"),  tr("Next record"), tr("Last record"),
        tr("Insert record"), tr("Delete record"), tr("Edit record"), tr("Post edit"),
        tr("Cancel edit"),   tr("Refresh data"),
    };
    for (int i = 0; i < Count; ++i) {
        buttons_[i]->setToolTip(hints[i]);
        buttons_[i]->setAccessibleName(hints[i]);
    }
}

void TDBNavigator::setDataSource(TDataSource* source) {
    if (RelinkDataSource(source_, source, this)) {
        connect(source_, &TDataSource::dataSetReplaced, this, &TDBNavigator::updateButtons);
        connect(source_, &TDataSource::dataEvent, this, &TDBNavigator::updateButtons);
        connect(source_, &QObject::destroyed, this, &TDBNavigator::updateButtons,
                Qt::QueuedConnection);
    }
    updateButtons();
}

void TDBNavigator::updateButtons() {
    TDataSet* ds = source_ ? source_->DataSet() : nullptr;
    std::array<bool, Count> on{};
    if (ds && ds->Active()) {
        const bool editing =
            ds->State() == DataSetState::Edit || ds->State() == DataSetState::Insert;
        const bool canModify = ds->CanModify();
        on[First] = on[Prior] = !ds->Bof();
        on[Next] = on[Last] = !ds->Eof();
        on[Insert] = canModify;
        on[Delete] = canModify && (!ds->IsEmpty() || ds->State() == DataSetState::Insert);
        on[Edit] = canModify && !editing;
        on[Post] = on[Cancel] = editing;
        on[Refresh] = true;
    }
    for (int i = 0; i < Count; ++i)
        buttons_[i]->setEnabled(on[i]);
}

void TDBNavigator::BtnClick(Button b) {
    emit buttonClicked(b);
    TDataSet* ds = source_ ? source_->DataSet() : nullptr;
    if (!ds)
        return;
    // What each button runs, in the order of Button.
    static constexpr void (TDataSet::*kActions[Count])() = {
        &TDataSet::First,  &TDataSet::Prior, &TDataSet::Next, &TDataSet::Last,   &TDataSet::Insert,
        &TDataSet::Delete, &TDataSet::Edit,  &TDataSet::Post, &TDataSet::Cancel, &TDataSet::Refresh,
    };
    // A row being inserted goes without asking; a stored one only when the operator says so.
    const bool confirmed = b != Delete || ds->State() == DataSetState::Insert ||
                           prompts().askYesNo(tr("Delete record?"));
    try {
        if (b >= First && b < Count && confirmed)
            (ds->*kActions[b])();
    } catch (const std::exception& e) {
        prompts().message(DataErrorText(e), PromptIcon::Error);
    }
    updateButtons();
}
