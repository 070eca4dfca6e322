#include "database.h"

#include "data/engine_error.h"
#include "data/store_check.h"
#include "data/value_codec.h"
#include "platform/engine_config.h"

#include <QDir>
#include <QFileInfo>

namespace meru {

namespace {

QString schemaName(const schema::TableDef& def) { return QStringLiteral("t_") + def.name.toLower(); }

// Checks that an attached file holds the table with the declared columns.
QString layoutProblem(sqlite::Connection& c, const schema::TableDef& def) {
    sqlite::Statement st(c.handle(), QStringLiteral("PRAGMA \"%1\".table_info(\"%2\")").arg(schemaName(def), def.name));
    size_t i = 0;
    while (st.step()) {
        if (i >= def.fields.size()) return QStringLiteral("it has more fields than declared");
        const QString column = st.column(1).toString();
        if (column.compare(def.fields[i].name, Qt::CaseInsensitive) != 0)
            return QStringLiteral("field %1 is %2, %3 expected").arg(i + 1).arg(column, def.fields[i].name);
        if (st.column(2).toString().compare(codec::sqlType(def.fields[i].type), Qt::CaseInsensitive) != 0)
            return QStringLiteral("field %1 has the wrong type").arg(def.fields[i].name);
        ++i;
    }
    if (i == 0) return QStringLiteral("the file holds no table %1").arg(def.name);
    if (i != def.fields.size()) return QStringLiteral("it has fewer fields than declared");
    return {};
}

}  // namespace

Database::Database(QObject* parent) : QObject(parent) { setObjectName(QStringLiteral("Database1")); }

Database::~Database() = default;

const schema::TableDef* Database::knownTable(const QString& name) {
    QString n = name.trimmed();
    if (n.endsWith(QLatin1String(".db"), Qt::CaseInsensitive)) n.chop(3);
    for (const schema::TableDef* def : schema::workingTables())
        if (def->name.compare(n, Qt::CaseInsensitive) == 0) return def;
    return nullptr;
}

void Database::open() {
    if (connected()) return;
    const QString dir = platform::EngineConfig::instance().aliasPath(aliasName_);
    if (dir.isEmpty()) throw EngineError(QStringLiteral("Unknown database alias: %1").arg(aliasName_));
    if (!QFileInfo(dir).isDir())
        throw EngineError(QStringLiteral("Directory not found: %1\nAlias: %2").arg(QDir::toNativeSeparators(dir), aliasName_));

    auto connection = std::make_unique<sqlite::Connection>();
    unavailable_.clear();
    for (const schema::TableDef* def : schema::workingTables()) {
        const QString file = QDir(dir).filePath(def->fileName);
        if (!QFileInfo::exists(file)) {
            unavailable_[def->name] = QStringLiteral("Table does not exist.\nFile: %1").arg(QDir::toNativeSeparators(file));
            continue;
        }
        QString problem;
        try {
            connection->execBound(QStringLiteral("ATTACH DATABASE ? AS \"%1\"").arg(schemaName(*def)), {file});
            connection->exec(QStringLiteral("PRAGMA \"%1\".journal_mode=WAL").arg(schemaName(*def)));
            connection->exec(QStringLiteral("PRAGMA \"%1\".synchronous=FULL").arg(schemaName(*def)));
            problem = layoutProblem(*connection, *def);
            if (problem.isEmpty()) {
                // The start-up rebuild has repaired what an index rebuild can repair;
                // rows it could not save must not reach a window.
                const QStringList damage = tableDamage(*connection, schemaName(*def), def->name, TableCheck::Quick);
                if (!damage.isEmpty()) {
                    unavailable_[def->name] = QStringLiteral("A tabela %1 está danificada e não pôde ser reparada.\n"
                                                             "Arquivo: %2\n%3")
                                                  .arg(def->name, QDir::toNativeSeparators(file), damage.first());
                    connection->exec(QStringLiteral("DETACH DATABASE \"%1\"").arg(schemaName(*def)));
                    continue;
                }
            }
        } catch (const EngineError& e) {
            problem = e.message();
        }
        if (!problem.isEmpty()) {
            unavailable_[def->name] = QStringLiteral("Table %1 cannot be opened: %2\nFile: %3")
                                          .arg(def->name, problem, QDir::toNativeSeparators(file));
            try {
                connection->exec(QStringLiteral("DETACH DATABASE \"%1\"").arg(schemaName(*def)));
            } catch (const EngineError&) {
            }
        }
    }
    directory_ = dir;
    connection_ = std::move(connection);
}

void Database::close() {
    connection_.reset();
    unavailable_.clear();
}

sqlite::Connection& Database::connection() const {
    if (!connection_) throw EngineError(QStringLiteral("Database %1 is not connected").arg(databaseName_));
    return *connection_;
}

const schema::TableDef& Database::table(const QString& name) const {
    const schema::TableDef* def = knownTable(name);
    if (!def) throw EngineError(QStringLiteral("Table does not exist.\nTable: %1").arg(name));
    connection();
    auto it = unavailable_.find(def->name);
    if (it != unavailable_.end()) throw EngineError(it.value());
    return *def;
}

QString Database::schemaOf(const schema::TableDef& def) { return schemaName(def); }

QString Database::qualifiedName(const schema::TableDef& def) const {
    return QStringLiteral("\"%1\".\"%2\"").arg(schemaName(def), def.name);
}

}  // namespace meru
