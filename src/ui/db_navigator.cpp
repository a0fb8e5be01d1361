#include "ui/db_navigator.h"

#include <QHBoxLayout>
#include <QStyle>

TDBNavigator::TDBNavigator(QWidget* parent) : QWidget(parent) {
    struct ButtonInfo {
        const char* name;
        const char* hint;
        QStyle::StandardPixmap icon;
    };
    static const ButtonInfo buttons[Count] = {
        {"nbFirst", "First record", QStyle::SP_MediaSkipBackward},
        {"nbPrior", "Prior record", QStyle::SP_MediaSeekBackward},
        {"nbNext", "Next record", QStyle::SP_MediaSeekForward},
        {"nbLast", "Last record", QStyle::SP_MediaSkipForward},
        {"nbInsert", "Insert record", QStyle::SP_FileDialogNewFolder},
        {"nbDelete", "Delete record", QStyle::SP_TrashIcon},
        {"nbEdit", "Edit record", QStyle::SP_FileDialogDetailedView},
        {"nbPost", "Post edit", QStyle::SP_DialogApplyButton},
        {"nbCancel", "Cancel edit", QStyle::SP_DialogCancelButton},
        {"nbRefresh", "Refresh data", QStyle::SP_BrowserReload},
    };
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    for (int i = 0; i < Count; ++i) {
        auto* b = new QToolButton(this);
        b->setObjectName(QString::fromLatin1(buttons[i].name));
        b->setAutoRaise(true);
        b->setIcon(style()->standardIcon(buttons[i].icon));
        b->setToolTip(QString::fromLatin1(buttons[i].hint));
        b->setAccessibleName(QString::fromLatin1(buttons[i].hint));
        b->setEnabled(false);
        b->setMinimumWidth(28);
        connect(b, &QToolButton::clicked, this, [this, i] { emit buttonClicked(Button(i)); });
        layout->addWidget(b);
        buttons_[i] = b;
    }
    layout->addStretch(1);
}
