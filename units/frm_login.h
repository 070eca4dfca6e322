#pragma once
// The confirmation of the managing unit: the operator types its CNPJ, sees its
// registration and starts the work, registers a new unit, or corrects the unit.

#include "shell/form.h"

#include <QDialog>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPointer>
#include <QPushButton>

namespace meru {

namespace controls { class DBEdit; class MaskEdit; }

class Tfrm_login : public Form<QDialog> {
    Q_OBJECT
public:
    explicit Tfrm_login(QWidget* owner);

    void FormActivate() override;
    void FormClose(CloseAction& Action) override;
    void btb_confirmarClick();
    void btb_iniciarsistemaClick();
    void BitBtn1Click();

    QGroupBox* GroupBox1;
    controls::MaskEdit* mskedt_cnpj;
    QPushButton* btb_confirmar;
    QPushButton* btb_iniciarsistema;
    QGroupBox* GroupBox2;
    controls::DBEdit* dbedt_unidadegestora;
    controls::DBEdit* dbedt_endereco;
    controls::DBEdit* dbedt_bairro;
    controls::DBEdit* dbedt_responsavel;
    controls::DBEdit* dbedt_cadastromun;
    controls::DBEdit* dbedt_municipio;
    QPushButton* BitBtn1;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void confere_cnpj();
    controls::DBEdit* displayField(QWidget* parent, const char* name, const QString& label, const char* field,
                                   bool municipality, QFormLayout* form);
};

extern QPointer<Tfrm_login> frm_login;

}  // namespace meru
