#pragma once
// The registry of managing units: shows, registers and corrects the rows of
// CADASTRO through the data module's live query.

#include "data/dataset_state.h"
#include "shell/form.h"

#include <QGroupBox>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QWidget>

namespace meru {

class DataSource;
namespace controls { class DBEdit; class DBLookupComboBox; }

class Tfrm_unidadesgestoras : public Form<QWidget> {
    Q_OBJECT
public:
    explicit Tfrm_unidadesgestoras(QWidget* owner);

    void FormCreate() override;
    void FormActivate() override;
    void FormClose(CloseAction& Action) override;
    void dt_cadastroStateChange();
    void btb_novaunidadeClick();
    void btb_alterarunidadeClick();
    void btb_gravarunidadeClick();
    void btb_sairClick();

    DataSource* dt_cadastro;
    DataSource* ds_municipios;
    QGroupBox* GroupBox1;
    controls::DBEdit* dbedt_cnpj;
    controls::DBEdit* dbedt_unidadegestora;
    controls::DBEdit* dbedt_endereco;
    controls::DBEdit* dbedt_bairro;
    controls::DBEdit* dbedt_cep;
    controls::DBEdit* dbedt_uf;
    controls::DBEdit* dbedt_fone;
    controls::DBEdit* dbedt_fax;
    controls::DBEdit* dbedt_email;
    controls::DBEdit* dbedt_responsavel;
    controls::DBLookupComboBox* dbedt_cadastromun;
    QGroupBox* GroupBox2;
    QPushButton* btb_gravarunidade;
    QPushButton* btb_novaunidade;
    QPushButton* btb_sair;
    QPushButton* btb_alterarunidade;
    QLabel* Label_obrigatorios;

private:
    bool grava_unidade(bool store);
    bool localiza_unidade(const QString& cnpj);
    // Shows a failed check and moves the focus to its control.
    bool refuse(const QString& message, QWidget* control);
};

extern QPointer<Tfrm_unidadesgestoras> frm_unidadesgestoras;

}  // namespace meru
