#pragma once
// A program directory of its own for each test: based/, saida/ and a drive A:.
#include <QTemporaryDir>
#include <QString>

namespace meru::test {

class TempStore {
public:
    explicit TempStore(bool withMunicipalities = false, bool withTemplates = false);
    QString programDir() const;  // with trailing separator
    QString basedDir() const;
    QString saidaDir() const;
    QString driveA() const;      // the directory that a:\ names
    bool valid() const { return dir_.isValid(); }

private:
    QTemporaryDir dir_;
};

}  // namespace meru::test
