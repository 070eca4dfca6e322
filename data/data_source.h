#pragma once
// Links a dataset to the controls bound to it and reports every change of the
// dataset's state (opening and closing included) and of its data. A change of the
// dataset itself reports its rows afresh.

#include "data/dataset.h"

#include <QObject>
#include <QPointer>
#include <vector>

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
    // The dataset's changes of its visible rows (Dataset's signals of the same names).
    void rowsAboutToBeReset();
    void rowsReset();
    void rowAboutToBeInserted(int row);
    void rowInserted(int row);
    void rowAboutToBeRemoved(int row);
    void rowRemoved(int row);
    void rowChanged(int row);

private:
    QPointer<Dataset> dataset_;
    std::vector<QMetaObject::Connection> links_;
};

}  // namespace meru
