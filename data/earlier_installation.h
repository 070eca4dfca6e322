#pragma once
// Taking over the Paradox working tables of an earlier installation, once, when
// based/ holds them and no table of ours. Everything or nothing: the new store is
// built whole in a directory beside based/, then swapped in, and the earlier
// files are kept untouched in a directory of their own beside it. A start killed
// in the middle is finished by the next one (see takeOverEarlierInstallation).

#include <QString>
#include <vector>

namespace meru {

struct TakenTable {
    QString name;  // as the system names the table
    int rows = 0;  // rows read from the earlier table
};

struct Takeover {
    enum class Outcome {
        Nothing,   // based/ holds no earlier installation
        TookOver,  // the rows were taken over now
        Finished,  // a takeover that a killed start left was finished now
    };
    Outcome outcome = Outcome::Nothing;
    std::vector<TakenTable> tables;  // working-table order; empty when Finished
    int municipalitiesRead = 0;
    int municipalitiesAdded = 0;     // codes our list lacked
    QString keptIn;                  // the directory that holds the earlier files
};

// The directory in which the new store is built and through which the swap runs.
QString takeoverWorkDirectory(const QString& basedDir);

// Takes over the earlier installation in basedDir when there is one (at least
// one working table is a Paradox file and none is ours); the new store gets our
// municipalities list (municipiosTsv) plus the codes of the earlier MUNICIPIOS
// that it lacks. Refuses, raising EngineError with a message in Portuguese naming
// the file and the row or field, and leaving basedDir exactly as it was: a table
// that cannot be read, a row that cannot be carried, a mix of ours and Paradox
// tables. Our lock file in basedDir stays with the new store.
Takeover takeOverEarlierInstallation(const QString& basedDir, const QString& municipiosTsv);

}  // namespace meru
