#include "ui/data_source.h"

TDataSource::TDataSource(QObject* parent) : QObject(parent) {}

TDataSource::~TDataSource() {
    if (dataSet_)
        dataSet_->RemoveObserver(this);
}

void TDataSource::SetDataSet(TDataSet* dataSet) {
    if (dataSet == dataSet_)
        return;
    if (dataSet_)
        dataSet_->RemoveObserver(this);
    dataSet_ = dataSet;
    if (dataSet_)
        dataSet_->AddObserver(this);
    emit dataSetReplaced();
}

void TDataSource::DataSetEvent(TDataSet& dataSet, DataEvent event, TField* field) {
    if (event == DataEvent::Destroying) {
        dataSet.RemoveObserver(this);
        dataSet_ = nullptr;
        emit dataSetReplaced();
        return;
    }
    emit dataEvent(event, field);
}
