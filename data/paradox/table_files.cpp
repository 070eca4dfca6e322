#include "data/paradox/table_files.h"

#include "data/engine_error.h"
#include "data/paradox/memory_stream.h"
#include "data/paradox/px_document.h"
#include "data/paradox/windows1252.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QtEndian>
#include <cstring>

namespace meru::paradox {

namespace {

constexpr int kCodePage = 1252;

pxfield_t* makeFields(const TableDescription& table, int count) {
    auto* fields = static_cast<pxfield_t*>(PxDocument::allocate(sizeof(pxfield_t) * size_t(count)));
    for (int i = 0; i < count; ++i) {
        const FieldLayout& f = table.layout->fields[size_t(i)];
        fields[i].px_fname = PxDocument::duplicate(table.fieldNames[size_t(i)]);
        fields[i].px_ftype = char(f.pxType);
        fields[i].px_flen = f.size;
        fields[i].px_fdc = 0;
    }
    return fields;
}

[[noreturn]] void fail(const PxDocument& doc, const QString& step, const QString& path) {
    throw EngineError(QStringLiteral("Cannot write the table %1: %2.")
                          .arg(QDir::toNativeSeparators(path), doc.lastError(step)));
}

QByteArray buildDatabase(const TableDescription& table, const std::vector<const char*>& records,
                         qint32 autoincCounter, const QString& dbPath) {
    const RecordLayout& layout = *table.layout;
    const int n = int(layout.fields.size());
    MemoryStream stream;
    PxDocument doc;
    const int type = layout.keyFieldCount > 0 ? pxfFileTypIndexDB : pxfFileTypNonIndexDB;
    if (PX_create_fp(doc.get(), makeFields(table, n), n, stream.file(), type) < 0)
        fail(doc, QStringLiteral("pxlib could not create it"), dbPath);
    doc.markOpen();
    if ((layout.keyFieldCount > 0 && PX_set_value(doc.get(), "numprimkeys", float(layout.keyFieldCount)) < 0) ||
        PX_set_value(doc.get(), "codepage", float(kCodePage)) < 0 ||
        PX_set_parameter(doc.get(), "tablename", table.tableName.constData()) < 0)
        fail(doc, QStringLiteral("pxlib refused its header values"), dbPath);

    // pxlib wants a writable buffer; records are put at consecutive positions,
    // so the blocks hold them in the order given.
    std::vector<char> buffer(size_t(layout.recordSize));
    for (size_t i = 0; i < records.size(); ++i) {
        std::memcpy(buffer.data(), records[i], buffer.size());
        if (PX_put_recordn(doc.get(), buffer.data(), int(i)) < 0)
            fail(doc, QStringLiteral("pxlib could not put record %1").arg(i + 1), dbPath);
    }
    doc.close();
    QByteArray image = stream.bytes();
    if (image.size() < 0x78 || qFromLittleEndian<qint32>(image.constData() + 0x06) != qint32(records.size()))
        throw EngineError(QStringLiteral("Cannot write the table %1: pxlib wrote an inconsistent header.")
                              .arg(QDir::toNativeSeparators(dbPath)));
    if (layout.autoincIndex >= 0)
        qToLittleEndian<qint32>(autoincCounter, image.data() + kHeaderAutoincOffset);
    return image;
}

QByteArray buildPrimaryIndex(const TableDescription& table, const QByteArray& dbImage, const QString& pxPath) {
    MemoryStream in(dbImage);
    PxDocument db;
    if (PX_open_fp(db.get(), in.file()) < 0)
        fail(db, QStringLiteral("pxlib could not read back the table"), pxPath);
    db.markOpen();

    MemoryStream out;
    PxDocument index;
    const int keys = table.layout->keyFieldCount;
    if (PX_create_fp(index.get(), makeFields(table, keys), keys, out.file(), pxfFileTypPrimIndex) < 0)
        fail(index, QStringLiteral("pxlib could not create the primary index"), pxPath);
    index.markOpen();
    if (PX_set_parameter(index.get(), "tablename", table.tableName.constData()) < 0)
        fail(index, QStringLiteral("pxlib refused the index's table name"), pxPath);
    if (PX_write_primary_index(db.get(), index.get()) < 0)
        fail(index, QStringLiteral("pxlib could not write the primary index"), pxPath);
    index.close();
    return out.bytes();
}

void writeWhole(QSaveFile& file, const QByteArray& bytes) {
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        throw EngineError(QStringLiteral("Cannot write %1: %2")
                              .arg(QDir::toNativeSeparators(file.fileName()), file.errorString()));
}

}  // namespace

QString primaryIndexPath(const QString& dbPath) {
    const QFileInfo info(dbPath);
    const bool lower = info.suffix() == info.suffix().toLower() && !info.suffix().isEmpty();
    return info.dir().filePath(info.completeBaseName() + (lower ? QStringLiteral(".px") : QStringLiteral(".PX")));
}

void requireDirectoryOf(const QString& filePath) {
    const QString dir = QFileInfo(filePath).absolutePath();
    if (!QFileInfo(dir).isDir())
        throw EngineError(QStringLiteral("Drive not ready.\nPath: %1").arg(QDir::toNativeSeparators(dir)));
}

QByteArray encodeName(const QString& name, int maxBytes, const QString& what) {
    Windows1252Encoder encoder;
    if (name.isEmpty() || !encoder.encode(name) || encoder.size() > maxBytes)
        throw EngineError(QStringLiteral("The %1 \"%2\" cannot be stored in a Paradox header "
                                         "(1 to %3 characters of code page 1252).")
                              .arg(what, name)
                              .arg(maxBytes));
    return QByteArray(encoder.data(), encoder.size());
}

void writeTableFiles(const TableDescription& table, const std::vector<const char*>& records,
                     qint32 autoincCounter, const QString& dbPath) {
    requireDirectoryOf(dbPath);
    const QByteArray dbImage = buildDatabase(table, records, autoincCounter, dbPath);
    const bool keyed = table.layout->keyFieldCount > 0;
    const QString pxPath = primaryIndexPath(dbPath);
    const QByteArray pxImage = keyed ? buildPrimaryIndex(table, dbImage, pxPath) : QByteArray();

    QSaveFile db(dbPath);
    QSaveFile px(pxPath);
    writeWhole(db, dbImage);
    if (keyed) writeWhole(px, pxImage);
    if (!db.commit())
        throw EngineError(QStringLiteral("Cannot write %1: %2")
                              .arg(QDir::toNativeSeparators(dbPath), db.errorString()));
    if (keyed && !px.commit())
        throw EngineError(QStringLiteral("The table %1 was written but its primary index %2 was not: %3")
                              .arg(QDir::toNativeSeparators(dbPath), QDir::toNativeSeparators(pxPath),
                                   px.errorString()));
}

}  // namespace meru::paradox
