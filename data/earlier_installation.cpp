#include "data/earlier_installation.h"

#include "data/earlier_rows.h"
#include "data/engine_error.h"
#include "data/paradox/earlier_table.h"
#include "data/schema.h"
#include "data/sqlite_connection.h"
#include "data/store_files.h"
#include "data/store_lock.h"
#include "data/working_store.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace meru {

namespace {

QString native(const QString& path) { return QDir::toNativeSeparators(path); }

QString siblingPath(const QString& basedDir, const QString& suffix) {
    const QFileInfo based(basedDir);
    return based.dir().filePath(based.fileName() + suffix);
}

// based-paradox-anterior, or the first of based-paradox-anterior-2, -3 ... free.
QString keepDirectory(const QString& basedDir) {
    const QString first = siblingPath(basedDir, QStringLiteral("-paradox-anterior"));
    QString candidate = first;
    for (int n = 2; QFileInfo::exists(candidate); ++n) candidate = first + QStringLiteral("-%1").arg(n);
    return candidate;
}

void syncDirectory(const QString& dir) {
    const int fd = ::open(QFile::encodeName(dir).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

bool renamePath(const QString& from, const QString& to) {
    return ::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0;
}

// Swaps the two directories in one step where the file system can; otherwise
// based/ goes to keep first and the new store follows (the next start finishes a
// swap killed between the two).
void swapIn(const QString& basedDir, const QString& work, const QString& keep) {
    const QByteArray a = QFile::encodeName(basedDir);
    const QByteArray b = QFile::encodeName(work);
    if (::renameat2(AT_FDCWD, a.constData(), AT_FDCWD, b.constData(), RENAME_EXCHANGE) == 0) {
        syncDirectory(QFileInfo(basedDir).path());
        if (!renamePath(work, keep))
            throw EngineError(QStringLiteral("Os dados foram tomados, mas os arquivos da instalação anterior "
                                             "ficaram em %1 e não puderam ir para %2.")
                                  .arg(native(work), native(keep)));
        return;
    }
    if (!renamePath(basedDir, keep))
        throw EngineError(QStringLiteral("A pasta %1 não pôde ser movida para %2 (%3).")
                              .arg(native(basedDir), native(keep), QString::fromLocal8Bit(std::strerror(errno))));
    if (!renamePath(work, basedDir))
        throw EngineError(QStringLiteral("Os dados foram tomados em %1, mas a pasta não pôde ser renomeada para %2. "
                                         "Renomeie-a e abra o MERU de novo.")
                              .arg(native(work), native(basedDir)));
}

[[noreturn]] void rowNotStored(const paradox::EarlierTable& table, int row, const EngineError& e) {
    throw EngineError(QStringLiteral("A tabela %1 da instalação anterior não pode ser tomada: "
                                     "o registro %2 não pode ser gravado (%3).")
                          .arg(native(table.path()))
                          .arg(row)
                          .arg(e.message().section(QLatin1Char('\n'), 0, 0)));
}

QString insertSql(const schema::TableDef& def) {
    QStringList columns, marks;
    for (const auto& f : def.fields) {
        columns << QLatin1Char('"') + f.name + QLatin1Char('"');
        marks << QStringLiteral("?");
    }
    return QStringLiteral("INSERT INTO \"%1\" (%2) VALUES (%3)")
        .arg(def.name, columns.join(QLatin1Char(',')), marks.join(QLatin1Char(',')));
}

// New numbers continue after the earlier table's counter, never reusing one.
void keepCounter(sqlite::Connection& c, const schema::TableDef& def, qint32 counter) {
    if (def.autoincIndex() < 0 || counter <= 0) return;
    c.execBound(QStringLiteral("UPDATE sqlite_sequence SET seq = max(seq, ?) WHERE name = ?"), {qint64(counter), def.name});
    if (c.changes() == 0)
        c.execBound(QStringLiteral("INSERT INTO sqlite_sequence (name, seq) VALUES (?, ?)"), {def.name, qint64(counter)});
}

// Carries one table into its new file; returns the rows read.
int carry(const schema::TableDef& def, const QString& source, const QString& target, Takeover& report) {
    const paradox::EarlierTable table(source);
    const EarlierRows rows(def, table);
    const bool municipios = &def == &schema::municipios();
    sqlite::Connection c(target, sqlite::Connection::Mode::ReadWrite);
    c.exec(QStringLiteral("BEGIN"));
    QSet<QString> codes;
    const int codeIndex = def.indexOf(QStringLiteral("AR_CODNOVO"));
    if (municipios)
        for (const QString& code : c.lines(QStringLiteral("SELECT AR_CODNOVO FROM MUNICIPIOS"))) codes.insert(code);
    sqlite::Statement insert(c.handle(), insertSql(def));
    std::vector<QVariant> values;
    int read = 0;
    table.forEachRecord([&](int row, const char* record) {
        rows.read(row, record, values);
        ++read;
        if (municipios) {
            const QVariant& code = values[size_t(codeIndex)];
            if (code.isNull() || codes.contains(code.toString())) return;
            codes.insert(code.toString());
            ++report.municipalitiesAdded;
        }
        try {
            insert.reset();
            insert.bindAll(values);
            insert.step();
        } catch (const EngineError& e) {
            rowNotStored(table, row, e);
        }
    });
    keepCounter(c, def, table.autoincCounter());
    c.exec(QStringLiteral("COMMIT"));
    if (municipios) report.municipalitiesRead = read;
    return read;
}

void build(const QString& basedDir, const QString& work, const QString& municipiosTsv, Takeover& report) {
    createWorkingStore(work, municipiosTsv);
    for (const schema::TableDef* def : schema::workingTables()) {
        const QString source = tableFile(basedDir, def->fileName);
        const int rows = source.isEmpty() ? 0 : carry(*def, source, QDir(work).filePath(def->fileName), report);
        report.tables.push_back({def->name, rows});
    }
    // Each table is one file with no journal beside it before the swap.
    for (const schema::TableDef* def : schema::workingTables()) {
        sqlite::Connection c(QDir(work).filePath(def->fileName), sqlite::Connection::Mode::ReadWrite);
        c.exec(QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)"));
    }
    syncDirectory(work);
}

// A start killed during a takeover left the work directory: finish or undo.
Takeover resume(const QString& basedDir, const QString& work) {
    Takeover report;
    const bool basedExists = QFileInfo(basedDir).isDir();
    const StoreFiles inBased = basedExists ? scanStoreFiles(basedDir) : StoreFiles{};
    const StoreFiles inWork = scanStoreFiles(work);
    if (!basedExists && inWork.paradox.isEmpty() && inWork.ours.size() == int(schema::workingTables().size())) {
        // Killed between the two moves: the earlier files are kept, the new store waits.
        if (!renamePath(work, basedDir))
            throw EngineError(QStringLiteral("Uma tomada de instalação anterior não terminou: os dados tomados estão em "
                                             "%1. Renomeie essa pasta para %2 e abra o MERU de novo.")
                                  .arg(native(work), native(basedDir)));
        report.outcome = Takeover::Outcome::Finished;
        return report;
    }
    if (basedExists && !inBased.ours.isEmpty() && inBased.paradox.isEmpty() && holdsAParadoxTable(work)) {
        // Killed after the swap: the earlier files wait in the work directory.
        report.keptIn = keepDirectory(basedDir);
        if (!renamePath(work, report.keptIn))
            throw EngineError(QStringLiteral("Os arquivos da instalação anterior estão em %1 e não puderam ir para %2.")
                                  .arg(native(work), native(report.keptIn)));
        syncDirectory(QFileInfo(basedDir).path());
        report.outcome = Takeover::Outcome::Finished;
        return report;
    }
    if (basedExists && !inBased.paradox.isEmpty() && inBased.ours.isEmpty() && !holdsAParadoxTable(work)) {
        // Killed before the swap: what was built is dropped and built again.
        QDir(work).removeRecursively();
        return report;
    }
    throw EngineError(QStringLiteral("A pasta %1 sobrou de uma tomada de instalação anterior que não terminou, e o MERU "
                                     "não sabe como completá-la. Veja o que há nela e em %2; guarde os arquivos Paradox "
                                     "e apague a pasta %1 antes de abrir o MERU de novo.")
                          .arg(native(work), native(basedDir)));
}

}  // namespace

QString takeoverWorkDirectory(const QString& basedDir) {
    return siblingPath(QDir::cleanPath(basedDir), QStringLiteral("-tomada-em-curso"));
}

Takeover takeOverEarlierInstallation(const QString& basedDirGiven, const QString& municipiosTsv) {
    const QString basedDir = QDir::cleanPath(basedDirGiven);
    const QString work = takeoverWorkDirectory(basedDir);
    if (QFileInfo::exists(work)) {
        Takeover resumed = resume(basedDir, work);
        if (resumed.outcome != Takeover::Outcome::Nothing) return resumed;
    }
    if (!QFileInfo(basedDir).isDir()) return {};
    const StoreFiles found = scanStoreFiles(basedDir);
    if (found.paradox.isEmpty()) return {};
    if (!found.ours.isEmpty())
        throw EngineError(QStringLiteral("A pasta %1 tem tabelas do MERU (%2) e tabelas Paradox de uma instalação "
                                         "anterior (%3). O MERU não as mistura: para tomar a instalação anterior, deixe "
                                         "na pasta só os arquivos dela; para seguir com os dados do MERU, retire da "
                                         "pasta as tabelas Paradox.")
                              .arg(native(basedDir), found.ours.join(QStringLiteral(", ")),
                                   found.paradox.join(QStringLiteral(", "))));

    Takeover report;
    try {
        build(basedDir, work, municipiosTsv, report);
    } catch (const EngineError& e) {
        QDir(work).removeRecursively();
        QDir(work + QStringLiteral(".new")).removeRecursively();
        throw EngineError(e.message() + QStringLiteral("\n\nNada foi tomado: a pasta %1 ficou como estava. Corrija ou "
                                                       "substitua esse arquivo e abra o MERU de novo.")
                                            .arg(native(basedDir)));
    }
    // Our lock goes with the new store (the open lock follows its file).
    const QString lock = QDir(basedDir).filePath(StoreLock::lockFileName());
    const QString lockInWork = QDir(work).filePath(StoreLock::lockFileName());
    const bool lockMoved = QFileInfo::exists(lock) && renamePath(lock, lockInWork);
    report.keptIn = keepDirectory(basedDir);
    try {
        swapIn(basedDir, work, report.keptIn);
    } catch (const EngineError&) {
        // Nothing moved yet: based/ is as it was, and what was built goes.
        if (QFileInfo(basedDir).isDir() && !scanStoreFiles(basedDir).paradox.isEmpty()) {
            if (lockMoved) renamePath(lockInWork, lock);
            QDir(work).removeRecursively();
        }
        throw;
    }
    syncDirectory(QFileInfo(basedDir).path());
    report.outcome = Takeover::Outcome::TookOver;
    return report;
}

}  // namespace meru
