#include "data/paradox/record_encoder.h"

#include "data/engine_error.h"

#include <QDate>
#include <QDateTime>
#include <cmath>
#include <cstring>
#include <limits>

namespace meru::paradox {

using schema::FieldType;

namespace {

constexpr qint64 kMsPerDay = 86'400'000;
// Paradox counts days from 0001-01-01 = 1.
constexpr qint64 kJulianDayOfDayZero = 1'721'425;

bool isNullValue(const QVariant& v) {
    if (v.isNull()) return true;
    switch (v.typeId()) {
    case QMetaType::QString: return v.toString().isEmpty();
    case QMetaType::QDate: return v.toDate().isNull();
    case QMetaType::QDateTime: return v.toDateTime().isNull();
    default: return false;
    }
}

bool isInteger(const QVariant& v) {
    switch (v.typeId()) {
    case QMetaType::Int: case QMetaType::UInt: case QMetaType::LongLong:
    case QMetaType::ULongLong: case QMetaType::Short: case QMetaType::UShort:
    case QMetaType::Long: case QMetaType::ULong:
        return true;
    default:
        return false;
    }
}

bool isNumber(const QVariant& v) {
    return isInteger(v) || v.typeId() == QMetaType::Double || v.typeId() == QMetaType::Float;
}

// Integers beyond 64 signed bits are clamped so that the range check refuses them.
qint64 integerOf(const QVariant& v) {
    if (v.typeId() == QMetaType::ULongLong || v.typeId() == QMetaType::ULong) {
        const qulonglong u = v.toULongLong();
        return u > qulonglong(std::numeric_limits<qint64>::max()) ? std::numeric_limits<qint64>::max()
                                                                  : qint64(u);
    }
    return v.toLongLong();
}

bool dateInRange(const QDate& d) { return d.isValid() && d.year() >= 1 && d.year() <= 9999; }

QString fieldLabel(const FieldLayout& f) {
    return QStringLiteral("Field %1 (%2)").arg(f.name, describeType(f.type, f.width));
}

}  // namespace

RecordEncoder::RecordEncoder(const RecordLayout& layout) : layout_(layout) {}

void RecordEncoder::refuseType(const FieldLayout& f, const QVariant& v) const {
    throw EngineError(QStringLiteral("%1: a value of type %2 cannot be stored in it.")
                          .arg(fieldLabel(f), QString::fromLatin1(v.metaType().name())));
}

void RecordEncoder::encodeText(const FieldLayout& f, const QVariant& v, char* out) {
    if (v.typeId() != QMetaType::QString) refuseType(f, v);
    const QString s = v.toString();
    if (!text_.encode(s))
        throw EngineError(QStringLiteral("%1: the character %2 cannot be stored in code page 1252.")
                              .arg(fieldLabel(f), describeCharacter(s, text_.badPosition())));
    if (text_.size() > f.size)
        throw EngineError(QStringLiteral("%1: the text \"%2\" takes %3 bytes, the field holds %4.")
                              .arg(fieldLabel(f), s)
                              .arg(text_.size())
                              .arg(f.size));
    std::memcpy(out, text_.data(), size_t(text_.size()));
}

void RecordEncoder::encode(const std::vector<QVariant>& values, char* record, qint32 nextAutoinc,
                           qint32* autoincStored) {
    if (values.size() != layout_.fields.size())
        throw EngineError(QStringLiteral("The row has %1 values; the table has %2 fields.")
                              .arg(values.size())
                              .arg(layout_.fields.size()));
    std::memset(record, 0, size_t(layout_.recordSize));
    pxdoc_t* doc = doc_.get();
    for (size_t i = 0; i < values.size(); ++i) {
        const FieldLayout& f = layout_.fields[i];
        const QVariant& v = values[i];
        char* out = record + f.offset;
        if (isNullValue(v)) {
            if (f.type == FieldType::Autoinc) {
                if (nextAutoinc < 1)
                    throw EngineError(QStringLiteral("%1: the table's counter is exhausted.").arg(fieldLabel(f)));
                PX_put_data_long(doc, out, 4, nextAutoinc);
                if (autoincStored) *autoincStored = nextAutoinc;
            }
            continue;  // NULL is all zero bytes
        }
        switch (f.type) {
        case FieldType::Alpha:
            encodeText(f, v, out);
            break;
        case FieldType::Number: {
            if (!isNumber(v)) refuseType(f, v);
            double d = v.toDouble();
            if (!std::isfinite(d))
                throw EngineError(QStringLiteral("%1: %2 is not a number it can hold.")
                                      .arg(fieldLabel(f), v.toString()));
            if (d == 0.0) d = 0.0;  // -0 and +0 are one key
            PX_put_data_double(doc, out, 8, d);
            break;
        }
        case FieldType::Date: {
            if (v.typeId() != QMetaType::QDate) refuseType(f, v);
            const QDate d = v.toDate();
            if (!dateInRange(d))
                throw EngineError(QStringLiteral("%1: the date %2 is out of range.")
                                      .arg(fieldLabel(f), d.toString(Qt::ISODate)));
            PX_put_data_long(doc, out, 4, int(d.toJulianDay() - kJulianDayOfDayZero));
            break;
        }
        case FieldType::Timestamp: {
            QDate date;
            QTime time(0, 0);
            if (v.typeId() == QMetaType::QDate) {
                date = v.toDate();
            } else if (v.typeId() == QMetaType::QDateTime) {
                // The wall-clock date and time as given; no time zone is applied.
                const QDateTime dt = v.toDateTime();
                date = dt.date();
                time = dt.time();
            } else {
                refuseType(f, v);
            }
            if (!dateInRange(date) || !time.isValid())
                throw EngineError(QStringLiteral("%1: the date and time %2 is out of range.")
                                      .arg(fieldLabel(f), v.toString()));
            const qint64 ms = (date.toJulianDay() - kJulianDayOfDayZero) * kMsPerDay +
                              time.msecsSinceStartOfDay();
            PX_put_data_double(doc, out, 8, double(ms));
            break;
        }
        case FieldType::Short: {
            if (!isInteger(v)) refuseType(f, v);
            const qint64 n = integerOf(v);
            // -32768 would be stored as all zero bytes, which reads as NULL.
            if (n < -32767 || n > 32767)
                throw EngineError(QStringLiteral("%1: %2 is out of range (-32767 to 32767).")
                                      .arg(fieldLabel(f), v.toString()));
            PX_put_data_short(doc, out, 2, short(n));
            break;
        }
        case FieldType::Autoinc: {
            if (!isInteger(v)) refuseType(f, v);
            const qint64 n = integerOf(v);
            if (n < 1 || n > std::numeric_limits<qint32>::max())
                throw EngineError(QStringLiteral("%1: %2 is out of range (1 to 2147483647).")
                                      .arg(fieldLabel(f), v.toString()));
            PX_put_data_long(doc, out, 4, int(n));
            if (autoincStored) *autoincStored = qint32(n);
            break;
        }
        }
    }
}

}  // namespace meru::paradox
