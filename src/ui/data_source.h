// The link between a dataset and the controls that show it (a grid, a navigator). Controls bind to
// a data source rather than to the dataset, so the dataset behind them can be replaced in one place
// and a dataset that goes away leaves them empty instead of dangling.
#pragma once

#include "data/dataset.h"

#include <QObject>
#include <QPointer>

class TDataSource : public QObject, private DataSetObserver {
    Q_OBJECT
public:
    explicit TDataSource(QObject* parent = nullptr);
    ~TDataSource() override;

    TDataSet* DataSet() const { return dataSet_; }
    void SetDataSet(TDataSet* dataSet);
    DataSetState State() const { return dataSet_ ? dataSet_->State() : DataSetState::Inactive; }

signals:
    // Another dataset (or none) is linked now.
    void dataSetReplaced();
    // An event of the linked dataset, passed on as it happens.
    void dataEvent(DataEvent event, TField* field);

private:
    void DataSetEvent(TDataSet& dataSet, DataEvent event, TField* field) override;

    TDataSet* dataSet_ = nullptr;
};

// Moves a control's link from the source it had to `source` (either may be null): the control's
// connections to the old source go. True when the control has a source now, to connect to.
bool RelinkDataSource(QPointer<TDataSource>& link, TDataSource* source, QObject* control);
