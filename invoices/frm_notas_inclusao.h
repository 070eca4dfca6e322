#pragma once
// Invoice entry: the operator types the invoices of the open reference month one
// at a time, under the list of those already stored for that month. Each one is
// stored after a fixed chain of checks. The correction window derives from it.

#include "shell/form.h"

#include <QGroupBox>
#include <QPointer>
#include <QPushButton>
#include <QWidget>

namespace meru {

class DataSource;
class Query;
namespace controls { class DBCheckBox; class DBEdit; class DBGrid; }

class Tfrm_notas_inclusao : public Form<QWidget> {
    Q_OBJECT
public:
    explicit Tfrm_notas_inclusao(QWidget* owner);

    void FormCreate() override;
    void FormClose(CloseAction& Action) override;
    // Enter moves on as Tab does; Esc clicks "&Cancelar" while it is enabled. True
    // when the key was taken.
    virtual bool FormKeyPress(QKeyEvent* event);
    virtual void ds_movimentoStateChange();
    void btb_inserirnfClick();
    void BitBtn1Click();
    void BitBtn2Click();
    void BitBtn3Click();
    void BitBtn4Click();
    void dbedt_cgcemitenteEnter();
    void dbedt_dtnfEnter();
    void dbedt_dtprocEnter();
    void dbedt_inscesExit();
    void dbedt_nrnfExit();
    bool nota_duplicada();

    DataSource* ds_movimento;
    QGroupBox* GroupBox1;
    controls::DBEdit* dbedt_cgcemitente;
    controls::DBEdit* dbedt_insces;
    controls::DBEdit* dbedt_nrproc;
    controls::DBEdit* dbedt_nrnf;
    controls::DBEdit* dbedt_vlnf;
    controls::DBEdit* dbedt_dtnf;
    controls::DBEdit* dbedt_dtproc;
    controls::DBCheckBox* DBCheckBox1;
    QGroupBox* GroupBox2;
    controls::DBGrid* dbgrid_movimento_atual;
    QPushButton* btb_inserirnf;
    QPushButton* BitBtn1;
    QPushButton* BitBtn3;
    QPushButton* BitBtn2;
    QPushButton* BitBtn4;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    // Shows a failed check and, when given, moves the focus to its control.
    void refuse(const QString& message, QWidget* control = nullptr);
    bool campos_preenchidos() const;
    bool unidade_cadastrada();

    Query* qry_nota_duplicada;
    Query* qry_unidade;
    bool centred_ = false;
};

extern QPointer<Tfrm_notas_inclusao> frm_notas_inclusao;

}  // namespace meru
