#include "value_codec.h"

#include <QDate>
#include <QDateTime>

namespace meru::codec {

using schema::FieldType;

QVariant toStorage(FieldType type, const QVariant& value) {
    if (value.isNull() || !value.isValid()) return {};
    switch (type) {
    case FieldType::Alpha: {
        const QString s = value.toString();
        return s.isEmpty() ? QVariant() : QVariant(s);
    }
    case FieldType::Number: return QVariant(value.toDouble());
    case FieldType::Date: return QVariant(value.toDate().toString(Qt::ISODate));
    case FieldType::Timestamp: return QVariant(value.toDateTime().toString(Qt::ISODateWithMs));
    case FieldType::Short:
    case FieldType::Autoinc: return QVariant(value.toLongLong());
    }
    return {};
}

QVariant fromStorage(FieldType type, const QVariant& stored) {
    if (stored.isNull() || !stored.isValid()) return {};
    switch (type) {
    case FieldType::Alpha: {
        const QString s = stored.toString();
        return s.isEmpty() ? QVariant() : QVariant(s);
    }
    case FieldType::Number: return QVariant(stored.toDouble());
    case FieldType::Date: {
        const QDate d = QDate::fromString(stored.toString(), Qt::ISODate);
        return d.isValid() ? QVariant(d) : QVariant();
    }
    case FieldType::Timestamp: {
        const QDateTime t = QDateTime::fromString(stored.toString(), Qt::ISODateWithMs);
        return t.isValid() ? QVariant(t) : QVariant();
    }
    case FieldType::Short:
    case FieldType::Autoinc: return QVariant(stored.toLongLong());
    }
    return {};
}

QString sqlType(FieldType type) {
    switch (type) {
    case FieldType::Alpha:
    case FieldType::Date:
    case FieldType::Timestamp: return QStringLiteral("TEXT");
    case FieldType::Number: return QStringLiteral("REAL");
    case FieldType::Short:
    case FieldType::Autoinc: return QStringLiteral("INTEGER");
    }
    return {};
}

}  // namespace meru::codec
