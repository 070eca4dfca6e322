#include "paradox_writer.h"

#include <QFile>
#include <QStringEncoder>
#include <QtEndian>
#include <cstring>
#include <map>
#include <stdexcept>

namespace meru::test {

namespace {

void put16(QByteArray& b, int at, int v) { qToLittleEndian<quint16>(quint16(v), b.data() + at); }
void put32(QByteArray& b, int at, qint64 v) { qToLittleEndian<quint32>(quint32(v), b.data() + at); }

QByteArray value(const PxColumn& c, const QVariant& v, int codePage) {
    QByteArray out(c.size, '\0');
    if (!v.isValid() || v.isNull()) return out;
    switch (c.type) {
    case 0x01: {
        const QByteArray text = encodeText(v.toString(), codePage);
        if (text.size() > c.size) throw std::runtime_error("text wider than its column");
        std::memcpy(out.data(), text.constData(), size_t(text.size()));
        break;
    }
    case 0x02: qToBigEndian<quint32>(quint32(v.toDate().toJulianDay() - 1721425) ^ 0x80000000u, out.data()); break;
    case 0x03: qToBigEndian<quint16>(quint16(v.toInt()) ^ 0x8000u, out.data()); break;
    case 0x04:
    case 0x16: qToBigEndian<quint32>(quint32(v.toInt()) ^ 0x80000000u, out.data()); break;
    case 0x06: {
        const double d = v.toDouble();
        quint64 bits;
        std::memcpy(&bits, &d, sizeof bits);
        bits = (bits & 0x8000000000000000ull) ? ~bits : bits | 0x8000000000000000ull;
        qToBigEndian<quint64>(bits, out.data());
        break;
    }
    default: throw std::runtime_error("type the writer does not know");
    }
    return out;
}

}  // namespace

std::vector<PxColumn> columnsOf(const schema::TableDef& def, int version) {
    std::vector<PxColumn> out;
    for (const auto& f : def.fields) {
        switch (f.type) {
        case schema::FieldType::Alpha: out.push_back({f.name, 0x01, f.width}); break;
        case schema::FieldType::Date: out.push_back({f.name, 0x02, 4}); break;
        case schema::FieldType::Short: out.push_back({f.name, 0x03, 2}); break;
        case schema::FieldType::Number: out.push_back({f.name, 0x06, 8}); break;
        case schema::FieldType::Autoinc: out.push_back({f.name, version >= 0x0A ? 0x16 : 0x04, 4}); break;
        case schema::FieldType::Timestamp: out.push_back({f.name, 0x15, 8}); break;
        }
    }
    return out;
}

QByteArray encodeText(const QString& text, int codePage) {
    if (codePage == 1252) {
        QStringEncoder e("windows-1252");
        QByteArray b = e.encode(text);
        if (e.hasError()) throw std::runtime_error("not in 1252");
        return b;
    }
    static const std::map<char16_t, char> cp850 = {
        {u'á', '\xA0'}, {u'é', '\x82'}, {u'í', '\xA1'}, {u'ó', '\xA2'}, {u'ú', '\xA3'}, {u'â', '\x83'},
        {u'ê', '\x88'}, {u'ô', '\x93'}, {u'ã', '\xC6'}, {u'õ', '\xE4'}, {u'ç', '\x87'}, {u'à', '\x85'},
        {u'ü', '\x81'}, {u'Á', '\xB5'}, {u'É', '\x90'}, {u'Í', '\xD6'}, {u'Ó', '\xE0'}, {u'Ú', '\xE9'},
        {u'Â', '\xB6'}, {u'Ê', '\xD2'}, {u'Ô', '\xE2'}, {u'Ã', '\xC7'}, {u'Õ', '\xE5'}, {u'Ç', '\x80'},
        {u'º', '\xA7'}, {u'ª', '\xA6'}, {u'░', '\xB0'},
    };
    QByteArray out;
    for (QChar c : text) {
        if (c.unicode() < 0x80) {
            out += char(c.unicode());
            continue;
        }
        const auto it = cp850.find(c.unicode());
        if (it == cp850.end()) throw std::runtime_error("not in the writer's 850 letters");
        out += it->second;
    }
    return out;
}

QByteArray paradoxBytes(const PxTable& t) {
    const int n = int(t.columns.size());
    int recordSize = 0;
    for (const auto& c : t.columns) recordSize += c.size;
    const int tableNameLength = t.version >= 0x0C ? 261 : 79;

    QByteArray names;
    for (const auto& c : t.columns) names += encodeText(c.name, t.codePage) + '\0';
    const int used = 0x78 + n * 2 + 4 + n * 4 + tableNameLength + int(names.size()) + n * 2 + 9;
    const int headerSize = (used + 0x7FF) / 0x800 * 0x800;
    const int blockSize = t.blockKb * 1024;
    const int perBlock = (blockSize - 6) / recordSize;
    const int rows = int(t.rows.size());
    const int blocks = (rows + perBlock - 1) / perBlock;

    QByteArray h(headerSize, '\0');
    put16(h, 0x00, recordSize);
    put16(h, 0x02, headerSize);
    h[0x04] = char(t.version >= 0x0A ? 0 : 2);  // keyed from Paradox 5 on, as those tables were
    h[0x05] = char(t.blockKb);
    put32(h, 0x06, rows);
    put16(h, 0x0A, blocks);
    put16(h, 0x0C, blocks);
    put16(h, 0x0E, blocks ? 1 : 0);
    put16(h, 0x10, blocks);
    put16(h, 0x21, n);
    put32(h, 0x25, 0xFF00FF00u);
    h[0x39] = char(t.version);
    put32(h, 0x49, t.autoincCounter);
    put16(h, 0x58, 0x0100 | t.version);
    put16(h, 0x5A, 0x0100 | t.version);
    put16(h, 0x64, n + 1);
    put16(h, 0x6A, t.codePage);
    int at = 0x78;
    for (const auto& c : t.columns) {
        h[at++] = char(c.type);
        h[at++] = char(c.size);
    }
    at += 4 + n * 4;
    const QByteArray tableName = "tabela";
    std::memcpy(h.data() + at, tableName.constData(), size_t(tableName.size()));
    at += tableNameLength;
    std::memcpy(h.data() + at, names.constData(), size_t(names.size()));
    at += int(names.size());
    for (int i = 0; i < n; ++i, at += 2) put16(h, at, i + 1);
    std::memcpy(h.data() + at, "ANSIINTL", 8);

    QByteArray data(qsizetype(blocks) * blockSize, '\0');
    for (int b = 0; b < blocks; ++b) {
        const int first = b * perBlock;
        const int count = std::min(perBlock, rows - first);
        char* block = data.data() + qsizetype(b) * blockSize;
        qToLittleEndian<quint16>(quint16(b + 1 < blocks ? b + 2 : 0), block);
        qToLittleEndian<quint16>(quint16(b), block + 2);
        qToLittleEndian<qint16>(qint16((count - 1) * recordSize), block + 4);
        char* p = block + 6;
        for (int r = first; r < first + count; ++r)
            for (size_t i = 0; i < t.columns.size(); ++i) {
                const QByteArray v = value(t.columns[i], t.rows[size_t(r)][i], t.codePage);
                std::memcpy(p, v.constData(), size_t(v.size()));
                p += v.size();
            }
    }
    return h + data;
}

void writeParadox(const QString& path, const PxTable& table) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) throw std::runtime_error("cannot write the table");
    f.write(paradoxBytes(table));
}

}  // namespace meru::test
