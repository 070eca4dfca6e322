#pragma once
// Rows of the two export tables for the tests, with every field named, and a
// temporary directory holding fresh templates.

#include "data/schema.h"

#include <QDate>
#include <QTemporaryDir>
#include <QVariant>
#include <gtest/gtest.h>
#include <vector>

#include <ostream>

// Readable failures.
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
inline void PrintTo(const QVariant& v, std::ostream* os) {
    if (v.isNull()) *os << "NULL";
    else *os << v.typeName() << '(' << v.toString().toStdString() << ')';
}

namespace meru::paradox::test {

using Row = std::vector<QVariant>;

struct Invoice {
    QVariant controle = QVariant();  // NULL: the table assigns it
    QVariant cnpjUnidade = QStringLiteral("12345678000195");
    QVariant processo = QStringLiteral("P-2004/001");
    QVariant dtProcesso = QDate(2004, 3, 15);
    QVariant dtNota = QDate(2004, 3, 15);
    QVariant valor = 1234.56;
    QVariant cnpj = QStringLiteral("11222333000181");
    QVariant inscricao = QStringLiteral("123456789");
    QVariant referencia = QStringLiteral("032004");
    QVariant retificadora = QStringLiteral("N");
    QVariant gerado = QStringLiteral("N");
    QVariant nf = QStringLiteral("000123");
    QVariant validade = QVariant();
    Row row() const;
};

struct Unit {
    QVariant unidade = QStringLiteral("Secretaria da Fazenda");
    QVariant endereco = QStringLiteral("Rua Um, 1");
    QVariant bairro = QStringLiteral("Centro");
    QVariant cep = QStringLiteral("69900000");
    QVariant uf = QStringLiteral("AC");
    QVariant responsavel = QStringLiteral("Maria");
    QVariant fone = QStringLiteral("6832230000");
    QVariant fax = QVariant();
    QVariant email = QStringLiteral("sefaz@ac.gov.br");
    QVariant municipio = QVariant();
    QVariant cdMunicipio = QStringLiteral("0001");
    QVariant cnpjUnidade = QStringLiteral("12345678000195");
    QVariant status = QStringLiteral("N");
    QVariant controle = QVariant();
    Row row() const;
};

class ParadoxTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir_.isValid()); }
    QString path(const QString& name) const { return dir_.filePath(name); }
    // A fresh empty table (with its index) in the test's directory.
    QString makeTemplate(const schema::TableDef& def);
    // Opens the table at `dbPath`, appends `rows` (all must be taken) and closes it.
    void appendAll(const schema::TableDef& def, const QString& dbPath, const std::vector<Row>& rows);

private:
    QTemporaryDir dir_;
};

}  // namespace meru::paradox::test
