#pragma once
// The invoice list: the unsent invoices or, at the operator's choice, the sent
// ones, of every unit and month, through a table view of its own. From it the
// operator deletes an unsent invoice, goes to the correction window, and
// previews or prints the summary report of the invoices listed.

#include "shell/form.h"

#include <QGroupBox>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QWidget>

namespace meru {

class DataSource;
class Table;
namespace controls { class DBGrid; }

class Tfrm_sele_notas : public Form<QWidget> {
    Q_OBJECT
public:
    explicit Tfrm_sele_notas(QWidget* owner);

    void FormCreate() override;
    void FormClose(CloseAction& Action) override;
    void RadioButton1Click();
    void RadioButton2Click();
    void BitBtn1Click();
    void BitBtn2Click();
    void BitBtn3Click();
    void BitBtn4Click();
    void BitBtn5Click();

    Table* tab_movimento;
    DataSource* ds_movimento;
    QGroupBox* GroupBox1;
    QGroupBox* GroupBox2;
    QPushButton* BitBtn1;
    QPushButton* BitBtn2;
    QPushButton* BitBtn3;
    QPushButton* BitBtn4;
    QPushButton* BitBtn5;
    QGroupBox* GroupBox3;
    QRadioButton* RadioButton1;
    QRadioButton* RadioButton2;
    controls::DBGrid* dbgrid_movimento_atual;

protected:
    void showEvent(QShowEvent* event) override;

private:
    bool placed_ = false;
    void mostra_enviadas(bool enviadas);
    // Deletes the current invoice, by its row number, while it is still unsent.
    void exclui_nota();
    void ajusta_tamanho();
};

extern QPointer<Tfrm_sele_notas> frm_sele_notas;

}  // namespace meru
