#include "ui/data_source.h"

TDataSource::TDataSource(QObject* parent) : QObject(parent) {}

TDataSource::~TDataSource() {
    WatchDataSet(this, dataSet_, nullptr);
}

void TDataSource::SetDataSet(TDataSet* dataSet) {
    if (WatchDataSet(this, dataSet_, dataSet))
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

bool RelinkDataSource(QPointer<TDataSource>& link, TDataSource* source, QObject* control) {
    if (link)
        QObject::disconnect(link, nullptr, control, nullptr);
    link = source;
    return link != nullptr;
}
