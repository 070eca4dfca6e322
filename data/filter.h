#pragma once
// Filter texts of the table views, turned into a parameterised WHERE clause.
//
//   filter     := term { "or" term }
//   term       := "(" filter ")" | comparison
//   comparison := field ( "=" | "<>" ) ( 'quoted text' | digits )
//
// Unquoted digits compare with a text field as text, leading zeros kept. An empty
// text compares as null. Anything else is an engine error naming the problem.

#include "data/schema.h"

#include <QString>
#include <QVariant>
#include <vector>

namespace meru {

struct CompiledFilter {
    QString where;  // empty: every row
    std::vector<QVariant> params;
};

CompiledFilter compileFilter(const QString& text, const schema::TableDef& table);

}  // namespace meru
