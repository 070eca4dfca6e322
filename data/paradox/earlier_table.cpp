#include "data/paradox/earlier_table.h"

#include "data/engine_error.h"

#include <QDir>
#include <QFile>
#include <QtEndian>
#include <algorithm>
#include <cstring>

namespace meru::paradox {

namespace {

constexpr int kFirstVersion = 0x05;  // Paradox 4.0
constexpr int kLastVersion = 0x0C;   // Paradox 7
constexpr qint64 kJulianDayOfDayZero = 1'721'425;
constexpr int kBlockHeaderSize = 6;

[[noreturn]] void refuse(const QString& path, const QString& why) {
    throw EngineError(QStringLiteral("A tabela %1 da instalação anterior não pode ser lida: %2.")
                          .arg(QDir::toNativeSeparators(path), why));
}

quint16 u16(const uchar* p) { return qFromLittleEndian<quint16>(p); }

bool knownBlockSize(int kb) { return kb == 1 || kb == 2 || kb == 3 || kb == 4 || kb == 8 || kb == 16 || kb == 32; }

int expectedSize(int type) {
    switch (type) {
    case kPxDate:
    case kPxLong:
    case kPxAutoinc: return 4;
    case kPxShort: return 2;
    case kPxNumber:
    case kPxTimestamp: return 8;
    default: return 0;  // Alpha and the types no working table has
    }
}

}  // namespace

bool looksLikeParadoxTable(const QByteArray& head) {
    if (head.size() < 0x3A) return false;
    const auto* h = reinterpret_cast<const uchar*>(head.constData());
    return u16(h) > 0 && u16(h + 0x02) >= 0x58 && (h[0x04] == 0 || h[0x04] == 2) && knownBlockSize(h[0x05]) &&
           h[0x39] >= 0x03 && h[0x39] <= kLastVersion;
}

EarlierTable::EarlierTable(const QString& path) : path_(path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) refuse(path, QStringLiteral("o arquivo não abre (%1)").arg(file.errorString()));
    image_ = file.readAll();
    if (!looksLikeParadoxTable(image_)) refuse(path, QStringLiteral("não é um arquivo de tabela Paradox"));
    const auto* h = reinterpret_cast<const uchar*>(image_.constData());
    version_ = h[0x39];
    if (version_ < kFirstVersion)
        refuse(path, QStringLiteral("a versão do arquivo (0x%1) é anterior ao Paradox 4; o MERU lê as versões 4 a 7")
                         .arg(version_, 2, 16, QLatin1Char('0')));
    const int headerSize = u16(h + 0x02);
    if (image_.size() < 0x78 || image_.size() < headerSize) refuse(path, QStringLiteral("o arquivo termina no cabeçalho"));
    recordSize_ = u16(h);
    recordCount_ = qFromLittleEndian<qint32>(h + 0x06);
    autoincCounter_ = qFromLittleEndian<qint32>(h + 0x49);
    quint32 encryption = qFromLittleEndian<quint32>(h + 0x25);
    if (encryption == 0xFF00FF00u) encryption = qFromLittleEndian<quint32>(h + 0x5C);
    if (encryption != 0) refuse(path, QStringLiteral("a tabela está protegida por senha"));
    const int codePage = u16(h + 0x6A);
    if (!CodePageText::supports(codePage))
        refuse(path, QStringLiteral("a página de código %1 não é aceita; o MERU lê as páginas 1252 e 850").arg(codePage));
    text_ = CodePageText(codePage);

    // Field types and sizes, the table name pointer, one pointer per field name,
    // the table name (261 bytes from Paradox 7 on, 79 before), then the names.
    const int fieldCount = u16(h + 0x21);
    const qsizetype namesAt = 0x78 + qsizetype(fieldCount) * 6 + 4 + (version_ >= 0x0C ? 261 : 79);
    if (fieldCount == 0 || namesAt > headerSize) refuse(path, QStringLiteral("a lista de campos está danificada"));
    qsizetype at = namesAt;
    int offset = 0;
    for (int i = 0; i < fieldCount; ++i) {
        EarlierField f;
        f.type = h[0x78 + 2 * i];
        f.size = h[0x78 + 2 * i + 1];
        f.offset = offset;
        const auto* end = static_cast<const uchar*>(std::memchr(h + at, 0, size_t(headerSize - at)));
        if (!end) refuse(path, QStringLiteral("a lista de campos está danificada"));
        f.name = text_.decode(reinterpret_cast<const char*>(h + at), int(end - (h + at)));
        at = end - h + 1;
        const int expected = expectedSize(f.type);
        if (f.size == 0 || (expected != 0 && f.size != expected))
            refuse(path, QStringLiteral("o campo %1 tem tamanho %2, impossível para o seu tipo").arg(f.name).arg(f.size));
        offset += f.size;
        fields_.push_back(f);
    }
    if (offset != recordSize_)
        refuse(path, QStringLiteral("os campos somam %1 bytes e o registro declara %2").arg(offset).arg(recordSize_));

    const int blockSize = h[0x05] * 1024;
    const qsizetype blocksInFile = (image_.size() - headerSize + blockSize - 1) / blockSize;
    int counted = 0;
    for (int block = u16(h + 0x0E), seen = 0; block != 0; ++seen) {
        const qsizetype blockAt = headerSize + qsizetype(block - 1) * blockSize;
        if (seen > blocksInFile)
            refuse(path, QStringLiteral("a corrente de blocos de dados dá voltas (registro %1 em diante)").arg(counted + 1));
        if (blockAt + kBlockHeaderSize > image_.size())
            refuse(path, QStringLiteral("o arquivo está truncado: termina antes do registro %1").arg(counted + 1));
        const auto* b = h + blockAt;
        const int lastOffset = qFromLittleEndian<qint16>(b + 4);
        const int records = lastOffset < 0 ? 0 : lastOffset / recordSize_ + 1;
        if (lastOffset >= 0 && lastOffset % recordSize_ != 0)
            refuse(path, QStringLiteral("o bloco de dados %1 está danificado (registro %2)").arg(block).arg(counted + 1));
        if (kBlockHeaderSize + qsizetype(records) * recordSize_ > blockSize)
            refuse(path, QStringLiteral("o bloco de dados %1 está danificado (registro %2)").arg(block).arg(counted + 1));
        if (blockAt + kBlockHeaderSize + qsizetype(records) * recordSize_ > image_.size())
            refuse(path, QStringLiteral("o arquivo está truncado: o registro %1 não está inteiro no arquivo")
                             .arg(counted + int((image_.size() - blockAt - kBlockHeaderSize) / recordSize_) + 1));
        blocks_.push_back({blockAt + kBlockHeaderSize, records});
        counted += records;
        block = u16(b);
    }
    if (counted != recordCount_)
        refuse(path, QStringLiteral("o cabeçalho declara %1 registros e os blocos de dados guardam %2; "
                                    "o arquivo está truncado ou danificado (registro %3)")
                         .arg(recordCount_)
                         .arg(counted)
                         .arg(std::min(counted, recordCount_) + 1));
}

void EarlierTable::forEachRecord(const std::function<void(int, const char*)>& visit) const {
    int row = 0;
    for (const Block& b : blocks_)
        for (int i = 0; i < b.records; ++i) visit(++row, image_.constData() + b.at + qsizetype(i) * recordSize_);
}

bool isNullValue(const char* p, int size) {
    return std::all_of(p, p + size, [](char c) { return c == 0; });
}

qint16 shortValue(const char* p) {
    return qint16(qFromBigEndian<quint16>(p) ^ 0x8000u);
}

qint32 longValue(const char* p) {
    return qint32(qFromBigEndian<quint32>(p) ^ 0x80000000u);
}

double numberValue(const char* p) {
    quint64 bits = qFromBigEndian<quint64>(p);
    bits = (bits & 0x8000000000000000ull) ? bits ^ 0x8000000000000000ull : ~bits;
    double d;
    std::memcpy(&d, &bits, sizeof d);
    return d;
}

QDate dateValue(const char* p) {
    const qint32 days = longValue(p);
    if (days <= 0) return {};
    return QDate::fromJulianDay(days + kJulianDayOfDayZero);
}

}  // namespace meru::paradox
