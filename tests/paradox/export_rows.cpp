#include "export_rows.h"

#include "data/paradox/paradox_table.h"

namespace meru::paradox::test {

Row Invoice::row() const {
    return {controle, cnpjUnidade, processo, dtProcesso, dtNota, valor, cnpj,
            inscricao, referencia, retificadora, gerado, nf, validade};
}

Row Unit::row() const {
    return {unidade, endereco, bairro, cep, uf, responsavel, fone,
            fax, email, municipio, cdMunicipio, cnpjUnidade, status, controle};
}

QString ParadoxTest::makeTemplate(const schema::TableDef& def) {
    const QString p = path(def.fileName);
    createTable(def, p);
    return p;
}

void ParadoxTest::appendAll(const schema::TableDef& def, const QString& dbPath, const std::vector<Row>& rows) {
    ParadoxTable table(def);
    table.open(dbPath);
    for (const auto& r : rows) table.append(r);
    table.close();
}

}  // namespace meru::paradox::test
