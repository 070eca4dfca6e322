#pragma once
// A test-side writer of the Paradox working tables an earlier installation left:
// raw bytes, so that a test chooses the header version (Paradox 4: 0x05 ...
// Paradox 7: 0x0C), the code page, the block size and the autoinc counter, and
// can damage the result. Written from the file format, apart from the reader it
// tests.

#include "data/schema.h"

#include <QByteArray>
#include <QDate>
#include <QString>
#include <QVariant>
#include <vector>

namespace meru::test {

struct PxColumn {
    QString name;
    int type = 0;  // 0x01 Alpha, 0x02 Date, 0x03 Short, 0x04 Long, 0x06 Number, 0x16 Autoinc
    int size = 0;  // bytes
};

struct PxTable {
    int version = 0x0C;
    int codePage = 1252;
    int blockKb = 2;
    qint32 autoincCounter = 0;
    std::vector<PxColumn> columns;
    // Values in column order: QString, double, QDate, int; an invalid QVariant is NULL.
    std::vector<std::vector<QVariant>> rows;
};

// The columns of one of our working tables as the earlier installation declared
// them (a Paradox 4 table has no Autoinc: Long stands for it).
std::vector<PxColumn> columnsOf(const schema::TableDef& def, int version);

// Text in code page 1252 or 850 (the 850 bytes of the Portuguese letters only).
QByteArray encodeText(const QString& text, int codePage);

QByteArray paradoxBytes(const PxTable& table);
void writeParadox(const QString& path, const PxTable& table);

}  // namespace meru::test
