#include "ui/filter_bar.h"

#include "data/mysql_query.h"
#include "ui/data_source.h"
#include "ui/db_grid.h"
#include "ui/language.h"
#include "ui/object_names.h"
#include "ui/prompts.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>

TFilterBar::TFilterBar(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("FilterBar"));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(2, 1, 2, 1);
    layout->setSpacing(4);
    edtFilter = Named(new QLineEdit(this), "edtFilter");
    edtFilter->setClearButtonEnabled(true);
    lblFilter = LabelFor(edtFilter, "lblFilter");
    edtSearch = Named(new QLineEdit(this), "edtSearch");
    edtSearch->setClearButtonEnabled(true);
    lblSearch = LabelFor(edtSearch, "lblSearch");
    layout->addWidget(lblFilter);
    layout->addWidget(edtFilter, 3);
    layout->addWidget(lblSearch);
    layout->addWidget(edtSearch, 1);

    connect(edtFilter, &QLineEdit::returnPressed, this, [this] { applyFilter(); });
    connect(edtSearch, &QLineEdit::textEdited, this, [this] { search(); });
    connect(edtSearch, &QLineEdit::returnPressed, this, [this] { search(); });
    retranslateUi();
}

void TFilterBar::retranslateUi() {
    lblFilter->setText(tr("&Filter:"));
    edtFilter->setPlaceholderText(tr("for example QTY > 10 AND NAME LIKE 'a*'"));
    edtFilter->setToolTip(tr("An expression over the fields, applied with Enter; an empty text "
                             "shows every row"));
    lblSearch->setText(tr("&Search:"));
    edtSearch->setPlaceholderText(tr("in the current column"));
    edtSearch->setToolTip(tr("Goes to the first row whose value in the current column begins "
                             "with the text, without regard to case"));
}

void TFilterBar::setGrid(TDBGrid* grid) {
    grid_ = grid;
    if (grid && grid->dataSource())
        connect(grid->dataSource(), &TDataSource::dataEvent, this,
                [this](DataEvent event, TField* field) { dataEvent(event, field); });
    if (grid) {
        // Rows come into the grid as it reads on; the filter may fail on any of them.
        const auto check = [this] { reportFilterFault(); };
        connect(grid->model(), &QAbstractItemModel::rowsInserted, this, check);
        connect(grid->model(), &QAbstractItemModel::rowsRemoved, this, check);
        connect(grid->model(), &QAbstractItemModel::modelReset, this, check);
    }
}

void TFilterBar::reportFilterFault() {
    const TMySQLQuery* q = query();
    if (!q || q->FirstFilterFault().recNo == 0)
        return;
    const TMySQLQuery::FilterFault& fault = q->FirstFilterFault();
    const QString key = QString::fromStdString(q->Filter()) + QChar(0) +
                        QString::number(fault.recNo) + QChar(0) +
                        QString::fromStdString(fault.error);
    if (key == faultReported_)
        return;
    faultReported_ = key;
    const QString row = QString::number(fault.recNo);
    const QString error = QString::fromStdString(fault.error);
    // After the grid has finished taking its rows: a message box now would run events in the
    // middle of that.
    QTimer::singleShot(0, this, [row, error] {
        prompts().message(BiText(QStringLiteral("Rows the filter cannot judge are not shown. Row "
                                                "%1: %2"),
                                 QStringLiteral("Retci koje filtar ne može procijeniti nisu "
                                                "prikazani. Redak %1: %2"))
                              .arg(row, error),
                          PromptIcon::Warning);
    });
}

TMySQLQuery* TFilterBar::query() const {
    if (!grid_ || !grid_->dataSource())
        return nullptr;
    return dynamic_cast<TMySQLQuery*>(grid_->dataSource()->DataSet());
}

void TFilterBar::dataEvent(DataEvent event, TField*) {
    // A filter belongs to the rows it was typed for: another statement starts unfiltered.
    if (event != DataEvent::ActiveChanged)
        return;
    TMySQLQuery* q = query();
    if (!q || q->Active() || (q->Filter().empty() && !q->Filtered()))
        return;
    q->SetFiltered(false);
    q->SetFilter({});
    edtFilter->clear();
    edtSearch->clear();
}

bool TFilterBar::applyFilter() {
    TMySQLQuery* q = query();
    if (!q || !q->Active())
        return false;
    const std::string text = edtFilter->text().trimmed().toStdString();
    faultReported_.clear(); // a filter applied again is reported again
    try {
        if (text.empty()) {
            q->SetFiltered(false);
            q->SetFilter({});
        } else {
            q->SetFilter(text);
            q->SetFiltered(true);
        }
        reportFilterFault();
        return true;
    } catch (const std::exception& e) {
        // The typed text stays in the box, to be corrected.
        prompts().message(BiText(QStringLiteral("The filter was not applied: "),
                                 QStringLiteral("Filtar nije primijenjen: ")) +
                              QString::fromUtf8(e.what()),
                          PromptIcon::Error);
        edtFilter->setFocus();
        return false;
    }
}

bool TFilterBar::search() {
    TMySQLQuery* q = query();
    const QString text = edtSearch->text();
    if (!q || !q->Active() || q->FieldCount() == 0 || text.isEmpty())
        return false;
    int column = grid_->currentIndex().isValid() ? grid_->currentIndex().column() : 0;
    if (column < 0 || static_cast<std::size_t>(column) >= q->FieldCount())
        column = 0;
    try {
        if (q->Locate(std::to_string(column), {text.toStdString()},
                      loPartialKey | loCaseInsensitive))
            return true;
        prompts().beep();
    } catch (const std::exception& e) {
        prompts().message(QString::fromUtf8(e.what()), PromptIcon::Error);
    }
    return false;
}
