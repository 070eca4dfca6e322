#pragma once
// A query dataset of BANCO: SQL lines joined by line breaks, with named parameters
// (":cnpj") for every value that comes from the operator. A live query over one
// table ("select * from T ...") writes through to that table.

#include "data/dataset.h"

#include <QMap>
#include <QStringList>

namespace meru {

class TableAccess;
namespace sqlite { class Statement; }

class Query : public Dataset {
    Q_OBJECT
public:
    Query(const QString& name, Database* database, QObject* parent = nullptr);
    ~Query() override;

    // Changing the text closes the query.
    QStringList sql() const { return lines_; }
    void setSql(const QStringList& lines);
    void clearSql();
    void addSql(const QString& line);

    void setParam(const QString& name, const QVariant& value);

    bool requestLive() const { return live_; }
    void setRequestLive(bool on) { live_ = on; }
    bool readOnly() const override;

protected:
    std::vector<schema::FieldDef> prepare() override;
    std::vector<Slot> loadSlots() override;
    std::optional<Row> fetch(qint64 rowid) override;
    qint64 insertRow(const Row& values) override;
    void updateRow(qint64 rowid, const Row& values) override;
    void deleteRow(qint64 rowid) override;
    void released() override;

private:
    std::vector<Slot> run();
    void bindParams(sqlite::Statement& st) const;
    TableAccess& writer() const;

    QStringList lines_;
    QMap<QString, QVariant> params_;  // by lower-case name, without the colon
    bool live_ = false;
    QString executed_;
    std::unique_ptr<TableAccess> base_;  // the one table of a "select * from T" text
    std::vector<schema::FieldDef> resultFields_;
    std::optional<std::vector<Slot>> firstResult_;
};

}  // namespace meru
