#pragma once
// The connection BANCO: one SQLite connection to which every working table file of
// the alias directory is attached. Table names resolve without regard to case.

#include "data/schema.h"
#include "data/sqlite_connection.h"

#include <QMap>
#include <QObject>
#include <memory>

namespace meru {

class Database : public QObject {
    Q_OBJECT
public:
    explicit Database(QObject* parent = nullptr);
    ~Database() override;

    QString databaseName() const { return databaseName_; }
    void setDatabaseName(const QString& name) { databaseName_ = name; }
    QString aliasName() const { return aliasName_; }
    void setAliasName(const QString& alias) { aliasName_ = alias; }
    bool loginPrompt() const { return false; }

    // Resolves the alias and attaches the table files found there; raises the
    // engine's message when the alias names no existing directory.
    void open();
    void close();
    bool connected() const { return connection_ != nullptr; }
    QString directory() const { return directory_; }
    // The tables that could not be attached, each with the reason: missing,
    // not a table of ours, or damaged beyond what the start-up rebuild repairs.
    const QMap<QString, QString>& unavailableTables() const { return unavailable_; }

    sqlite::Connection& connection() const;
    // The table of that name (CADASTRO, movimento, movimento.DB); raises when
    // the table is unknown or its file is missing or does not match its layout.
    const schema::TableDef& table(const QString& name) const;
    // The table's name as SQL must write it: schema-qualified and quoted.
    QString qualifiedName(const schema::TableDef& table) const;
    static const schema::TableDef* knownTable(const QString& name);
    // The name under which the table's file is attached to the connection.
    static QString schemaOf(const schema::TableDef& table);

private:
    QString databaseName_ = QStringLiteral("BANCO");
    QString aliasName_ = QStringLiteral("MERUDBPX");
    QString directory_;
    std::unique_ptr<sqlite::Connection> connection_;
    QMap<QString, QString> unavailable_;  // table name -> why it cannot be opened
};

}  // namespace meru
