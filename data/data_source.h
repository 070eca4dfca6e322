#pragma once
// Links a dataset to the controls bound to it and reports every change of the
// dataset's state (opening and closing included) and of its data.

#include "data/dataset.h"

#include <QObject>
#include <QPointer>

namespace meru {

class DataSource : public QObject {
    Q_OBJECT
public:
    DataSource(const QString& name, Dataset* dataset = nullptr, QObject* parent = nullptr);

    Dataset* dataSet() const { return dataset_; }
    void setDataSet(Dataset* dataset);
    // Controls never put the dataset into edit state by themselves.
    bool autoEdit() const { return false; }
    DatasetState state() const { return dataset_ ? dataset_->state() : DatasetState::Inactive; }

signals:
    void stateChanged(meru::DatasetState state);
    void dataChanged();
    void fieldChanged(meru::Field* field);

private:
    QPointer<Dataset> dataset_;
    QMetaObject::Connection c1_, c2_, c3_;
};

}  // namespace meru
