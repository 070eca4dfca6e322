#include "working_store.h"

#include "data/engine_error.h"
#include "data/sqlite_connection.h"
#include "data/value_codec.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>

namespace meru {

QString createTableSql(const schema::TableDef& table) {
    QStringList columns;
    for (const auto& f : table.fields) {
        QString c = QStringLiteral("\"%1\" %2").arg(f.name, codec::sqlType(f.type));
        if (f.type == schema::FieldType::Autoinc) c += QStringLiteral(" PRIMARY KEY AUTOINCREMENT");
        if (f.type == schema::FieldType::Alpha)
            c += QStringLiteral(" CHECK (length(\"%1\") <= %2)").arg(f.name).arg(f.width);
        if (f.type == schema::FieldType::Short)
            c += QStringLiteral(" CHECK (\"%1\" BETWEEN -32768 AND 32767)").arg(f.name);
        columns << c;
    }
    QString sql = QStringLiteral("CREATE TABLE \"%1\" (%2);").arg(table.name, columns.join(QStringLiteral(", ")));
    int n = 0;
    for (const QStringList& index : table.indexes) {
        QStringList quoted;
        for (const QString& c : index) quoted << QLatin1Char('"') + c + QLatin1Char('"');
        sql += QStringLiteral("CREATE INDEX \"%1_ix%2\" ON \"%1\" (%3);")
                   .arg(table.name)
                   .arg(++n)
                   .arg(quoted.join(QStringLiteral(", ")));
    }
    return sql;
}

void createWorkingTable(const schema::TableDef& table, const QString& filePath) {
    sqlite::Connection c(filePath, sqlite::Connection::Mode::Create);
    c.exec(QStringLiteral("PRAGMA journal_mode=WAL;"));
    c.exec(createTableSql(table));
}

int loadMunicipalities(const QString& filePath, const QString& tsvPath) {
    QFile in(tsvPath);
    if (!in.open(QIODevice::ReadOnly | QIODevice::Text))
        throw EngineError(QStringLiteral("Cannot read the municipalities list: %1").arg(tsvPath));
    QTextStream text(&in);
    text.setEncoding(QStringConverter::Utf8);
    sqlite::Connection c(filePath, sqlite::Connection::Mode::Create);
    c.exec(QStringLiteral("BEGIN"));
    sqlite::Statement st(c.handle(), QStringLiteral("INSERT INTO MUNICIPIOS (AR_CODNOVO, AR_DESCR) VALUES (?, ?)"));
    int count = 0;
    bool header = true;
    while (!text.atEnd()) {
        const QString line = text.readLine();
        if (header) {
            header = false;
            continue;
        }
        if (line.trimmed().isEmpty()) continue;
        const QStringList parts = line.split(QLatin1Char('\t'));
        if (parts.size() < 2) throw EngineError(QStringLiteral("Bad line in the municipalities list: %1").arg(line));
        st.reset();
        st.bind(1, parts[0].trimmed());
        st.bind(2, parts[1].trimmed());
        st.step();
        ++count;
    }
    c.exec(QStringLiteral("COMMIT"));
    return count;
}

void createWorkingStore(const QString& basedDir, const QString& municipiosTsv) {
    if (QFileInfo::exists(basedDir))
        throw EngineError(QStringLiteral("%1 exists already; it is left as it is").arg(basedDir));
    // Build beside, then rename, so that an interrupted build leaves no half store.
    const QString building = basedDir + QStringLiteral(".new");
    QDir(building).removeRecursively();
    if (!QDir().mkpath(building)) throw EngineError(QStringLiteral("Cannot create %1").arg(building));
    for (const schema::TableDef* def : schema::workingTables())
        createWorkingTable(*def, QDir(building).filePath(def->fileName));
    if (!municipiosTsv.isEmpty())
        loadMunicipalities(QDir(building).filePath(schema::municipios().fileName), municipiosTsv);
    if (!QDir().rename(building, basedDir)) throw EngineError(QStringLiteral("Cannot create %1").arg(basedDir));
}

}  // namespace meru
