// The bar above the data grid: a filter expression for the rows (applied on Enter, an empty text
// shows every row again) and a search in the grid's current column (the first row whose value
// begins with the typed text, without regard to case, becomes current as one types).
#pragma once

#include "ui/retranslatable.h"

#include <QPointer>
#include <QWidget>

class QLabel;
class QLineEdit;
class TDBGrid;
class TMySQLQuery;
enum class DataEvent;
class TField;

class TFilterBar : public QWidget, public Retranslatable {
    Q_OBJECT
public:
    explicit TFilterBar(QWidget* parent = nullptr);

    // The grid whose dataset is filtered and searched.
    void setGrid(TDBGrid* grid);

    void retranslateUi() override;

    QLabel* lblFilter;
    QLineEdit* edtFilter;
    QLabel* lblSearch;
    QLineEdit* edtSearch;

    // Applies the filter text; answers whether it was taken.
    bool applyFilter();
    // Looks for the search text in the current column; answers whether a row was found.
    bool search();

private:
    TMySQLQuery* query() const;
    void dataEvent(DataEvent event, TField* field);
    // Tells the operator, once per filter, of the first row the filter could not judge (it is
    // not shown); the grid may meet such a row at any time as it reads on.
    void reportFilterFault();

    QPointer<TDBGrid> grid_;
    QString faultReported_; // the filter and row last reported
};
