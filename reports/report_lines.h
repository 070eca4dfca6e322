#pragma once
// The rows of the summary report, read from the list's view.

#include "reports/report_layout.h"

namespace meru {
class Dataset;
}

namespace meru::report {

// Walks `source` from its first row to its last with its controls disabled (a
// bound grid is not repainted row by row) and gives each row's six fields as the
// view gives them for display. The row that was current is current again after
// the walk; when it is no longer among the rows, the first is.
std::vector<Line> readLines(Dataset& source);

}  // namespace meru::report
