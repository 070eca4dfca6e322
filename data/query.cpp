#include "query.h"

#include "data/database.h"
#include "data/engine_error.h"
#include "data/sql_statement.h"
#include "data/table_access.h"
#include "data/value_codec.h"

#include <QRegularExpression>

namespace meru {

Query::Query(const QString& name, Database* database, QObject* parent) : Dataset(name, database, parent) {}

Query::~Query() = default;

void Query::setSql(const QStringList& lines) {
    close();
    lines_ = lines;
}

void Query::clearSql() {
    close();
    lines_.clear();
}

void Query::addSql(const QString& line) {
    close();
    lines_ << line;
}

void Query::setParam(const QString& name, const QVariant& value) {
    QString key = name.toLower();
    if (key.startsWith(QLatin1Char(':'))) key.remove(0, 1);
    params_[key] = value;
}

bool Query::readOnly() const { return !live_ || !base_; }

TableAccess& Query::writer() const {
    if (readOnly()) throw EngineError(QStringLiteral("%1: Cannot modify a read-only dataset").arg(name()));
    return *base_;
}

void Query::bindParams(sqlite::Statement& st) const {
    for (int i = 1; i <= st.parameterCount(); ++i) {
        QString key = st.parameterName(i).toLower();
        if (key.isEmpty()) throw EngineError(QStringLiteral("%1: parameters must be named").arg(name()));
        key.remove(0, 1);
        auto it = params_.find(key);
        if (it == params_.end())
            throw EngineError(QStringLiteral("%1: Parameter '%2' has no value").arg(name(), key));
        st.bind(i, it.value());
    }
}

std::vector<schema::FieldDef> Query::prepare() {
    const QString text = lines_.join(QLatin1Char('\n'));
    if (text.trimmed().isEmpty()) throw EngineError(QStringLiteral("%1: No SQL statement available").arg(name()));
    database()->connection();

    static const QRegularExpression simple(QStringLiteral(R"(^\s*select\s+\*\s+from\s+(\w+(?:\.db)?)(\s.*)?$)"),
                                           QRegularExpression::CaseInsensitiveOption |
                                               QRegularExpression::DotMatchesEverythingOption |
                                               QRegularExpression::UseUnicodePropertiesOption);
    base_.reset();
    resultFields_.clear();
    const auto match = simple.match(text);
    if (match.hasMatch() && Database::knownTable(match.captured(1))) {
        const schema::TableDef& def = database()->table(match.captured(1));
        base_ = std::make_unique<TableAccess>(*database(), def);
        executed_ = QStringLiteral("SELECT rowid, %1 FROM %2%3")
                        .arg(base_->columnList(), base_->qualifiedName(), match.captured(2));
        resultFields_ = def.fields;
    } else {
        executed_ = text;
    }
    requireOneStatement(database()->connection().handle(), executed_, name());
    firstResult_ = run();
    return resultFields_;
}

std::vector<Dataset::Slot> Query::run() {
    sqlite::Statement st(database()->connection().handle(), executed_);
    bindParams(st);
    std::vector<Slot> out;
    if (base_) {
        while (st.step()) out.push_back(Slot{st.columnInt(0), base_->read(st, 1)});
        return out;
    }
    // Another shape of text: its columns as the statement yields them, read-only.
    const bool describe = resultFields_.empty();
    if (describe) {
        for (int i = 0; i < st.columnCount(); ++i) {
            const QString type = st.declaredType(i).toUpper();
            schema::FieldType t = schema::FieldType::Alpha;
            if (type == QLatin1String("REAL")) t = schema::FieldType::Number;
            if (type == QLatin1String("INTEGER")) t = schema::FieldType::Autoinc;
            resultFields_.push_back({st.columnName(i), t, t == schema::FieldType::Alpha ? 255 : 0});
        }
    }
    qint64 n = 0;
    while (st.step()) {
        Row row(resultFields_.size());
        for (size_t i = 0; i < resultFields_.size(); ++i)
            row[i] = codec::fromStorage(resultFields_[i].type, st.column(int(i)));
        out.push_back(Slot{++n, std::move(row)});
    }
    return out;
}

std::vector<Dataset::Slot> Query::loadSlots() {
    if (firstResult_) {
        auto rows = std::move(*firstResult_);
        firstResult_.reset();
        return rows;
    }
    return run();
}

std::optional<Row> Query::fetch(qint64 rowid) {
    if (!base_) return std::nullopt;
    return base_->fetch(rowid);
}

qint64 Query::insertRow(const Row& values) { return writer().insert(values); }

void Query::updateRow(qint64 rowid, const Row& values) { writer().update(rowid, values); }

void Query::deleteRow(qint64 rowid) { writer().remove(rowid); }

void Query::released() {
    base_.reset();
    firstResult_.reset();
}

}  // namespace meru
