#pragma once
// The tie between one bound control and one field of a data source's dataset. The
// field is looked up by name each time, because a dataset makes new field objects
// when it opens with another layout; the link tells its control whenever what the
// control shows may have changed (state, current row, or this field's value).

#include "data/data_source.h"

#include <QObject>
#include <QPointer>
#include <QString>

namespace meru::controls {

class FieldLink : public QObject {
    Q_OBJECT
public:
    explicit FieldLink(QObject* parent = nullptr);

    DataSource* dataSource() const { return source_; }
    void setDataSource(DataSource* source);
    QString fieldName() const { return fieldName_; }
    void setFieldName(const QString& name);

    Dataset* dataSet() const;
    // The bound field, or nullptr when there is no data source, dataset or such field.
    Field* field() const;
    // The dataset is open and the field exists: there is something to show.
    bool active() const;
    bool editing() const;
    // Editing, and the field takes a value (not an auto-increment, not a read-only dataset).
    bool canModify() const;

signals:
    void changed();

private:
    QPointer<DataSource> source_;
    QString fieldName_;
    QMetaObject::Connection state_, data_, field_, gone_;
};

}  // namespace meru::controls
