#pragma once
// How a field's value is kept in the SQLite store and in memory.
//   Alpha: QString (empty is NULL); Number: double; Date: QDate, stored as
//   "yyyy-MM-dd"; Timestamp: QDateTime, stored ISO; Short and Autoinc: qint64.

#include "data/schema.h"

#include <QVariant>

namespace meru::codec {

QVariant toStorage(schema::FieldType type, const QVariant& value);
QVariant fromStorage(schema::FieldType type, const QVariant& stored);
QString sqlType(schema::FieldType type);

}  // namespace meru::codec
