#pragma once
// Reads a Paradox table back, for checks and tests, independently of the code
// that writes it: header values from the file's own bytes, records through pxlib,
// and NULLs from the raw record bytes (pxlib 0.6.8 reads a NULL Date, Long or
// Autoinc as -2147483648).

#include <QString>
#include <QVariant>
#include <vector>

namespace meru::paradox {

struct FieldInfo {
    QString name;    // decoded from Windows-1252
    int pxType = 0;  // pxlib's code: pxfAlpha 0x01, pxfDate 0x02, pxfShort 0x03,
                     // pxfNumber 0x06, pxfTimestamp 0x15, pxfAutoInc 0x16
    int size = 0;    // bytes; the width of an Alpha field
};

struct ParadoxContents {
    int fileType = -1;        // header 0x04: 0 keyed .DB, 1 .PX, 2 unkeyed .DB
    int recordCount = 0;      // header 0x06
    int recordsInBlocks = 0;  // counted by walking the data block chain
    int keyFieldCount = 0;    // header 0x23
    int codePage = 0;         // header 0x6A
    int version = 0;          // header byte 0x39: 0x0C for Paradox 7
    qint32 autoincCounter = 0;  // header 0x49
    QString tableName;
    std::vector<FieldInfo> fields;
    // In file order. NULL is an invalid QVariant; otherwise QString (Alpha), double
    // (Number), QDate (Date), QDateTime in UTC with the stored wall-clock time
    // (Timestamp), int (Short, Autoinc).
    std::vector<std::vector<QVariant>> rows;
};

// Throws EngineError when the file cannot be read as a Paradox table.
ParadoxContents readTable(const QString& dbPath);

struct PrimaryIndexContents {
    int fileType = -1;       // 1 for a primary index
    int entryCount = 0;      // index records (header 0x06)
    QString tableName;
    int dataBlocks = 0;      // entries that point at data blocks of the table
    int indexedRecords = 0;  // records those entries count
    bool attachesToTable = false;  // pxlib accepts it as the table's primary index
};

// Throws EngineError when the index or its table cannot be read.
PrimaryIndexContents readPrimaryIndex(const QString& pxPath, const QString& dbPath);

}  // namespace meru::paradox
