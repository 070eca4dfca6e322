#pragma once
// Turns a row of values into the bytes of a Paradox record, refusing any value
// its field cannot hold as it is. On a refusal the record buffer holds a partial
// row and must not be used.

#include "data/paradox/px_document.h"
#include "data/paradox/record_layout.h"
#include "data/paradox/windows1252.h"

#include <QVariant>
#include <vector>

namespace meru::paradox {

class RecordEncoder {
public:
    explicit RecordEncoder(const RecordLayout& layout);

    // Fills `record` (layout.recordSize bytes). A NULL auto-increment value takes
    // `nextAutoinc`; the value stored in the auto-increment field, if any, is
    // returned through `autoincStored`. Throws EngineError naming the field.
    void encode(const std::vector<QVariant>& values, char* record, qint32 nextAutoinc,
                qint32* autoincStored);

private:
    void encodeText(const FieldLayout& f, const QVariant& v, char* out);
    [[noreturn]] void refuseType(const FieldLayout& f, const QVariant& v) const;

    const RecordLayout& layout_;
    PxDocument doc_;  // pxlib's value encoders want a document
    Windows1252Encoder text_;
};

}  // namespace meru::paradox
