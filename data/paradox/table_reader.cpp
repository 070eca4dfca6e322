#include "data/paradox/table_reader.h"

#include "data/engine_error.h"
#include "data/paradox/memory_stream.h"
#include "data/paradox/px_document.h"

#include <QDate>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QStringDecoder>
#include <QTimeZone>
#include <QtEndian>
#include <algorithm>
#include <cmath>

namespace meru::paradox {

namespace {

constexpr qint64 kMsPerDay = 86'400'000;
constexpr qint64 kJulianDayOfDayZero = 1'721'425;  // day 1 is 0001-01-01

QByteArray readFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw EngineError(QStringLiteral("Cannot read %1: %2").arg(QDir::toNativeSeparators(path), file.errorString()));
    return file.readAll();
}

[[noreturn]] void unreadable(const QString& path, const QString& why) {
    throw EngineError(QStringLiteral("%1 cannot be read as a Paradox file: %2").arg(QDir::toNativeSeparators(path), why));
}

int countRecordsInBlocks(const QByteArray& image) {
    const auto* h = reinterpret_cast<const uchar*>(image.constData());
    const int recordSize = qFromLittleEndian<quint16>(h + 0x00);
    const int headerSize = qFromLittleEndian<quint16>(h + 0x02);
    const int blockSize = h[0x05] * 1024;
    if (recordSize == 0 || blockSize == 0) return -1;
    const qint64 blocks = (image.size() - headerSize) / blockSize;
    int block = qFromLittleEndian<quint16>(h + 0x0E);
    int records = 0;
    for (qint64 seen = 0; block != 0; ++seen) {
        const qint64 at = headerSize + qint64(block - 1) * blockSize;
        if (seen >= blocks || block > blocks || at + 6 > image.size()) return -1;  // broken chain
        const auto* b = h + at;
        const int lastOffset = qFromLittleEndian<qint16>(b + 4);
        records += lastOffset / recordSize + 1;
        block = qFromLittleEndian<quint16>(b + 0);
    }
    return records;
}

bool allZero(const char* p, int n) {
    return std::all_of(p, p + n, [](char c) { return c == 0; });
}

QVariant decodeField(pxdoc_t* doc, const pxfield_t& f, char* p, QStringDecoder& text) {
    if (allZero(p, f.px_flen)) return {};
    switch (f.px_ftype) {
    case pxfAlpha: {
        const int len = int(std::find(p, p + f.px_flen, '\0') - p);
        return QString(text.decode(QByteArrayView(p, len)));
    }
    case pxfNumber: {
        double d = 0;
        PX_get_data_double(doc, p, f.px_flen, &d);
        return d;
    }
    case pxfTimestamp: {
        double d = 0;
        PX_get_data_double(doc, p, f.px_flen, &d);
        const qint64 ms = qint64(std::llround(d));
        const qint64 days = ms / kMsPerDay;
        const QDate date = QDate::fromJulianDay(days + kJulianDayOfDayZero);
        const QTime time = QTime::fromMSecsSinceStartOfDay(int(ms % kMsPerDay));
        return QDateTime(date, time, QTimeZone::utc());
    }
    case pxfDate: {
        long v = 0;
        PX_get_data_long(doc, p, f.px_flen, &v);
        return QDate::fromJulianDay(v + kJulianDayOfDayZero);
    }
    case pxfAutoInc:
    case pxfLong: {
        long v = 0;
        PX_get_data_long(doc, p, f.px_flen, &v);
        return int(v);
    }
    case pxfShort: {
        short v = 0;
        PX_get_data_short(doc, p, f.px_flen, &v);
        return int(v);
    }
    default:
        return QByteArray(p, f.px_flen);
    }
}

}  // namespace

ParadoxContents readTable(const QString& dbPath) {
    const QByteArray image = readFile(dbPath);
    if (image.size() < 0x78) unreadable(dbPath, QStringLiteral("the file is too short"));
    const auto* h = reinterpret_cast<const uchar*>(image.constData());
    ParadoxContents c;
    c.fileType = h[0x04];
    c.recordCount = qFromLittleEndian<qint32>(h + 0x06);
    c.keyFieldCount = qFromLittleEndian<quint16>(h + 0x23);
    c.version = h[0x39];
    c.autoincCounter = qFromLittleEndian<qint32>(h + 0x49);
    c.codePage = qFromLittleEndian<quint16>(h + 0x6A);
    c.recordsInBlocks = countRecordsInBlocks(image);

    MemoryStream stream(image);
    PxDocument doc;
    if (PX_open_fp(doc.get(), stream.file()) < 0)
        unreadable(dbPath, doc.lastError(QStringLiteral("pxlib cannot open it")));
    doc.markOpen();
    QStringDecoder text("windows-1252");
    c.tableName = text.decode(QByteArray(doc.get()->px_head->px_tablename ? doc.get()->px_head->px_tablename : ""));
    const int fieldCount = PX_get_num_fields(doc.get());
    for (int i = 0; i < fieldCount; ++i) {
        const pxfield_t* f = PX_get_field(doc.get(), i);
        c.fields.push_back({text.decode(QByteArray(f->px_fname ? f->px_fname : "")), int(uchar(f->px_ftype)), f->px_flen});
    }
    const int recordSize = PX_get_recordsize(doc.get());
    std::vector<char> record(size_t(recordSize) + 8, 0);  // pxlib reads past a 4-byte integer
    const int records = PX_get_num_records(doc.get());
    for (int r = 0; r < records; ++r) {
        if (!PX_get_record(doc.get(), r, record.data()))
            unreadable(dbPath, doc.lastError(QStringLiteral("record %1 cannot be read").arg(r + 1)));
        std::vector<QVariant> row;
        row.reserve(size_t(fieldCount));
        char* p = record.data();
        for (int i = 0; i < fieldCount; ++i) {
            const pxfield_t* f = PX_get_field(doc.get(), i);
            row.push_back(decodeField(doc.get(), *f, p, text));
            p += f->px_flen;
        }
        c.rows.push_back(std::move(row));
    }
    return c;
}

PrimaryIndexContents readPrimaryIndex(const QString& pxPath, const QString& dbPath) {
    PrimaryIndexContents c;
    MemoryStream indexStream(readFile(pxPath));
    PxDocument index;
    if (PX_open_fp(index.get(), indexStream.file()) < 0)
        unreadable(pxPath, index.lastError(QStringLiteral("pxlib cannot open it")));
    index.markOpen();
    const pxhead_t* head = index.get()->px_head;
    c.fileType = head->px_filetype;
    c.entryCount = head->px_numrecords;
    QStringDecoder text("windows-1252");
    c.tableName = text.decode(QByteArray(head->px_tablename ? head->px_tablename : ""));
    if (c.fileType != pxfFileTypPrimIndex) return c;
    if (PX_read_primary_index(index.get()) < 0)
        unreadable(pxPath, index.lastError(QStringLiteral("pxlib cannot read its entries")));
    const auto* entries = static_cast<const pxpindex_t*>(index.get()->px_data);
    for (int i = 0; i < index.get()->px_datalen; ++i) {
        if (entries[i].level != 1) continue;
        ++c.dataBlocks;
        c.indexedRecords += entries[i].numrecords;
    }

    MemoryStream tableStream(readFile(dbPath));
    PxDocument table;
    if (PX_open_fp(table.get(), tableStream.file()) < 0)
        unreadable(dbPath, table.lastError(QStringLiteral("pxlib cannot open it")));
    table.markOpen();
    c.attachesToTable = PX_add_primary_index(table.get(), index.get()) == 0;
    return c;
}

}  // namespace meru::paradox
