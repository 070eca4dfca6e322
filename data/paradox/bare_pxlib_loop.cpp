#include "data/paradox/bare_pxlib_loop.h"

#include "data/engine_error.h"
#include "data/paradox/px_document.h"
#include "data/paradox/record_layout.h"
#include "data/paradox/table_files.h"

#include <QDate>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QStringEncoder>

namespace meru::paradox {

namespace {

constexpr qint64 kMsPerDay = 86'400'000;
constexpr qint64 kJulianDayOfDayZero = 1'721'425;

pxfield_t* fieldsOf(const RecordLayout& layout, int count) {
    auto* fields = static_cast<pxfield_t*>(PxDocument::allocate(sizeof(pxfield_t) * size_t(count)));
    QStringEncoder encode("windows-1252");
    for (int i = 0; i < count; ++i) {
        const FieldLayout& f = layout.fields[size_t(i)];
        fields[i] = {PxDocument::duplicate(encode.encode(f.name)), char(f.pxType), f.size, 0};
    }
    return fields;
}

[[noreturn]] void fail(const PxDocument& doc, const QString& what) {
    throw EngineError(QStringLiteral("bare pxlib loop: %1").arg(doc.lastError(what)));
}

}  // namespace

void bareAppendLoop(const schema::TableDef& def, const QString& dbPath,
                    const std::vector<std::vector<QVariant>>& rows) {
    const RecordLayout layout = RecordLayout::of(def);
    const int n = int(layout.fields.size());
    const QByteArray path = QFile::encodeName(dbPath);
    const QByteArray tableName = QFileInfo(dbPath).fileName().toLatin1();
    {
        PxDocument doc;
        const int type = layout.keyFieldCount > 0 ? pxfFileTypIndexDB : pxfFileTypNonIndexDB;
        if (PX_create_file(doc.get(), fieldsOf(layout, n), n, path.constData(), type) < 0)
            fail(doc, QStringLiteral("PX_create_file failed"));
        doc.markOpen();
        if (layout.keyFieldCount > 0) PX_set_value(doc.get(), "numprimkeys", float(layout.keyFieldCount));
        PX_set_value(doc.get(), "codepage", 1252.0f);
        PX_set_parameter(doc.get(), "tablename", tableName.constData());

        std::vector<pxval_t> values(static_cast<size_t>(n));
        std::vector<pxval_t*> pointers(static_cast<size_t>(n));
        std::vector<QByteArray> texts(static_cast<size_t>(n));
        for (int i = 0; i < n; ++i) pointers[size_t(i)] = &values[size_t(i)];
        QStringEncoder encode("windows-1252");
        for (const auto& row : rows) {
            for (int i = 0; i < n; ++i) {
                const FieldLayout& f = layout.fields[size_t(i)];
                const QVariant& v = row[size_t(i)];
                pxval_t& val = values[size_t(i)];
                val = pxval_t{};
                val.type = f.pxType;
                val.isnull = v.isNull() ? 1 : 0;
                if (val.isnull) continue;
                switch (f.type) {
                case schema::FieldType::Alpha:
                    texts[size_t(i)] = encode.encode(v.toString());
                    val.isnull = texts[size_t(i)].isEmpty();
                    val.value.str.val = texts[size_t(i)].data();
                    val.value.str.len = int(texts[size_t(i)].size());
                    break;
                case schema::FieldType::Number:
                    val.value.dval = v.toDouble();
                    break;
                case schema::FieldType::Date:
                    val.value.lval = long(v.toDate().toJulianDay() - kJulianDayOfDayZero);
                    break;
                case schema::FieldType::Timestamp: {
                    const QDateTime dt = v.typeId() == QMetaType::QDate ? v.toDate().startOfDay() : v.toDateTime();
                    val.value.dval = double((dt.date().toJulianDay() - kJulianDayOfDayZero) * kMsPerDay +
                                            dt.time().msecsSinceStartOfDay());
                    break;
                }
                case schema::FieldType::Short:
                case schema::FieldType::Autoinc:
                    val.value.lval = long(v.toLongLong());
                    break;
                }
            }
            if (PX_insert_record(doc.get(), pointers.data()) < 0) fail(doc, QStringLiteral("PX_insert_record failed"));
        }
        doc.close();
    }
    if (layout.keyFieldCount == 0) return;

    PxDocument db;
    if (PX_open_file(db.get(), path.constData()) < 0) fail(db, QStringLiteral("PX_open_file failed"));
    db.markOpen();
    PxDocument index;
    const QByteArray indexPath = QFile::encodeName(primaryIndexPath(dbPath));
    if (PX_create_file(index.get(), fieldsOf(layout, layout.keyFieldCount), layout.keyFieldCount,
                       indexPath.constData(), pxfFileTypPrimIndex) < 0)
        fail(index, QStringLiteral("PX_create_file for the index failed"));
    index.markOpen();
    PX_set_parameter(index.get(), "tablename", tableName.constData());
    if (PX_write_primary_index(db.get(), index.get()) < 0) fail(index, QStringLiteral("PX_write_primary_index failed"));
}

}  // namespace meru::paradox
