#pragma once
// The diskette read back: after the export tables are written, their files are
// read again from the disk and compared, row by row and column by column, with
// the rows that were selected for them. Nothing is marked as sent on the word
// of the writer alone.

#include <QString>

namespace meru {

class Dataset;
class ExportTable;

// Raises an error that names the first differences when the export table's file
// does not hold exactly the rows that the source's selection lets through.
void checkExport(Dataset& source, const ExportTable& written);

}  // namespace meru
