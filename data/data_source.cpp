#include "data_source.h"

namespace meru {

DataSource::DataSource(const QString& name, Dataset* dataset, QObject* parent) : QObject(parent) {
    setObjectName(name);
    setDataSet(dataset);
}

void DataSource::setDataSet(Dataset* dataset) {
    emit rowsAboutToBeReset();
    for (const auto& link : links_) disconnect(link);
    links_.clear();
    dataset_ = dataset;
    if (dataset_) {
        links_ = {
            connect(dataset_, &Dataset::stateChanged, this, &DataSource::stateChanged),
            connect(dataset_, &Dataset::dataChanged, this, &DataSource::dataChanged),
            connect(dataset_, &Dataset::fieldChanged, this, &DataSource::fieldChanged),
            connect(dataset_, &Dataset::rowsAboutToBeReset, this, &DataSource::rowsAboutToBeReset),
            connect(dataset_, &Dataset::rowsReset, this, &DataSource::rowsReset),
            connect(dataset_, &Dataset::rowAboutToBeInserted, this, &DataSource::rowAboutToBeInserted),
            connect(dataset_, &Dataset::rowInserted, this, &DataSource::rowInserted),
            connect(dataset_, &Dataset::rowAboutToBeRemoved, this, &DataSource::rowAboutToBeRemoved),
            connect(dataset_, &Dataset::rowRemoved, this, &DataSource::rowRemoved),
            connect(dataset_, &Dataset::rowChanged, this, &DataSource::rowChanged),
        };
    }
    emit rowsReset();
    emit stateChanged(state());
    emit dataChanged();
}

}  // namespace meru
