#include "earlier_store.h"

#include "data/sqlite_connection.h"
#include "data/value_codec.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>

namespace meru::test {

namespace {
const QString kCnpj = QStringLiteral("11222333000181");
}

EarlierStore::EarlierStore() {
    QDir().mkpath(based());
    QFile tsv(ourMunicipalities());
    tsv.open(QIODevice::WriteOnly);
    tsv.write("AR_CODNOVO\tAR_DESCR\n5200050\tAbadia de Goiás - GO\n5300108\tBrasília - DF\n5208707\tGoiânia - GO\n");
}

void EarlierStore::write(const QString& fileName, const PxTable& table) {
    tables[fileName] = table;
    writeParadox(file(fileName), table);
}

void EarlierStore::writeAll(int version, int codePage, int invoices) {
    write(QStringLiteral("movimento.DB"), movimentoTable(version, codePage, invoices));
    write(QStringLiteral("cadastro.DB"), cadastroTable(version, codePage));
    write(QStringLiteral("municipios.DB"), municipiosTable(version, codePage));
    write(QStringLiteral("referencias.DB"), referenciasTable(version, codePage));
}

PxTable movimentoTable(int version, int codePage, int invoices) {
    PxTable t{version, codePage, 2, 0, columnsOf(schema::movimento(), version), {}};
    const char* gerado[] = {"N", "S", "G", "S"};
    for (int i = 1; i <= invoices; ++i) {
        const int id = i * 3;  // numbers with gaps, as deletions leave them
        const QDate day = QDate(2001, 1, 1).addDays(i % 2000);
        t.rows.push_back({
            id,
            i % 13 == 0 ? QVariant() : QVariant(kCnpj),
            QStringLiteral("Proc. nº %1/ação").arg(i),
            i % 7 == 0 ? QVariant() : QVariant(day.addDays(-10)),
            i % 9 == 0 ? QVariant() : QVariant(day),
            i % 11 == 0 ? QVariant() : QVariant(i % 5 == 0 ? -1234.5 - i : 0.01 * i + 1e6 * (i % 3)),
            QStringLiteral("%1").arg(33000167000100LL + i, 14, 10, QLatin1Char('0')),
            i % 17 == 0 ? QVariant() : QVariant(QStringLiteral("ISENTO-%1").arg(i)),
            QStringLiteral("%1%2").arg(day.month(), 2, 10, QLatin1Char('0')).arg(day.year()),
            i % 4 == 0 ? QStringLiteral("S") : QStringLiteral("N"),
            QString::fromLatin1(gerado[i % 4]),
            QStringLiteral("NF-%1").arg(i, 27, 10, QLatin1Char('0')),  // 30: the column's width
            i % 2 ? QVariant(QStringLiteral("V")) : QVariant(),
        });
    }
    t.autoincCounter = invoices * 3 + 500;
    return t;
}

PxTable cadastroTable(int version, int codePage) {
    PxTable t{version, codePage, 2, 12, columnsOf(schema::cadastro(), version), {}};
    auto unit = [](QVariant name, QVariant resp, QVariant status, int id) {
        return std::vector<QVariant>{name, QStringLiteral("Praça Cívica, nº 1"), QStringLiteral("Setor Central"),
                                     QStringLiteral("74003-010"), QStringLiteral("GO"), resp,
                                     QStringLiteral("(62) 3201-0000"), QVariant(), QStringLiteral("ug@go.gov.br"),
                                     QVariant(), QStringLiteral("5208707"), kCnpj, status, id};
    };
    t.rows.push_back(unit(QStringLiteral("Secretaria de Educação e Saúde"), QStringLiteral("José Antônio Conceição"),
                          QStringLiteral("S"), 1));
    t.rows.push_back(unit(QStringLiteral("ÓRGÃO ÚNICO DE AÇÃO"), QVariant(), QStringLiteral("C"), 4));
    t.rows.push_back(unit(QString(70, QChar(u'ã')), QStringLiteral("Maria da Glória"), QStringLiteral("N"), 9));
    return t;
}

PxTable municipiosTable(int version, int codePage) {
    PxTable t{version, codePage, 1, 0, columnsOf(schema::municipios(), version), {}};
    t.rows = {
        {3, QStringLiteral("Abadia (nome antigo)"), QStringLiteral("5200050"), QStringLiteral("01"), 1.5, 2.25},
        {-7, QStringLiteral("Município Extinto"), QStringLiteral("9999990"), QVariant(), QVariant(), -3.75},
        {QVariant(), QStringLiteral("Sem código"), QVariant(), QVariant(), 0.0, QVariant()},
    };
    return t;
}

PxTable referenciasTable(int version, int codePage) {
    PxTable t{version, codePage, 1, 7, columnsOf(schema::referencias(), version), {}};
    t.rows = {{7, QVariant(), QStringLiteral("062004")}};
    return t;
}

std::vector<std::vector<QVariant>> storedRows(const QString& dbFile, const schema::TableDef& def) {
    sqlite::Connection c(dbFile, sqlite::Connection::Mode::ReadWrite);
    sqlite::Statement st(c.handle(), QStringLiteral("SELECT * FROM \"%1\" ORDER BY rowid").arg(def.name));
    std::vector<std::vector<QVariant>> rows;
    while (st.step()) {
        std::vector<QVariant> row;
        for (int i = 0; i < st.columnCount(); ++i) row.push_back(codec::fromStorage(def.fields[size_t(i)].type, st.column(i)));
        rows.push_back(row);
    }
    return rows;
}

bool sameValue(schema::FieldType type, const QVariant& stored, const QVariant& written) {
    const bool writtenNull = !written.isValid() || (type == schema::FieldType::Alpha && written.toString().isEmpty());
    if (!stored.isValid() || writtenNull) return !stored.isValid() && writtenNull;
    switch (type) {
    case schema::FieldType::Alpha: return stored.toString() == written.toString();
    case schema::FieldType::Number: return stored.toDouble() == written.toDouble();
    case schema::FieldType::Date: return stored.toDate() == written.toDate();
    default: return stored.toLongLong() == written.toLongLong();
    }
}

std::map<QString, QByteArray> snapshot(const QString& dir) {
    std::map<QString, QByteArray> files;
    QDirIterator it(dir, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        QFile f(path);
        f.open(QIODevice::ReadOnly);
        files[QDir(dir).relativeFilePath(path)] = f.readAll();
    }
    return files;
}

}  // namespace meru::test
