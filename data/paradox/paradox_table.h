#pragma once
// A Paradox table opened by its file path (the export tables on the diskette):
// open, append rows, close. Rows are checked as they are appended and reach the
// file when the table is closed, which rewrites it with every record in key order
// and rebuilds its primary index. Keys order as their record bytes: Alpha by its
// Windows-1252 bytes (so "B" before "a", "É" after "z"), numbers, dates and
// timestamps by value, NULL first.

#include "data/paradox/create_table.h"
#include "data/paradox/record_layout.h"
#include "data/paradox/table_files.h"
#include "data/schema.h"

#include <QString>
#include <QVariant>
#include <memory>
#include <vector>

namespace meru::paradox {

class RecordEncoder;
class RecordStore;

class ParadoxTable {
public:
    explicit ParadoxTable(const schema::TableDef& declared);
    ~ParadoxTable();  // an open table is dropped: rows not yet closed are lost
    ParadoxTable(const ParadoxTable&) = delete;
    ParadoxTable& operator=(const ParadoxTable&) = delete;

    // `path` is a file path (a:\ already mapped). Throws EngineError when the
    // directory is missing ("Drive not ready."), the file is missing ("Table does
    // not exist."), it is not a readable Paradox table, or its fields or key differ
    // from the declared ones. The records already in the table are kept.
    void open(const QString& path);

    // Values in field order: QString for Alpha (null or empty: NULL), a number for
    // Number, QDate for Date, QDateTime or QDate (midnight) for Timestamp, an
    // integer for Short and Autoinc (null: the table's counter + 1). Throws
    // EngineError, taking nothing, for a value the field cannot hold as it is
    // (a character outside code page 1252, a text longer than the field, a wrong
    // type, a value out of range) and for a key the table already holds.
    void append(const std::vector<QVariant>& values);

    // Writes the table and its primary index, replacing the files only once both
    // are complete. The table is closed afterwards even when this throws; the file
    // is then as it was at open. Nothing is written when nothing was appended.
    void close();

    bool isOpen() const { return store_ != nullptr; }
    int recordCount() const;  // existing and appended; 0 when closed
    QString path() const { return path_; }

private:
    void readExisting(const QString& path);

    const RecordLayout layout_;
    std::unique_ptr<RecordEncoder> encoder_;
    std::unique_ptr<RecordStore> store_;
    TableDescription description_;
    QString path_;
    std::vector<char> scratch_;
    qint32 headerCounter_ = 0;
    qint32 highestAutoinc_ = 0;
    int appended_ = 0;
};

}  // namespace meru::paradox
