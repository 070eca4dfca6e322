#include "transmission/export_check.h"

#include "data/dataset.h"
#include "data/engine_error.h"
#include "data/export_table.h"
#include "data/paradox/table_reader.h"
#include "platform/engine_config.h"

#include <QDate>
#include <QDateTime>
#include <QMap>

namespace meru {

namespace {

// One text per value, the same for a working value and its exported form: an
// empty text is a null, a date is a timestamp at midnight.
QString canonical(const QVariant& v) {
    if (!v.isValid() || v.isNull()) return {};
    switch (v.typeId()) {
    case QMetaType::QDate: return v.toDate().toString(Qt::ISODate);
    case QMetaType::QDateTime: {
        const QDateTime t = v.toDateTime();
        return t.time() == QTime(0, 0) ? t.date().toString(Qt::ISODate) : t.toString(Qt::ISODateWithMs);
    }
    case QMetaType::Double:
    case QMetaType::Float: return QString::number(v.toDouble(), 'g', 17);
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::Short: return QString::number(v.toLongLong());
    default: return v.toString();
    }
}

int rowNumberColumn(const std::vector<schema::FieldDef>& fields) {
    for (size_t i = 0; i < fields.size(); ++i)
        if (fields[i].type == schema::FieldType::Autoinc) return int(i);
    return -1;
}

QStringList canonicalRow(const std::vector<QVariant>& row) {
    QStringList texts;
    for (const QVariant& v : row) texts << canonical(v);
    return texts;
}

}  // namespace

void checkExport(Dataset& source, const ExportTable& written) {
    const auto& fields = written.declared().fields;
    const int key = rowNumberColumn(fields);
    const QString path = platform::mapDrivePath(written.tableName());

    QMap<QString, QStringList> expected;
    source.forEachRow([&](const Row& row) { expected.insert(canonical(row[key]), canonicalRow(row)); });
    const paradox::ParadoxContents disk = paradox::readTable(path);

    QStringList differences;
    const auto differ = [&](const QString& what) {
        if (differences.size() < 5) differences << what;
        else if (differences.size() == 5) differences << QStringLiteral("...");
    };
    if (disk.fields.size() != fields.size())
        differ(QStringLiteral("o arquivo tem %1 campos, %2 esperados").arg(disk.fields.size()).arg(fields.size()));
    QMap<QString, bool> seen;
    for (const auto& row : disk.rows) {
        if (int(row.size()) != int(fields.size())) continue;
        const QString id = canonical(row[key]);
        const auto wanted = expected.constFind(id);
        if (wanted == expected.constEnd()) {
            differ(QStringLiteral("linha %1 = %2 não foi selecionada").arg(fields[key].name, id));
        } else if (seen.contains(id)) {
            differ(QStringLiteral("linha %1 = %2 gravada duas vezes").arg(fields[key].name, id));
        } else {
            seen.insert(id, true);
            const QStringList got = canonicalRow(row);
            for (size_t c = 0; c < fields.size(); ++c)
                if (got[int(c)] != wanted.value()[int(c)])
                    differ(QStringLiteral("linha %1 = %2, campo %3: \"%4\" no disco, \"%5\" nos dados")
                               .arg(fields[key].name, id, fields[c].name, got[int(c)], wanted.value()[int(c)]));
        }
    }
    for (auto it = expected.constBegin(); it != expected.constEnd(); ++it)
        if (!seen.contains(it.key())) differ(QStringLiteral("linha %1 = %2 não está no disco").arg(fields[key].name, it.key()));
    if (!differences.isEmpty())
        throw EngineError(QStringLiteral("A tabela %1 lida de volta do disco difere dos dados:\n%2")
                              .arg(written.tableName(), differences.join(QLatin1Char('\n'))));
}

}  // namespace meru
