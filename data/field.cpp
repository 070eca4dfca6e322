#include "field.h"

#include "data/dataset.h"
#include "data/engine_error.h"
#include "data/paradox/windows1252.h"
#include "platform/locale.h"

#include <QDate>
#include <QDateTime>
#include <QLocale>
#include <algorithm>

namespace meru {

using schema::FieldType;

namespace {

bool hasDigit(const QString& text) {
    for (QChar c : text)
        if (c.isDigit()) return true;
    return false;
}

bool isControl(QChar c) {
    return c.category() == QChar::Other_Control || c == QChar::LineSeparator || c == QChar::ParagraphSeparator;
}

// The character, as the messages name it: "'ő' (U+0151)".
QString describe(const QString& text, qsizetype position) { return paradox::describeCharacter(text, position); }

qsizetype firstOutsideCodePage(const QString& text) {
    if (std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x80; })) return -1;
    // A fresh encoder each time: Qt's code-page encoder keeps its error flag
    // across resetState(), so a reused one would refuse every text after a bad one.
    paradox::Windows1252Encoder encoder;
    return encoder.encode(text) ? -1 : encoder.badPosition();
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

void Field::setEditMask(const QString& mask) {
    if (mask == mask_.source()) return;
    try {
        mask_ = platform::EditMask::parse(mask);
    } catch (const std::invalid_argument&) {
        throw EngineError(QString::fromUtf8("Máscara de edição inválida para o campo %1: \"%2\".").arg(def_.name, mask));
    }
}

QString Field::maskedTextOf(const QVariant& v) const {
    if (mask_.isEmpty() || v.isNull() || !v.isValid()) return displayTextOf(v);
    return mask_.displayTextFor(textOf(v));
}

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
    const QLocale locale;
    switch (def_.type) {
    case FieldType::Alpha: {
        for (qsizetype i = 0; i < text.size(); ++i)
            if (isControl(text[i]))
                throw EngineError(QString::fromUtf8("O campo %1 não aceita quebras de linha, tabulações nem outros "
                                                    "caracteres de controle (%2).")
                                      .arg(def_.name, describe(text, i)));
        if (const qsizetype bad = firstOutsideCodePage(text); bad >= 0)
            throw EngineError(
                QString::fromUtf8("O campo %1 não aceita o caractere %2.").arg(def_.name, describe(text, bad)));
        return text.isEmpty() ? QVariant() : QVariant(text);
    }
    case FieldType::Number: {
        if (text.trimmed().isEmpty()) return {};
        const std::optional<double> d = platform::readNumber(text, locale);
        if (!d)
            throw EngineError(QString::fromUtf8("'%1' não é um valor válido para o campo %2. Digite o valor como em %3.")
                                  .arg(text, def_.name, locale.toString(1234.56, 'f', 2)));
        return *d;
    }
    case FieldType::Date:
    case FieldType::Timestamp: {
        if (!hasDigit(text)) return {};
        const QDate d = platform::readDate(text, locale);
        if (!d.isValid())
            throw EngineError(QString::fromUtf8("'%1' não é uma data válida para o campo %2. Digite a data como em %3.")
                                  .arg(text, def_.name, locale.toString(QDate(2004, 3, 15), QLocale::ShortFormat)));
        if (def_.type == FieldType::Date) return d;
        return QDateTime(d, QTime(0, 0));
    }
    case FieldType::Short:
    case FieldType::Autoinc: {
        const QString t = text.trimmed();
        if (t.isEmpty()) return {};
        bool ok = false;
        const qint64 n = t.toLongLong(&ok);
        if (!ok)
            throw EngineError(QString::fromUtf8("'%1' não é um número inteiro válido para o campo %2.").arg(text, def_.name));
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
            throw EngineError(QString::fromUtf8("O campo %1 aceita no máximo %2 caracteres.").arg(def_.name).arg(def_.width));
        return s;
    }
    case FieldType::Number: {
        if (v.typeId() == QMetaType::QString) return parse(v.toString());
        bool ok = false;
        const double d = v.toDouble(&ok);
        if (!ok)
            throw EngineError(QString::fromUtf8("'%1' não é um valor válido para o campo %2.").arg(v.toString(), def_.name));
        return d;
    }
    case FieldType::Date: {
        if (v.typeId() == QMetaType::QString) return parse(v.toString());
        const QDate d = v.typeId() == QMetaType::QDateTime ? v.toDateTime().date() : v.toDate();
        if (!d.isValid())
            throw EngineError(QString::fromUtf8("'%1' não é uma data válida para o campo %2.").arg(v.toString(), def_.name));
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
        if (!ok)
            throw EngineError(
                QString::fromUtf8("'%1' não é um número inteiro válido para o campo %2.").arg(v.toString(), def_.name));
        if (def_.type == FieldType::Short && (n < -32768 || n > 32767))
            throw EngineError(QString::fromUtf8("%1 está fora dos limites do campo %2 (de -32768 a 32767).")
                                  .arg(n)
                                  .arg(def_.name));
        return n;
    }
    }
    return {};
}

}  // namespace meru
