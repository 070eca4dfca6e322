#pragma once
// A working table of an earlier installation, read from the bytes of its Paradox
// file: versions 4 to 7 (header byte 0x39 from 0x05 to 0x0C), code pages 1252
// and 850. Nothing of pxlib is used, so NULLs, version 4 headers and code page
// 850 are read as the file holds them. The whole file is read and checked when
// the table is opened: header, field list and the chain of data blocks.

#include "data/paradox/code_page_text.h"

#include <QByteArray>
#include <QDate>
#include <QString>
#include <functional>
#include <optional>
#include <vector>

namespace meru::paradox {

// Paradox field type codes.
enum PxType : int {
    kPxAlpha = 0x01, kPxDate = 0x02, kPxShort = 0x03, kPxLong = 0x04,
    kPxNumber = 0x06, kPxTimestamp = 0x15, kPxAutoinc = 0x16,
};

struct EarlierField {
    QString name;  // decoded in the file's code page
    int type = 0;  // PxType
    int size = 0;  // bytes in the record
    int offset = 0;
};

class EarlierTable {
public:
    // Throws EngineError, with a message in Portuguese naming the file, when the
    // file cannot be read whole as such a table.
    explicit EarlierTable(const QString& path);

    const QString& path() const { return path_; }
    int version() const { return version_; }
    int codePage() const { return text_.codePage(); }
    qint32 autoincCounter() const { return autoincCounter_; }
    int recordCount() const { return recordCount_; }
    const std::vector<EarlierField>& fields() const { return fields_; }
    const CodePageText& text() const { return text_; }

    // Calls visit(row, record) for every record in file order, row counting from 1.
    void forEachRecord(const std::function<void(int row, const char* record)>& visit) const;

private:
    struct Block {
        qsizetype at;
        int records;
    };

    QString path_;
    QByteArray image_;
    int version_ = 0;
    int recordSize_ = 0;
    int recordCount_ = 0;
    qint32 autoincCounter_ = 0;
    CodePageText text_{1252};
    std::vector<EarlierField> fields_;
    std::vector<Block> blocks_;
};

// Values of one field as the record holds them. A field of all zero bytes is NULL.
bool isNullValue(const char* p, int size);
qint16 shortValue(const char* p);
qint32 longValue(const char* p);   // Long, Autoinc and Date
double numberValue(const char* p);
// A Date's day count (1 is 0001-01-01); an invalid QDate when out of range.
QDate dateValue(const char* p);

// True when the file starts as a Paradox table does (enough to tell it from
// anything else that may lie in based/, not that it can be read).
bool looksLikeParadoxTable(const QByteArray& head);

}  // namespace meru::paradox
