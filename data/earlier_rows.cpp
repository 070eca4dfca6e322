#include "data/earlier_rows.h"

#include "data/engine_error.h"
#include "data/paradox/windows1252.h"

#include <QDir>
#include <cmath>

namespace meru {

using schema::FieldType;

namespace {

bool typeFits(FieldType ours, int theirs) {
    switch (ours) {
    case FieldType::Alpha: return theirs == paradox::kPxAlpha;
    case FieldType::Number: return theirs == paradox::kPxNumber;
    case FieldType::Date: return theirs == paradox::kPxDate;
    case FieldType::Timestamp: return theirs == paradox::kPxTimestamp;
    case FieldType::Short: return theirs == paradox::kPxShort;
    case FieldType::Autoinc: return theirs == paradox::kPxAutoinc || theirs == paradox::kPxLong;
    }
    return false;
}

QString pxTypeName(int type) {
    switch (type) {
    case paradox::kPxAlpha: return QStringLiteral("Alpha");
    case paradox::kPxDate: return QStringLiteral("Date");
    case paradox::kPxShort: return QStringLiteral("Short");
    case paradox::kPxLong: return QStringLiteral("Long");
    case paradox::kPxNumber: return QStringLiteral("Number");
    case paradox::kPxTimestamp: return QStringLiteral("Timestamp");
    case paradox::kPxAutoinc: return QStringLiteral("Autoinc");
    default: return QStringLiteral("tipo 0x%1").arg(type, 2, 16, QLatin1Char('0'));
    }
}

}  // namespace

EarlierRows::EarlierRows(const schema::TableDef& def, const paradox::EarlierTable& table)
    : def_(def), table_(table) {
    const QString file = QDir::toNativeSeparators(table.path());
    auto refuse = [&](const QString& why) {
        throw EngineError(QStringLiteral("A tabela %1 da instalação anterior não tem os campos de %2: %3.")
                              .arg(file, def.name, why));
    };
    for (const schema::FieldDef& f : def.fields) {
        const paradox::EarlierField* found = nullptr;
        for (const paradox::EarlierField& theirs : table.fields())
            if (theirs.name.compare(f.name, Qt::CaseInsensitive) == 0) found = &theirs;
        if (!found) refuse(QStringLiteral("falta o campo %1").arg(f.name));
        if (!typeFits(f.type, found->type))
            refuse(QStringLiteral("o campo %1 é %2 e o MERU o guarda como %3")
                       .arg(found->name, pxTypeName(found->type), schema::typeName(f.type)));
        source_.push_back(found);
    }
    for (const paradox::EarlierField& theirs : table.fields())
        if (!def.field(theirs.name)) refuse(QStringLiteral("o campo %1 não existe no MERU").arg(theirs.name));
}

void EarlierRows::refuseRow(int row, const QString& field, const QString& why) const {
    throw EngineError(QStringLiteral("A tabela %1 da instalação anterior não pode ser tomada: "
                                     "o registro %2, campo %3, %4.")
                          .arg(QDir::toNativeSeparators(table_.path()))
                          .arg(row)
                          .arg(field, why));
}

void EarlierRows::read(int row, const char* record, std::vector<QVariant>& values) const {
    thread_local paradox::Windows1252Encoder encoder;
    values.resize(def_.fields.size());
    for (size_t i = 0; i < def_.fields.size(); ++i) {
        const schema::FieldDef& f = def_.fields[i];
        const paradox::EarlierField& src = *source_[i];
        const char* p = record + src.offset;
        QVariant& v = values[i];
        if (paradox::isNullValue(p, src.size)) {
            if (f.type == FieldType::Autoinc) refuseRow(row, f.name, QStringLiteral("não tem número"));
            v = QVariant();
            continue;
        }
        switch (f.type) {
        case FieldType::Alpha: {
            const QString text = table_.text().decode(p, src.size);
            if (text.size() > f.width)
                refuseRow(row, f.name, QStringLiteral("tem %1 caracteres e o MERU guarda no máximo %2")
                                           .arg(text.size())
                                           .arg(f.width));
            if (!encoder.encode(text))
                refuseRow(row, f.name, QStringLiteral("tem o caractere %1, que o disquete não pode levar")
                                           .arg(paradox::describeCharacter(text, encoder.badPosition())));
            v = text.isEmpty() ? QVariant() : QVariant(text);
            break;
        }
        case FieldType::Number: {
            const double d = paradox::numberValue(p);
            if (!std::isfinite(d)) refuseRow(row, f.name, QStringLiteral("não tem um número válido"));
            v = d;
            break;
        }
        case FieldType::Date: {
            const QDate d = paradox::dateValue(p);
            if (!d.isValid() || d.year() > 9999) refuseRow(row, f.name, QStringLiteral("não tem uma data válida"));
            v = d.toString(Qt::ISODate);
            break;
        }
        case FieldType::Short: v = qint64(paradox::shortValue(p)); break;
        case FieldType::Autoinc: v = qint64(paradox::longValue(p)); break;
        case FieldType::Timestamp: refuseRow(row, f.name, QStringLiteral("é de um tipo que nenhuma tabela de trabalho tem"));
        }
    }
}

}  // namespace meru
