#pragma once
// A small main window for the tests of the subsystems' windows: it implements the
// shell's interface, records what the windows ask of it, and opens the unit
// confirmation through a hook, so that those tests need not boot the program.

#include "invoices/valida_inscricao.h"
#include "shell/main_window.h"
#include "units/valida_cnpj.h"

#include <QGuiApplication>
#include <QMdiArea>
#include <QScreen>
#include <QStringList>

#include <functional>

namespace meru::test {

class FakeMainWindow : public MainWindow {
public:
    FakeMainWindow() {
        setObjectName(QStringLiteral("frm_menu"));
        setWindowTitle(QStringLiteral("MERU - Caldeno. "));
        mdi_ = new QMdiArea(this);
        setCentralWidget(mdi_);
        frm_menu = this;
        if (QScreen* screen = QGuiApplication::primaryScreen()) setGeometry(screen->availableGeometry());
        show();
    }
    ~FakeMainWindow() override {
        if (frm_menu == this) frm_menu = nullptr;
    }

    bool valida_cnpj(const QString& text) const override { return meru::valida_cnpj(text); }
    bool valida_inscricao(const QString& text) const override { return meru::valida_inscricao(text); }

    void abre_login() override {
        calls << QStringLiteral("abre_login");
        if (openLogin) openLogin();
        setWindowTitle(QStringLiteral("MERU - Caldeno"));
        setStatusUnit(QString());
    }
    void abre_inclusao_notas() override {
        calls << QStringLiteral("abre_inclusao_notas");
        if (openInvoiceEntry) openInvoiceEntry();
    }
    void gera_disquete(const QString& referencia, unsigned char regera) override {
        calls << QStringLiteral("gera_disquete(%1, %2)").arg(referencia).arg(regera);
    }
    void habilita_menus() override {
        calls << QStringLiteral("habilita_menus");
        unitCommandsEnabled = true;
    }
    void desabilita_menus() override {
        calls << QStringLiteral("desabilita_menus");
        unitCommandsEnabled = false;
    }

    QString statusUnit() const override { return statusUnit_; }
    void setStatusUnit(const QString& text) override { statusUnit_ = text; }
    QMdiArea* mdiArea() const override { return mdi_; }

    // How abre_login opens the confirmation window in this test.
    std::function<void()> openLogin;
    // How abre_inclusao_notas opens the invoice entry window in this test.
    std::function<void()> openInvoiceEntry;
    QStringList calls;
    bool unitCommandsEnabled = false;  // as the program starts: disabled

private:
    QMdiArea* mdi_;
    QString statusUnit_;
};

}  // namespace meru::test
