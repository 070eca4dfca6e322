#pragma once
// The tie between one bound control and one field of a data source's dataset. The
// field is looked up by name each time, because a dataset makes new field objects
// when it opens with another layout; the link tells its control whenever what the
// control shows may have changed (state, current row, or this field's value).
//
// It is also the one way a bound control tells the operator of a failure: controls
// never throw and never open a box themselves. A refused input (a value the field
// cannot take, typed and then left) is handed to reportLater(), which shows it in
// the application's error box once the event being handled is over, so never from
// inside a dataset's notification or a focus change, and not while a box that a
// handler opened meanwhile is up. When a window's handler meets the same failure
// first (its save calls the edit's updateRecord(), which raises), the control
// withdraws its report and the handler's box is the one box.

#include "data/data_source.h"

#include <QObject>
#include <exception>
#include <QPointer>
#include <QString>

namespace meru::controls {

// The message of a failure, for reportLater(); empty when it carries none.
QString exceptionMessage(const std::exception_ptr& failure);

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

    // Shows `message` in an error box when the event loop next runs at this
    // level; a second report before then replaces the first.
    void reportLater(const QString& message);
    // Drops a report not yet shown.
    void withdrawReport();
    bool reportPending() const { return !pending_.isEmpty(); }

signals:
    void changed();

private:
    QPointer<DataSource> source_;
    QString fieldName_;
    QMetaObject::Connection state_, data_, field_, gone_;
    void showReport(int loopLevel);

    QString pending_;
};

}  // namespace meru::controls
