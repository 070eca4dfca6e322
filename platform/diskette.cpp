#include "platform/diskette.h"

#include "platform/engine_config.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace meru::platform {

namespace {

// True when dir is path or one of its ancestors.
bool holds(const QString& dir, const QString& path) {
    if (path.isEmpty()) return false;
    const QString canonical = QFileInfo(path).canonicalFilePath();
    if (canonical.isEmpty()) return false;
    return canonical == dir || canonical.startsWith(dir == QLatin1String("/") ? dir : dir + QLatin1Char('/'));
}

QString removeEntries(const QDir& dir) {
    const QFileInfoList entries =
        dir.entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QFileInfo& entry : entries) {
        if (entry.isDir() && !entry.isSymLink()) {
            const QString failed = removeEntries(QDir(entry.filePath()));
            if (!failed.isEmpty()) return failed;
            if (!dir.rmdir(entry.fileName())) return entry.filePath();
        } else if (!QFile::remove(entry.filePath())) {
            return entry.filePath();
        }
    }
    return {};
}

}  // namespace

QString whyNotFormattable(const QString& driveDir) {
    const QFileInfo info(driveDir);
    if (!info.isDir()) return QStringLiteral("A unidade A: não está pronta: não há disco em %1.").arg(driveDir);
    const QString dir = info.canonicalFilePath();
    const QString notADisk = QStringLiteral("%1 não é um disquete: a pasta não será formatada.").arg(dir);
    if (dir == QLatin1String("/")) return notADisk;
    const QString store = EngineConfig::instance().aliasPath(QStringLiteral("MERUDBPX"));
    for (const QString& kept : {QDir::homePath(), programDirectory(), store})
        if (holds(dir, kept)) return notADisk;
    if (QFileInfo(QDir(dir).filePath(QStringLiteral("based"))).isDir()) return notADisk;
    return {};
}

QStringList diskContents(const QString& driveDir) {
    QStringList names;
    const QFileInfoList entries = QDir(driveDir).entryInfoList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name | QDir::DirsFirst);
    for (const QFileInfo& entry : entries)
        names << entry.fileName() + (entry.isDir() && !entry.isSymLink() ? QStringLiteral("/") : QString());
    return names;
}

QString emptyDisk(const QString& driveDir) {
    if (!whyNotFormattable(driveDir).isEmpty()) return driveDir;
    return removeEntries(QDir(driveDir));
}

}  // namespace meru::platform
