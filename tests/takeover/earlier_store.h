#pragma once
// An earlier installation for the tests: its four working tables as Paradox files
// in based/ of a temporary program directory, the rows each holds, and readers of
// what the store and the directory hold afterwards.

#include "paradox_writer.h"

#include <QTemporaryDir>
#include <map>

namespace meru::test {

struct EarlierStore {
    EarlierStore();

    QString programDir() const { return dir.path(); }
    QString based() const { return dir.path() + QStringLiteral("/based"); }
    QString file(const QString& name) const { return based() + QLatin1Char('/') + name; }
    QString ourMunicipalities() const { return dir.path() + QStringLiteral("/municipios.tsv"); }

    // Every table in the given version and code page; movimento with `invoices` rows.
    void writeAll(int version, int codePage, int invoices);
    void write(const QString& fileName, const PxTable& table);

    QTemporaryDir dir;
    std::map<QString, PxTable> tables;  // by file name
};

PxTable movimentoTable(int version, int codePage, int invoices);
PxTable cadastroTable(int version, int codePage);
PxTable municipiosTable(int version, int codePage);
PxTable referenciasTable(int version, int codePage);

// Every row of a store's table in rowid order, each value as the reader of the
// store gives it (QString, double, QDate, qint64; NULL invalid).
std::vector<std::vector<QVariant>> storedRows(const QString& dbFile, const schema::TableDef& def);
// Equal as values of the field type (an empty text is NULL).
bool sameValue(schema::FieldType type, const QVariant& stored, const QVariant& written);

// Relative path to bytes of every file under dir.
std::map<QString, QByteArray> snapshot(const QString& dir);

}  // namespace meru::test
