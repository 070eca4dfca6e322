#include "data_source.h"

namespace meru {

DataSource::DataSource(const QString& name, Dataset* dataset, QObject* parent) : QObject(parent) {
    setObjectName(name);
    setDataSet(dataset);
}

void DataSource::setDataSet(Dataset* dataset) {
    disconnect(c1_);
    disconnect(c2_);
    disconnect(c3_);
    dataset_ = dataset;
    if (dataset_) {
        c1_ = connect(dataset_, &Dataset::stateChanged, this, &DataSource::stateChanged);
        c2_ = connect(dataset_, &Dataset::dataChanged, this, &DataSource::dataChanged);
        c3_ = connect(dataset_, &Dataset::fieldChanged, this, &DataSource::fieldChanged);
    }
    emit stateChanged(state());
    emit dataChanged();
}

}  // namespace meru
