#include "field.h"

#include "data/dataset.h"
#include "data/engine_error.h"

#include <QDate>
#include <QDateTime>
#include <QLocale>

namespace meru {

using schema::FieldType;

namespace {

bool hasDigit(const QString& text) {
    for (QChar c : text)
        if (c.isDigit()) return true;
    return false;
}

QDate parseDate(const QString& text) {
    const QLocale locale;
    const QString trimmed = text.trimmed();
    for (const QString& format : {locale.dateFormat(QLocale::ShortFormat), QStringLiteral("dd/MM/yyyy"),
                                  QStringLiteral("d/M/yyyy"), QStringLiteral("dd/MM/yy")}) {
        QDate d = locale.toDate(trimmed, format);
        if (d.isValid()) {
            if (format.endsWith(QLatin1String("/yy")) && d.year() < 1950) d = d.addYears(100);
            return d;
        }
    }
    return {};
}

}  // namespace

Field::Field(Dataset* dataset, int index, const schema::FieldDef& def)
    : dataset_(dataset), index_(index), def_(def) {}

QString Field::name() const { return dataset_->name() + def_.name; }

QVariant Field::value() const { return dataset_->fieldValue(index_); }

void Field::setValue(const QVariant& value) { dataset_->setFieldValue(index_, value); }

bool Field::isNull() const { return value().isNull(); }

void Field::clear() { setValue(QVariant()); }

QString Field::asString() const { return textOf(value()); }

void Field::setAsString(const QString& text) { setValue(parse(text)); }

QString Field::displayText() const { return displayTextOf(value()); }

QString Field::textOf(const QVariant& v) const {
    if (v.isNull() || !v.isValid()) return {};
    if (def_.type == FieldType::Alpha) return v.toString();
    const QLocale locale;
    switch (def_.type) {
    case FieldType::Alpha: break;
    case FieldType::Number: {
        QLocale plain = locale;
        plain.setNumberOptions(QLocale::OmitGroupSeparator);
        return plain.toString(v.toDouble(), 'g', 15);
    }
    case FieldType::Date: return locale.toString(v.toDate(), QLocale::ShortFormat);
    case FieldType::Timestamp: return locale.toString(v.toDateTime(), QLocale::ShortFormat);
    case FieldType::Short:
    case FieldType::Autoinc: return QString::number(v.toLongLong());
    }
    return {};
}

QString Field::displayTextOf(const QVariant& v) const {
    if (v.isNull() || !v.isValid()) return {};
    if (def_.type == FieldType::Number && currency_) return QLocale().toCurrencyString(v.toDouble());
    return textOf(v);
}

QVariant Field::parse(const QString& text) const {
    switch (def_.type) {
    case FieldType::Alpha:
        return text.isEmpty() ? QVariant() : QVariant(text);
    case FieldType::Number: {
        const QString t = text.trimmed();
        if (t.isEmpty()) return {};
        QString digits = t;
        const QLocale locale;
        digits.remove(locale.currencySymbol());
        bool ok = false;
        double d = locale.toDouble(digits.trimmed(), &ok);
        if (!ok) d = QLocale::c().toDouble(digits.trimmed(), &ok);
        if (!ok) throw EngineError(QStringLiteral("'%1' is not a valid floating point value").arg(text));
        return d;
    }
    case FieldType::Date:
    case FieldType::Timestamp: {
        if (!hasDigit(text)) return {};
        const QDate d = parseDate(text);
        if (!d.isValid()) throw EngineError(QStringLiteral("'%1' is not a valid date").arg(text));
        if (def_.type == FieldType::Date) return d;
        return QDateTime(d, QTime(0, 0));
    }
    case FieldType::Short:
    case FieldType::Autoinc: {
        const QString t = text.trimmed();
        if (t.isEmpty()) return {};
        bool ok = false;
        const qint64 n = t.toLongLong(&ok);
        if (!ok) throw EngineError(QStringLiteral("'%1' is not a valid integer value").arg(text));
        return normalized(n);
    }
    }
    return {};
}

QVariant Field::normalized(const QVariant& v) const {
    if (v.isNull() || !v.isValid()) return {};
    switch (def_.type) {
    case FieldType::Alpha: {
        const QString s = v.toString();
        if (s.isEmpty()) return {};
        if (s.size() > def_.width)
            throw EngineError(QStringLiteral("Field '%1' holds at most %2 characters")
                                  .arg(def_.name)
                                  .arg(def_.width));
        return s;
    }
    case FieldType::Number: {
        if (v.typeId() == QMetaType::QString) return parse(v.toString());
        bool ok = false;
        const double d = v.toDouble(&ok);
        if (!ok) throw EngineError(QStringLiteral("'%1' is not a valid floating point value").arg(v.toString()));
        return d;
    }
    case FieldType::Date: {
        if (v.typeId() == QMetaType::QString) return parse(v.toString());
        const QDate d = v.typeId() == QMetaType::QDateTime ? v.toDateTime().date() : v.toDate();
        if (!d.isValid()) throw EngineError(QStringLiteral("'%1' is not a valid date").arg(v.toString()));
        return d;
    }
    case FieldType::Timestamp: {
        if (v.typeId() == QMetaType::QString) return parse(v.toString());
        if (v.typeId() == QMetaType::QDate) return QDateTime(v.toDate(), QTime(0, 0));
        return v.toDateTime();
    }
    case FieldType::Short:
    case FieldType::Autoinc: {
        if (v.typeId() == QMetaType::QString) return parse(v.toString());
        bool ok = false;
        const qint64 n = v.toLongLong(&ok);
        if (!ok) throw EngineError(QStringLiteral("'%1' is not a valid integer value").arg(v.toString()));
        if (def_.type == FieldType::Short && (n < -32768 || n > 32767))
            throw EngineError(QStringLiteral("%1 is not a valid value for field '%2'. The allowed range is -32768 to 32767")
                                  .arg(n)
                                  .arg(def_.name));
        return n;
    }
    }
    return {};
}

}  // namespace meru
