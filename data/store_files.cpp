#include "data/store_files.h"

#include "data/paradox/earlier_table.h"
#include "data/schema.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace meru {

namespace {

enum class Kind { Missing, Ours, Paradox, Other };

Kind kindOf(const QString& path) {
    if (path.isEmpty()) return Kind::Missing;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return Kind::Other;
    const QByteArray head = f.read(0x80);
    if (head.startsWith(QByteArrayView("SQLite format 3\0", 16))) return Kind::Ours;
    if (paradox::looksLikeParadoxTable(head)) return Kind::Paradox;
    return Kind::Other;
}

}  // namespace

QString tableFile(const QString& dir, const QString& fileName) {
    const QStringList all = QDir(dir).entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& name : all)
        if (name == fileName) return QDir(dir).filePath(name);
    for (const QString& name : all)
        if (name.compare(fileName, Qt::CaseInsensitive) == 0) return QDir(dir).filePath(name);
    return {};
}

StoreFiles scanStoreFiles(const QString& dir) {
    StoreFiles s;
    for (const schema::TableDef* def : schema::workingTables()) {
        const QString file = tableFile(dir, def->fileName);
        switch (kindOf(file)) {
        case Kind::Ours: s.ours << QFileInfo(file).fileName(); break;
        case Kind::Paradox: s.paradox << QFileInfo(file).fileName(); break;
        default: break;
        }
    }
    return s;
}

bool holdsAParadoxTable(const QString& dir) {
    const QFileInfoList all = QDir(dir).entryInfoList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QFileInfo& f : all)
        if (kindOf(f.filePath()) == Kind::Paradox) return true;
    return false;
}

}  // namespace meru
