#include "ui/dual_list_dialog.h"

#include "ui/object_names.h"
#include "ui/prompts.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include <utility>

namespace {

QStringList Entries(const QListWidget* list) {
    QStringList entries;
    for (int i = 0; i < list->count(); ++i)
        entries.append(list->item(i)->text());
    return entries;
}

QPushButton* NewButton(QWidget* parent, const char* name, const QString& glyph) {
    auto* button = Named(new QPushButton(glyph, parent), name);
    button->setAutoDefault(false);
    return button;
}

} // namespace

TDualListDialog::TDualListDialog(QWidget* parent) : QDialog(parent) {
    SrcLabel = Named(new QLabel(this), "SrcLabel");
    DstLabel = Named(new QLabel(this), "DstLabel");
    SrcList = Named(new QListWidget(this), "SrcList");
    DstList = Named(new QListWidget(this), "DstList");
    for (QListWidget* list : {SrcList, DstList})
        list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    SrcLabel->setBuddy(SrcList);
    DstLabel->setBuddy(DstList);

    IncludeBtn = NewButton(this, "IncludeBtn", QStringLiteral(">"));
    IncAllBtn = NewButton(this, "IncAllBtn", QStringLiteral(">>"));
    ExcludeBtn = NewButton(this, "ExcludeBtn", QStringLiteral("<"));
    ExAllBtn = NewButton(this, "ExAllBtn", QStringLiteral("<<"));
    OKBtn = NewButton(this, "OKBtn", QString());
    OKBtn->setDefault(true);
    CancelBtn = NewButton(this, "CancelBtn", QString());

    auto* moves = new QVBoxLayout;
    moves->addStretch();
    for (QPushButton* button : {IncludeBtn, IncAllBtn, ExcludeBtn, ExAllBtn})
        moves->addWidget(button);
    moves->addStretch();

    auto* lists = new QGridLayout;
    lists->addWidget(SrcLabel, 0, 0);
    lists->addWidget(DstLabel, 0, 2);
    lists->addWidget(SrcList, 1, 0);
    lists->addLayout(moves, 1, 1);
    lists->addWidget(DstList, 1, 2);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OKBtn);
    buttons->addWidget(CancelBtn);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(lists);
    layout->addLayout(buttons);
    resize(420, 300);

    connect(IncludeBtn, &QPushButton::clicked, this, [this] { Move(SrcList, DstList, false); });
    connect(IncAllBtn, &QPushButton::clicked, this, [this] { Move(SrcList, DstList, true); });
    connect(ExcludeBtn, &QPushButton::clicked, this, [this] { Move(DstList, SrcList, false); });
    connect(ExAllBtn, &QPushButton::clicked, this, [this] { Move(DstList, SrcList, true); });
    // A double click moves the entry clicked.
    for (auto [from, to] : {std::pair{SrcList, DstList}, std::pair{DstList, SrcList}})
        connect(from, &QListWidget::itemDoubleClicked, this,
                [this, from, to](QListWidgetItem* item) {
                    from->clearSelection();
                    item->setSelected(true);
                    Move(from, to, false);
                });
    for (QListWidget* list : {SrcList, DstList})
        connect(list, &QListWidget::itemSelectionChanged, this, &TDualListDialog::UpdateButtons);
    connect(OKBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    retranslateUi();
}

void TDualListDialog::setTitle(const QString& title) {
    setWindowTitle(title);
}

void TDualListDialog::setSorted(bool sorted) {
    sorted_ = sorted;
}

bool TDualListDialog::Execute() {
    for (QListWidget* list : {SrcList, DstList}) {
        list->clear();
        list->setSortingEnabled(sorted_);
    }
    SrcList->addItems(list1_);
    DstList->addItems(list2_);
    UpdateButtons();
    if (prompts().runDialog(*this) != QDialog::Accepted)
        return false;
    list1_ = Entries(SrcList);
    list2_ = Entries(DstList);
    return true;
}

void TDualListDialog::Move(QListWidget* from, QListWidget* to, bool all) {
    // Taken from the bottom up so the rows still to take keep their numbers, then added in order.
    QStringList moved;
    for (int i = from->count() - 1; i >= 0; --i) {
        if (all || from->item(i)->isSelected()) {
            moved.prepend(from->item(i)->text());
            delete from->takeItem(i);
        }
    }
    to->addItems(moved);
    UpdateButtons();
}

void TDualListDialog::UpdateButtons() {
    IncludeBtn->setEnabled(!SrcList->selectedItems().isEmpty());
    IncAllBtn->setEnabled(SrcList->count() > 0);
    ExcludeBtn->setEnabled(!DstList->selectedItems().isEmpty());
    ExAllBtn->setEnabled(DstList->count() > 0);
}

void TDualListDialog::retranslateUi() {
    SrcLabel->setText(tr("&Available:"));
    DstLabel->setText(tr("C&hosen:"));
    IncludeBtn->setAccessibleName(tr("Include"));
    IncAllBtn->setAccessibleName(tr("Include all"));
    ExcludeBtn->setAccessibleName(tr("Exclude"));
    ExAllBtn->setAccessibleName(tr("Exclude all"));
    for (QPushButton* button : {IncludeBtn, IncAllBtn, ExcludeBtn, ExAllBtn})
        button->setToolTip(button->accessibleName());
    OKBtn->setText(tr("OK"));
    CancelBtn->setText(tr("Cancel"));
}
