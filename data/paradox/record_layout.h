#pragma once
// Where each field of a declared table sits in a Paradox record, and how the
// declared types map onto pxlib's. Key fields lead the record, so the key of a
// record is its first keySize bytes.

#include "data/schema.h"

#include <optional>
#include <vector>

namespace meru::paradox {

struct FieldLayout {
    QString name;
    schema::FieldType type;
    int width = 0;   // declared characters, Alpha only
    int pxType = 0;  // pxlib's code (pxfAlpha, ...)
    int size = 0;    // bytes in the record
    int offset = 0;
};

struct RecordLayout {
    std::vector<FieldLayout> fields;
    int recordSize = 0;
    int keyFieldCount = 0;
    int keySize = 0;
    int autoincIndex = -1;

    // Throws EngineError for a definition no Paradox table can have.
    static RecordLayout of(const schema::TableDef& def);
};

int pxTypeOf(schema::FieldType type);
int storedSize(schema::FieldType type, int width);
std::optional<schema::FieldType> fieldTypeOfPx(int pxType);
// "Alpha(24)", "Timestamp": for messages.
QString describeType(schema::FieldType type, int width);

}  // namespace meru::paradox
