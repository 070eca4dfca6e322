#pragma once
// The main window: the frame every window opens from, its menu, toolbar, status
// bar and clock, and the switches of the commands that need a confirmed unit.

#include "app/timings.h"
#include "shell/globals.h"
#include "shell/main_window.h"
#include "shell/window_reuse.h"
#include "transmission/gera_disquete.h"

#include <QLabel>
#include <QMainWindow>
#include <QMdiArea>
#include <QMenu>
#include <QPointer>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

namespace meru {

class Tfrm_splash;
class Tfrm_sobre;

class Tfrm_menu : public MainWindow {
    Q_OBJECT
public:
    explicit Tfrm_menu(const Timings& timings = {}, QWidget* parent = nullptr);
    ~Tfrm_menu() override;

    bool valida_cnpj(const QString& text) const override;
    bool valida_inscricao(const QString& text) const override;
    void abre_login() override;
    void habilita_menus() override;
    void desabilita_menus() override;
    void abre_inclusao_notas() override;

    QString statusUnit() const override { return statusPanel(2)->text(); }
    void setStatusUnit(const QString& text) override { statusPanel(2)->setText(text); }
    QMdiArea* mdiArea() const override { return mdi_; }

    QLabel* statusPanel(int index) const { return panels_[index]; }
    const Timings& timings() const { return timings_; }

    // Handlers.
    void FormCreate();
    void timerTimer();
    void btb_abremesClick();
    void btb_fechamesClick();
    void gera_disquete(const QString& referencia, unsigned char regera) override;
    void btb_sairClick();
    void mn_loginClick();
    void mn_dadosunidadeClick();
    void mn_sairClick();
    void ControleGeral1Click();
    void GerarNovamente1Click();
    void LimparBancodeDados1Click();
    void mn_sobreClick();

    // Controls.
    QToolBar* ToolBar1;
    QToolButton* btb_abremes;
    QToolButton* btb_fechames;
    QToolButton* btb_sair;
    QMenuBar* mainmenu;
    QMenu* Menu011;
    QAction* mn_login;
    QAction* mn_dadosunidade;
    QAction* mn_no02;
    QAction* mn_sair;
    QMenu* mn_notasfiscais;
    QAction* mn_inclusaonotas;
    QAction* ControleGeral1;
    QAction* GerarNovamente1;
    QAction* N1;
    QAction* LimparBancodeDados1;
    QAction* mn_sobre;
    QStatusBar* statusbar;
    QTimer* timer;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildToolBar();
    void buildMenu();
    void buildStatusBar();
    void reconstroi_tabelas();

    Timings timings_;
    DisketteGeneration transmissao_{this};
    QMdiArea* mdi_;
    QLabel* panels_[3];
};

}  // namespace meru
