#include "schema.h"

namespace meru::schema {

namespace {
using T = FieldType;

TableDef makeCadastro() {
    TableDef t;
    t.name = QStringLiteral("CADASTRO");
    t.fileName = QStringLiteral("cadastro.DB");
    t.fields = {
        {"cad_dc_unidade", T::Alpha, 70},   {"cad_dc_endereco", T::Alpha, 70},
        {"cad_dc_bairro", T::Alpha, 70},    {"cad_nr_cep", T::Alpha, 18},
        {"cad_sg_uf", T::Alpha, 4},         {QString::fromUtf8("cad_nm_responsável"), T::Alpha, 70},
        {"cad_nr_fone", T::Alpha, 22},      {"cad_nr_fax", T::Alpha, 22},
        {"cad_dc_email", T::Alpha, 70},     {"cad_dc_municipio", T::Alpha, 70},
        {"cad_cd_municipio", T::Alpha, 12}, {"cad_cd_cnpj", T::Alpha, 28},
        {"cad_status", T::Alpha, 2},        {"Cad_controle", T::Autoinc, 0},
    };
    t.indexes = {{"cad_cd_cnpj"}};
    return t;
}

TableDef makeMovimento() {
    TableDef t;
    t.name = QStringLiteral("MOVIMENTO");
    t.fileName = QStringLiteral("movimento.DB");
    t.fields = {
        {"mov_cd_controle", T::Autoinc, 0},     {"cad_cd_cnpj", T::Alpha, 28},
        {"mov_nr_processo", T::Alpha, 24},      {"mov_dt_processo", T::Date, 0},
        {"mov_dt_notaf", T::Date, 0},           {"mov_vl_valor", T::Number, 0},
        {"mov_cd_cnpj", T::Alpha, 28},          {"mov_nr_inscricao", T::Alpha, 28},
        {"mov_dt_referencia", T::Alpha, 12},    {"mov_tp_retificadora", T::Alpha, 2},
        {"mov_tp_gerado", T::Alpha, 2},         {"mov_nr_nf", T::Alpha, 30},
        {"Mov_cd_validade", T::Alpha, 1},
    };
    t.indexes = {{"mov_dt_referencia"}, {"mov_tp_gerado"}, {"mov_cd_cnpj", "mov_nr_nf"}};
    return t;
}

TableDef makeMunicipios() {
    TableDef t;
    t.name = QStringLiteral("MUNICIPIOS");
    t.fileName = QStringLiteral("municipios.DB");
    t.fields = {
        {"AR_AGRE", T::Short, 0},      {"AR_DESCR", T::Alpha, 70}, {"AR_CODNOVO", T::Alpha, 12},
        {"AR_DELEGAC", T::Alpha, 2},   {"AR_TOTP", T::Number, 0},  {"AR_TOTA", T::Number, 0},
    };
    t.indexes = {{"AR_CODNOVO"}};
    return t;
}

TableDef makeReferencias() {
    TableDef t;
    t.name = QStringLiteral("referencias");
    t.fileName = QStringLiteral("referencias.DB");
    t.fields = {
        {"ref_controle", T::Autoinc, 0},
        {"cad_cd_cnpj", T::Alpha, 28},
        {"ref_mesreferencia", T::Alpha, 12},
    };
    return t;
}

// Every field of the unit row forms the key: Cad_controle makes it unique, so no
// row of the working table can collide, and Paradox wants key fields leading.
TableDef makeCadastroExport() {
    TableDef t = makeCadastro();
    t.indexes.clear();
    t.keyFieldCount = int(t.fields.size());
    return t;
}

// The working row number leads the invoice table and is its key.
TableDef makeMovimentoExport() {
    TableDef t = makeMovimento();
    t.indexes.clear();
    for (auto& f : t.fields)
        if (f.type == T::Date) f.type = T::Timestamp;
    t.keyFieldCount = 1;
    return t;
}
}  // namespace

int TableDef::indexOf(const QString& fieldName) const {
    for (size_t i = 0; i < fields.size(); ++i)
        if (fields[i].name.compare(fieldName, Qt::CaseInsensitive) == 0) return int(i);
    return -1;
}

const FieldDef* TableDef::field(const QString& fieldName) const {
    int i = indexOf(fieldName);
    return i < 0 ? nullptr : &fields[size_t(i)];
}

int TableDef::autoincIndex() const {
    for (size_t i = 0; i < fields.size(); ++i)
        if (fields[i].type == FieldType::Autoinc) return int(i);
    return -1;
}

const TableDef& cadastro() { static const TableDef t = makeCadastro(); return t; }
const TableDef& movimento() { static const TableDef t = makeMovimento(); return t; }
const TableDef& municipios() { static const TableDef t = makeMunicipios(); return t; }
const TableDef& referencias() { static const TableDef t = makeReferencias(); return t; }
const TableDef& cadastroExport() { static const TableDef t = makeCadastroExport(); return t; }
const TableDef& movimentoExport() { static const TableDef t = makeMovimentoExport(); return t; }

const std::vector<const TableDef*>& workingTables() {
    static const std::vector<const TableDef*> all{&movimento(), &cadastro(), &municipios(),
                                                  &referencias()};
    return all;
}

QString typeName(FieldType type) {
    switch (type) {
    case FieldType::Alpha: return QStringLiteral("Alpha");
    case FieldType::Number: return QStringLiteral("Number");
    case FieldType::Date: return QStringLiteral("Date");
    case FieldType::Timestamp: return QStringLiteral("Timestamp");
    case FieldType::Short: return QStringLiteral("Short");
    case FieldType::Autoinc: return QStringLiteral("Autoinc");
    }
    return {};
}

}  // namespace meru::schema
