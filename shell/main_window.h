#pragma once
// The main window as every other window sees it: the frame that owns them (and
// holds the MDI children), its caption, its unit panel, and the operations that
// the windows call on it. app/ implements it; the subsystems reach it only here.

#include "shell/window_reuse.h"

#include <QMainWindow>
#include <QPointer>
#include <QString>

class QMdiArea;

namespace meru {

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    using QMainWindow::QMainWindow;

    // The check digits of a CNPJ text; a pure function of the text.
    virtual bool valida_cnpj(const QString& text) const = 0;
    // The check digit of a state registration; a pure function of the text that
    // never raises.
    virtual bool valida_inscricao(const QString& text) const = 0;

    // Opens the unit confirmation by the window-reuse rule, then names no unit
    // in the caption and the unit panel.
    virtual void abre_login() = 0;
    // Opens the invoice entry window by the window-reuse rule.
    virtual void abre_inclusao_notas() = 0;

    // Writes the diskette: regera 1 writes the month `referencia` again, any other
    // value closes the month.
    virtual void gera_disquete(const QString& referencia, unsigned char regera) = 0;

    // Switch the commands that need a confirmed unit.
    virtual void habilita_menus() = 0;
    virtual void desabilita_menus() = 0;

    // The third status panel, which names the confirmed unit. The caption is the
    // window title.
    virtual QString statusUnit() const = 0;
    virtual void setStatusUnit(const QString& text) = 0;

    // Where MDI children open.
    virtual QMdiArea* mdiArea() const = 0;

    template <class W>
    bool form_aberto(const QPointer<W>& record) const {
        return meru::form_aberto(record);
    }
};

// The single main window; null before it is created and after it is freed.
extern MainWindow* frm_menu;

}  // namespace meru
