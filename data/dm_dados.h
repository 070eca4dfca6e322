#pragma once
// The data module: the connection BANCO and every dataset that the windows share.

#include "data/batch_move.h"
#include "data/data_source.h"
#include "data/database.h"
#include "data/export_table.h"
#include "data/query.h"
#include "data/sql_statement.h"
#include "data/table.h"

#include <QObject>

namespace meru {

class Tdm_dados : public QObject {
    Q_OBJECT
public:
    // Builds every component and opens the connection and the datasets marked open
    // at creation; raises the engine's message when one of them cannot be opened.
    explicit Tdm_dados(QObject* parent = nullptr);
    ~Tdm_dados() override;

    // A field object by its name, e.g. "tab_movimento_atualmov_tp_gerado".
    Field* fieldObject(const QString& objectName) const;

    Query* qry_municipios;
    Query* qry_cadastro;
    Database* Database1;
    Query* qry_login;
    Query* qry_login_municipios;
    Query* qry_cadastro_swap;
    DataSource* ds_qry_login_municipios;
    DataSource* ds_qry_login;
    Query* qry_referencias;
    Table* tab_movimento_atual;
    Table* tab_movimento_nao_env;
    ExportTable* tab_saida_cad;
    ExportTable* tab_saida_mov;
    Table* tab_cadastros_nao_env;
    BatchMove* BatchMove1;
    BatchMove* BatchMove2;
    SqlStatement* qry_mov_tornagerado;
    SqlStatement* qry_cad_tornagerado;
    Table* tab_movimento_dupli;
    Table* apaga_mov;
    Table* apaga_ref;
};

// The single instance, created at start-up right after the main window.
extern Tdm_dados* dm_dados;

}  // namespace meru
