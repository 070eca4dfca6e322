#include "platform/file_copy.h"

#include "platform/engine_config.h"

#include <QFile>
#include <QSaveFile>

namespace meru::platform {

namespace {

QString localPath(const QString& path) {
    QString mapped = mapDrivePath(path);
    mapped.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return mapped;
}

}  // namespace

bool CopyFileA(const QString& source, const QString& target, bool failIfExists) {
    const QString from = localPath(source);
    const QString to = localPath(target);
    if (failIfExists && QFile::exists(to)) return false;
    QFile in(from);
    if (!in.open(QIODevice::ReadOnly)) return false;
    QSaveFile out(to);
    if (!out.open(QIODevice::WriteOnly)) return false;
    const QByteArray bytes = in.readAll();
    if (out.write(bytes) != bytes.size()) {
        out.cancelWriting();
        return false;
    }
    return out.commit();
}

}  // namespace meru::platform
