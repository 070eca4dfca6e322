#pragma once
// The rows of an earlier installation's Paradox table as our store keeps them.
// The file's fields are matched to ours by name (without regard to case) and
// type; a file that lacks one of our fields, has one more, or gives one another
// type is refused whole. A Paradox 4 table has no Autoinc type, so a Long field
// stands for our auto-increment column there.

#include "data/paradox/earlier_table.h"
#include "data/schema.h"

#include <QVariant>
#include <vector>

namespace meru {

class EarlierRows {
public:
    // Throws EngineError naming the file and the field when the layouts differ.
    EarlierRows(const schema::TableDef& def, const paradox::EarlierTable& table);

    // The record's values in our field order, as the store keeps them (NULL an
    // invalid QVariant). Throws EngineError naming the file and the row when a
    // value cannot be carried: a text longer than our column, a character the
    // export code page cannot hold, an impossible date or number, an
    // auto-increment number that is missing.
    void read(int row, const char* record, std::vector<QVariant>& values) const;

private:
    [[noreturn]] void refuseRow(int row, const QString& field, const QString& why) const;

    const schema::TableDef& def_;
    const paradox::EarlierTable& table_;
    std::vector<const paradox::EarlierField*> source_;  // per field of ours
};

}  // namespace meru
