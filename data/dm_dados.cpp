#include "dm_dados.h"

namespace meru {

Tdm_dados* dm_dados = nullptr;

namespace {

Table* filteredView(const QString& name, const QString& table, Database* db, QObject* owner) {
    auto* t = new Table(name, db, owner);
    t->setTableName(table);
    t->setFiltered(true);
    return t;
}

void showValueAsCurrency(Table* view) { view->fieldByName(QStringLiteral("mov_vl_valor"))->setCurrency(true); }

}  // namespace

Tdm_dados::Tdm_dados(QObject* parent) : QObject(parent) {
    setObjectName(QStringLiteral("dm_dados"));

    qry_municipios = new Query(QStringLiteral("qry_municipios"), nullptr, this);
    qry_municipios->setSql({QStringLiteral("select * from MUNICIPIOS")});
    qry_cadastro = new Query(QStringLiteral("qry_cadastro"), nullptr, this);
    qry_cadastro->setSql({QStringLiteral("select * from CADASTRO")});
    qry_cadastro->setRequestLive(true);

    Database1 = new Database(this);
    Database1->setAliasName(QStringLiteral("MERUDBPX"));
    Database1->setDatabaseName(QStringLiteral("BANCO"));

    qry_login = new Query(QStringLiteral("qry_login"), Database1, this);
    qry_login_municipios = new Query(QStringLiteral("qry_login_municipios"), Database1, this);
    qry_cadastro_swap = new Query(QStringLiteral("qry_cadastro_swap"), Database1, this);
    qry_cadastro_swap->setSql({QStringLiteral("select * from CADASTRO")});
    ds_qry_login_municipios = new DataSource(QStringLiteral("ds_qry_login_municipios"), qry_login_municipios, this);
    ds_qry_login = new DataSource(QStringLiteral("ds_qry_login"), qry_login, this);

    qry_referencias = new Query(QStringLiteral("qry_referencias"), Database1, this);
    qry_referencias->setSql({QStringLiteral("select * from referencias")});
    qry_referencias->setRequestLive(true);

    tab_movimento_atual = filteredView(QStringLiteral("tab_movimento_atual"), QStringLiteral("movimento"), Database1, this);
    tab_movimento_nao_env = filteredView(QStringLiteral("tab_movimento_nao_env"), QStringLiteral("movimento"), Database1, this);

    tab_saida_cad = new ExportTable(QStringLiteral("tab_saida_cad"), schema::cadastroExport(), this);
    tab_saida_cad->setTableName(QStringLiteral("a:\\cadastro.DB"));
    tab_saida_mov = new ExportTable(QStringLiteral("tab_saida_mov"), schema::movimentoExport(), this);
    tab_saida_mov->setTableName(QStringLiteral("a:\\movimento.DB"));

    tab_cadastros_nao_env = filteredView(QStringLiteral("tab_cadastros_nao_env"), QStringLiteral("cadastro"), Database1, this);

    BatchMove1 = new BatchMove(QStringLiteral("BatchMove1"), this);
    BatchMove1->setSource(tab_movimento_nao_env);
    BatchMove1->setDestination(tab_saida_mov);
    BatchMove2 = new BatchMove(QStringLiteral("BatchMove2"), this);
    BatchMove2->setSource(tab_cadastros_nao_env);
    BatchMove2->setDestination(tab_saida_cad);

    qry_mov_tornagerado = new SqlStatement(QStringLiteral("qry_mov_tornagerado"), Database1, this);
    qry_mov_tornagerado->setSql({QStringLiteral("update movimento"), QStringLiteral("set mov_tp_gerado = 'S'"),
                                 QStringLiteral("where mov_tp_gerado = 'N'")});
    qry_cad_tornagerado = new SqlStatement(QStringLiteral("qry_cad_tornagerado"), Database1, this);
    qry_cad_tornagerado->setSql({QStringLiteral("update cadastro"), QStringLiteral("set cad_status = 'S'"),
                                 QStringLiteral("where cad_status not like 'C' ")});

    tab_movimento_dupli = filteredView(QStringLiteral("tab_movimento_dupli"), QStringLiteral("movimento"), Database1, this);
    apaga_mov = new Table(QStringLiteral("apaga_mov"), Database1, this);
    apaga_mov->setTableName(QStringLiteral("movimento.DB"));
    apaga_ref = new Table(QStringLiteral("apaga_ref"), Database1, this);
    apaga_ref->setTableName(QStringLiteral("referencias.DB"));

    // The two queries created before the connection name BANCO too.
    qry_municipios->setDatabase(Database1);
    qry_cadastro->setDatabase(Database1);

    Database1->open();
    qry_municipios->open();
    qry_referencias->open();
    tab_movimento_atual->open();
    showValueAsCurrency(tab_movimento_atual);
    tab_movimento_nao_env->open();
    showValueAsCurrency(tab_movimento_nao_env);
    tab_cadastros_nao_env->open();
    tab_movimento_dupli->open();
    apaga_mov->open();
    apaga_ref->open();
}

Tdm_dados::~Tdm_dados() {
    if (dm_dados == this) dm_dados = nullptr;
}

Field* Tdm_dados::fieldObject(const QString& objectName) const {
    for (Dataset* d : findChildren<Dataset*>(QString(), Qt::FindDirectChildrenOnly))
        if (objectName.startsWith(d->name(), Qt::CaseInsensitive))
            if (Field* f = d->findFieldObject(objectName)) return f;
    return nullptr;
}

}  // namespace meru
