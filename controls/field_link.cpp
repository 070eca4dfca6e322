#include "controls/field_link.h"

#include "platform/message_service.h"

#include <QThread>
#include <QTimer>

namespace meru::controls {

FieldLink::FieldLink(QObject* parent) : QObject(parent) {}

void FieldLink::setDataSource(DataSource* source) {
    if (source_ == source) return;
    for (auto* c : {&state_, &data_, &field_, &gone_}) disconnect(*c);
    source_ = source;
    if (source_) {
        state_ = connect(source_, &DataSource::stateChanged, this, &FieldLink::changed);
        data_ = connect(source_, &DataSource::dataChanged, this, &FieldLink::changed);
        field_ = connect(source_, &DataSource::fieldChanged, this, [this](Field* f) {
            if (f && f == field()) emit changed();
        });
        gone_ = connect(source_, &QObject::destroyed, this, &FieldLink::changed, Qt::QueuedConnection);
    }
    emit changed();
}

void FieldLink::setFieldName(const QString& name) {
    if (fieldName_ == name) return;
    fieldName_ = name;
    emit changed();
}

Dataset* FieldLink::dataSet() const { return source_ ? source_->dataSet() : nullptr; }

Field* FieldLink::field() const {
    Dataset* ds = dataSet();
    return ds && !fieldName_.isEmpty() ? ds->findField(fieldName_) : nullptr;
}

bool FieldLink::active() const {
    Dataset* ds = dataSet();
    return ds && ds->active() && field();
}

bool FieldLink::editing() const {
    Dataset* ds = dataSet();
    return ds && isEditing(ds->state());
}

bool FieldLink::canModify() const {
    Field* f = field();
    return editing() && f && !f->readOnly() && !dataSet()->readOnly();
}

QString exceptionMessage(const std::exception_ptr& failure) {
    try {
        std::rethrow_exception(failure);
    } catch (const std::exception& e) {
        return QString::fromUtf8(e.what());
    } catch (...) {
        return {};
    }
}

void FieldLink::reportLater(const QString& message) {
    const bool scheduled = !pending_.isEmpty();
    pending_ = message.isEmpty() ? QStringLiteral("Erro desconhecido.") : message;
    if (scheduled) return;
    showReport(QThread::currentThread()->loopLevel());
}

void FieldLink::showReport(int loopLevel) {
    // Inside a box that a handler opened meanwhile (a nested event loop), the
    // report waits for the handler: it may yet meet this failure itself.
    const int delay = QThread::currentThread()->loopLevel() > loopLevel ? 50 : 0;
    QTimer::singleShot(delay, this, [this, loopLevel] {
        if (pending_.isEmpty()) return;
        if (QThread::currentThread()->loopLevel() > loopLevel) {
            showReport(loopLevel);
            return;
        }
        const QString message = std::exchange(pending_, QString());
        try {
            platform::messages().error(message);
        } catch (...) {
            // The error box itself failed; there is nobody left to tell.
        }
    });
}

void FieldLink::withdrawReport() { pending_.clear(); }

}  // namespace meru::controls
