#include "data/paradox/record_layout.h"

#include "data/engine_error.h"
#include "data/paradox/pxlib_api.h"

namespace meru::paradox {

using schema::FieldType;

int pxTypeOf(FieldType type) {
    switch (type) {
    case FieldType::Alpha: return pxfAlpha;
    case FieldType::Number: return pxfNumber;
    case FieldType::Date: return pxfDate;
    case FieldType::Timestamp: return pxfTimestamp;
    case FieldType::Short: return pxfShort;
    case FieldType::Autoinc: return pxfAutoInc;
    }
    return 0;
}

int storedSize(FieldType type, int width) {
    switch (type) {
    case FieldType::Alpha: return width;
    case FieldType::Number: return 8;
    case FieldType::Date: return 4;
    case FieldType::Timestamp: return 8;
    case FieldType::Short: return 2;
    case FieldType::Autoinc: return 4;
    }
    return 0;
}

std::optional<FieldType> fieldTypeOfPx(int pxType) {
    switch (pxType) {
    case pxfAlpha: return FieldType::Alpha;
    case pxfNumber: return FieldType::Number;
    case pxfDate: return FieldType::Date;
    case pxfTimestamp: return FieldType::Timestamp;
    case pxfShort: return FieldType::Short;
    case pxfAutoInc: return FieldType::Autoinc;
    default: return std::nullopt;
    }
}

QString describeType(FieldType type, int width) {
    if (type == FieldType::Alpha) return QStringLiteral("Alpha(%1)").arg(width);
    return schema::typeName(type);
}

RecordLayout RecordLayout::of(const schema::TableDef& def) {
    RecordLayout layout;
    if (def.fields.empty() || def.fields.size() > 255)
        throw EngineError(QStringLiteral("Table %1 must have 1 to 255 fields.").arg(def.name));
    if (def.keyFieldCount < 0 || def.keyFieldCount > int(def.fields.size()))
        throw EngineError(QStringLiteral("Table %1 declares %2 key fields but has %3 fields.")
                              .arg(def.name)
                              .arg(def.keyFieldCount)
                              .arg(def.fields.size()));
    int offset = 0;
    for (const auto& f : def.fields) {
        if (f.type == FieldType::Alpha && (f.width < 1 || f.width > 255))
            throw EngineError(QStringLiteral("Field %1: an Alpha field holds 1 to 255 characters, not %2.")
                                  .arg(f.name)
                                  .arg(f.width));
        FieldLayout fl;
        fl.name = f.name;
        fl.type = f.type;
        fl.width = f.type == FieldType::Alpha ? f.width : 0;
        fl.pxType = pxTypeOf(f.type);
        fl.size = storedSize(f.type, f.width);
        fl.offset = offset;
        offset += fl.size;
        if (f.type == FieldType::Autoinc && layout.autoincIndex < 0)
            layout.autoincIndex = int(layout.fields.size());
        layout.fields.push_back(fl);
    }
    layout.recordSize = offset;
    layout.keyFieldCount = def.keyFieldCount;
    layout.keySize = def.keyFieldCount == 0 ? 0
                                            : layout.fields[size_t(def.keyFieldCount - 1)].offset +
                                                  layout.fields[size_t(def.keyFieldCount - 1)].size;
    return layout;
}

}  // namespace meru::paradox
