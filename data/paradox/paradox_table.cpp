#include "data/paradox/paradox_table.h"

#include "data/engine_error.h"
#include "data/paradox/memory_stream.h"
#include "data/paradox/px_document.h"
#include "data/paradox/record_encoder.h"
#include "data/paradox/record_store.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <QtEndian>
#include <cstring>
#include <limits>

namespace meru::paradox {

namespace {

constexpr int kCodePage = 1252;
// pxlib 0.6.8 reads 8 bytes for a 4-byte integer field; records get slack after them.
constexpr int kReadSlack = 8;

QString native(const QString& path) { return QDir::toNativeSeparators(path); }

[[noreturn]] void notATable(const QString& path, const QString& why) {
    throw EngineError(QStringLiteral("%1 is not a readable Paradox table: %2.").arg(native(path), why));
}

// What pxlib would trip over before it can say anything.
void checkHeader(const QByteArray& image, const QString& path) {
    if (image.size() < 0x78) notATable(path, QStringLiteral("the file is too short"));
    const auto* h = reinterpret_cast<const uchar*>(image.constData());
    const int recordSize = qFromLittleEndian<quint16>(h + 0x00);
    const int headerSize = qFromLittleEndian<quint16>(h + 0x02);
    const int fileType = h[0x04];
    const int blockKb = h[0x05];
    const int fieldCount = qFromLittleEndian<quint16>(h + 0x21);
    if (fileType != pxfFileTypIndexDB && fileType != pxfFileTypNonIndexDB)
        notATable(path, QStringLiteral("it is not a table file (type %1)").arg(fileType));
    if (recordSize == 0 || fieldCount == 0 || headerSize < 0x78 + 2 * fieldCount || headerSize > image.size())
        notATable(path, QStringLiteral("its header is damaged"));
    if (blockKb < 1 || blockKb > 32 || (image.size() - headerSize) % (blockKb * 1024) != 0)
        notATable(path, QStringLiteral("its data blocks are damaged"));
}

// The file's fields against the declared ones: count, then each by name
// (without regard to case), type and width; then the key and the code page.
// Returns the file's own field names, to be written back as they are.
std::vector<QByteArray> matchDeclaredFields(pxdoc_t* doc, const RecordLayout& layout, const QString& path) {
    const pxhead_t* head = doc->px_head;
    QStringDecoder decode("windows-1252");
    const int count = PX_get_num_fields(doc);
    std::vector<QByteArray> names;
    for (int i = 0; i < count && i < int(layout.fields.size()); ++i) {
        const pxfield_t* pf = PX_get_field(doc, i);
        const FieldLayout& want = layout.fields[size_t(i)];
        const QByteArray rawName(pf->px_fname ? pf->px_fname : "");
        const QString name = decode.decode(rawName);
        const auto type = fieldTypeOfPx(pf->px_ftype);
        const int width = type == schema::FieldType::Alpha ? pf->px_flen : 0;
        const QString have = type ? describeType(*type, width)
                                  : QStringLiteral("of type 0x%1").arg(int(uchar(pf->px_ftype)), 2, 16, QLatin1Char('0'));
        if (name.compare(want.name, Qt::CaseInsensitive) != 0 || !type || *type != want.type ||
            width != want.width || pf->px_flen != want.size)
            throw EngineError(QStringLiteral("Field %1 of the table %2 is %3 %4; %5 %6 is declared.")
                                  .arg(i + 1)
                                  .arg(native(path), name, have, want.name, describeType(want.type, want.width)));
        names.push_back(rawName);
    }
    if (count != int(layout.fields.size()))
        throw EngineError(QStringLiteral("The table %1 has %2 fields; %3 are declared.")
                              .arg(native(path))
                              .arg(count)
                              .arg(layout.fields.size()));
    const int keyFields = head->px_filetype == pxfFileTypIndexDB ? head->px_primarykeyfields : 0;
    if (keyFields != layout.keyFieldCount)
        throw EngineError(QStringLiteral("The table %1 is keyed on %2 fields; %3 are declared.")
                              .arg(native(path))
                              .arg(keyFields)
                              .arg(layout.keyFieldCount));
    if (head->px_doscodepage != kCodePage)
        throw EngineError(QStringLiteral("The table %1 uses code page %2; only %3 is written.")
                              .arg(native(path))
                              .arg(head->px_doscodepage)
                              .arg(kCodePage));
    return names;
}

}  // namespace

ParadoxTable::ParadoxTable(const schema::TableDef& declared)
    : layout_(RecordLayout::of(declared)) {
    description_.layout = &layout_;
}

ParadoxTable::~ParadoxTable() = default;

int ParadoxTable::recordCount() const { return store_ ? store_->count() : 0; }

void ParadoxTable::open(const QString& path) {
    if (isOpen())
        throw EngineError(QStringLiteral("The table %1 is already open.").arg(native(path_)));
    requireDirectoryOf(path);
    const QFileInfo info(path);
    if (!info.exists())
        throw EngineError(QStringLiteral("Table does not exist.\nFile: %1").arg(native(path)));
    if (info.isDir()) notATable(path, QStringLiteral("it is a directory"));
    readExisting(path);
    path_ = path;
}

void ParadoxTable::readExisting(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw EngineError(QStringLiteral("Cannot open the table %1: %2").arg(native(path), file.errorString()));
    const QByteArray image = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw EngineError(QStringLiteral("Cannot read the table %1: %2").arg(native(path), file.errorString()));
    checkHeader(image, path);

    MemoryStream stream(image);
    PxDocument doc;
    if (PX_open_fp(doc.get(), stream.file()) < 0)
        notATable(path, doc.lastError(QStringLiteral("pxlib cannot read it")));
    doc.markOpen();
    const pxhead_t* head = doc.get()->px_head;

    std::vector<QByteArray> names = matchDeclaredFields(doc.get(), layout_, path);
    if (PX_get_recordsize(doc.get()) != layout_.recordSize)
        notATable(path, QStringLiteral("its record size does not match its fields"));

    auto store = std::make_unique<RecordStore>(layout_.recordSize, layout_.keySize);
    std::vector<char> record(size_t(layout_.recordSize + kReadSlack), 0);
    qint32 highest = 0;
    const int records = PX_get_num_records(doc.get());
    for (int r = 0; r < records; ++r) {
        if (!PX_get_record(doc.get(), r, record.data()))
            notATable(path, doc.lastError(QStringLiteral("record %1 cannot be read").arg(r + 1)));
        if (layout_.autoincIndex >= 0) {
            char* a = record.data() + layout_.fields[size_t(layout_.autoincIndex)].offset;
            if (std::memcmp(a, "\0\0\0\0", 4) != 0) {  // NULL: pxlib would read -2147483648
                long value = 0;
                PX_get_data_long(doc.get(), a, 4, &value);
                highest = qMax<qint32>(highest, qint32(value));
            }
        }
        store->add(record.data());
    }

    description_.fieldNames = std::move(names);
    description_.tableName = QByteArray(head->px_tablename ? head->px_tablename : "");
    if (description_.tableName.isEmpty())
        description_.tableName = encodeName(QFileInfo(path).fileName(), 79, QStringLiteral("table name"));
    headerCounter_ = qFromLittleEndian<qint32>(image.constData() + kHeaderAutoincOffset);
    highestAutoinc_ = highest;
    appended_ = 0;
    scratch_.assign(size_t(layout_.recordSize), 0);
    if (!encoder_) encoder_ = std::make_unique<RecordEncoder>(layout_);
    store_ = std::move(store);
}

void ParadoxTable::append(const std::vector<QVariant>& values) {
    if (!isOpen()) throw EngineError(QStringLiteral("Cannot perform this operation on a closed table."));
    const qint32 counter = qMax(headerCounter_, highestAutoinc_);
    const qint32 next = counter == std::numeric_limits<qint32>::max() ? 0 : counter + 1;
    qint32 stored = 0;
    encoder_->encode(values, scratch_.data(), next, &stored);
    if (store_->containsKey(scratch_.data()))
        throw EngineError(QStringLiteral("Key violation.\nTable: %1").arg(native(path_)));
    store_->add(scratch_.data());
    highestAutoinc_ = qMax(highestAutoinc_, stored);
    ++appended_;
}

void ParadoxTable::close() {
    if (!isOpen()) return;
    const std::unique_ptr<RecordStore> store = std::move(store_);
    if (appended_ == 0) return;
    std::vector<const char*> records;
    records.reserve(size_t(store->count()));
    for (int i : store->keyOrder()) records.push_back(store->record(i));
    writeTableFiles(description_, records, qMax(headerCounter_, highestAutoinc_), path_);
}

}  // namespace meru::paradox
