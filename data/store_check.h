#pragma once
// Checks of a working table's file: SQLite's integrity check of one table and
// its indexes, shared by the start-up rebuild and the opening of the database.

#include "data/sqlite_connection.h"

#include <QString>

namespace meru {

enum class TableCheck {
    Full,   // pages, constraints, and every index against the rows
    Quick,  // pages and constraints: enough to tell whether the rows can be read
};

// The problems the check finds in the table, one line each; empty when sound.
// A store too damaged to be checked at all gives its engine message as the one line.
QStringList tableDamage(sqlite::Connection& c, const QString& schemaName, const QString& table, TableCheck kind);

// The table's name as the store spells it (matched without regard to case);
// empty when the store has no such table. Raises when the file is no database.
QString storedTableName(sqlite::Connection& c, const QString& schemaName, const QString& name);

QString quotedName(const QString& name);

}  // namespace meru
