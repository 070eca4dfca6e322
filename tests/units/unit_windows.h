#pragma once
// The common ground of the tests of the confirmation and registry windows: a
// fake main window over a temporary store, units seeded into CADASTRO, the windows
// opened as the main window opens them, and typing into their real edits.

#include "typing.h"
#include "shell_fixture.h"

#include "controls/db_edit.h"
#include "controls/db_lookup_combo_box.h"
#include "controls/mask_edit.h"
#include "data/query.h"
#include "data/table.h"
#include "shell/window_reuse.h"
#include "units/frm_login.h"
#include "units/frm_unidadesgestoras.h"
#include "units/valida_cnpj.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

#include <ostream>
#include <vector>

// Readable QStrings in failure messages.
inline void PrintTo(const QString& text, std::ostream* os) { *os << '"' << text.toStdString() << '"'; }

namespace meru::test {

// One row of CADASTRO as the tests write and read it.
struct UnitRow {
    QString cnpj, unidade, endereco, bairro, cep, uf, fone, fax, email, responsavel, municipio, status;
    friend bool operator==(const UnitRow&, const UnitRow&) = default;
    friend void PrintTo(const UnitRow& u, std::ostream* os) {
        *os << '{' << u.cnpj.toStdString() << " | " << u.unidade.toStdString() << " | " << u.endereco.toStdString()
            << " | " << u.bairro.toStdString() << " | " << u.cep.toStdString() << " | " << u.uf.toStdString() << " | "
            << u.fone.toStdString() << " | " << u.fax.toStdString() << " | " << u.email.toStdString() << " | "
            << u.responsavel.toStdString() << " | " << u.municipio.toStdString() << " | " << u.status.toStdString()
            << '}';
    }
};

inline const QString kSaoPaulo = QStringLiteral("3550308");
inline const QString kSaoPauloName = QString::fromUtf8("São Paulo - SP");
inline const QString kRioName = QStringLiteral("Rio de Janeiro - RJ");
inline const QString kRio = QStringLiteral("3304557");

// The twelve digits of a body followed by their two check digits.
inline QString withCheckDigits(const QString& body) {
    for (int tail = 0; tail < 100; ++tail) {
        const QString candidate = body + QStringLiteral("%1").arg(tail, 2, 10, QLatin1Char('0'));
        if (valida_cnpj(candidate)) return candidate;
    }
    return {};
}

inline const QString kCnpjA = QStringLiteral("12345678000195");
inline const QString kCnpjB = withCheckDigits(QStringLiteral("112223330001"));
inline const QString kCnpjC = withCheckDigits(QStringLiteral("998887770001"));
inline const QString kCnpjWrongDigits = QStringLiteral("12345678000196");

inline UnitRow sampleUnit(const QString& cnpj, const QString& name) {
    return {cnpj,       name,     QStringLiteral("Rua Direita, 100"), QStringLiteral("Centro"),
            QStringLiteral("01002-000"), QStringLiteral("SP"), QStringLiteral("(11) 3333-4444"),
            QStringLiteral("(11) 3333-4445"), QStringLiteral("ug@sp.gov.br"), QStringLiteral("Maria Souza"),
            kSaoPaulo,  QStringLiteral("C")};
}

class UnitWindows : public ShellFixture {
protected:
    void SetUp() override {
        ShellFixture::SetUp();
        if (HasFatalFailure()) return;
        frame->openLogin = [] { openByReuseRule(frm_login, [] { return new Tfrm_login(frm_menu); }); };
        // The operator's choice of municipality is a keyboard search through the combo box.
        QApplication::setKeyboardInputInterval(5000);
    }

    static Table* cadastroTable() {
        auto* t = new Table(QStringLiteral("seed"), dm_dados->Database1, dm_dados);
        t->setTableName(QStringLiteral("cadastro"));
        t->open();
        return t;
    }

    static void seed(const UnitRow& u) {
        std::unique_ptr<Table> t(cadastroTable());
        t->insert();
        const QString values[] = {u.cnpj, u.unidade, u.endereco, u.bairro, u.cep, u.uf, u.fone,
                                  u.fax,  u.email,   u.responsavel, u.municipio, u.status};
        for (size_t i = 0; i < std::size(values); ++i)
            if (!values[i].isEmpty()) t->fieldByName(columns()[i])->setAsString(values[i]);
        t->post();
    }

    // Every stored unit, read through a query of its own.
    static std::vector<UnitRow> storedUnits() {
        Query q(QStringLiteral("check"), dm_dados->Database1);
        q.setSql({QStringLiteral("select * from CADASTRO")});
        q.open();
        std::vector<UnitRow> rows;
        for (; !q.eof(); q.next()) {
            QString v[12];
            for (int i = 0; i < 12; ++i) v[i] = q.fieldByName(columns()[size_t(i)])->asString();
            rows.push_back({v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7], v[8], v[9], v[10], v[11]});
        }
        return rows;
    }

    static const std::vector<QString>& columns() {
        static const std::vector<QString> names{
            QStringLiteral("cad_cd_cnpj"),  QStringLiteral("cad_dc_unidade"),   QStringLiteral("cad_dc_endereco"),
            QStringLiteral("cad_dc_bairro"), QStringLiteral("cad_nr_cep"),      QStringLiteral("cad_sg_uf"),
            QStringLiteral("cad_nr_fone"),  QStringLiteral("cad_nr_fax"),       QStringLiteral("cad_dc_email"),
            QString::fromUtf8("cad_nm_responsável"), QStringLiteral("cad_cd_municipio"), QStringLiteral("cad_status")};
        return names;
    }

    static void activate(QWidget* window) {
        window->activateWindow();
        QApplication::setActiveWindow(window);
        ASSERT_TRUE(QTest::qWaitForWindowActive(window)) << window->objectName().toStdString();
    }

    // The confirmation window as the splash opens it: through the main window.
    Tfrm_login* openLogin() {
        frm_menu->abre_login();
        settle();
        Tfrm_login* w = frm_login;
        if (w) activate(w);
        return w;
    }

    // The registry window as "&Dados da Unidade" opens it.
    Tfrm_unidadesgestoras* openRegistryFromMenu() {
        openByReuseRule(frm_unidadesgestoras, [] { return new Tfrm_unidadesgestoras(frm_menu); });
        settle();
        Tfrm_unidadesgestoras* w = frm_unidadesgestoras;
        if (w) activate(w);
        return w;
    }

    static void type(QLineEdit* edit, const QString& keys) { test::typeOver(edit, keys); }
    static void typeKeys(QWidget* widget, const QString& keys) { test::typeKeys(widget, keys); }

    // Chooses a municipality by typing its name into the combo box.
    static void choose(controls::DBLookupComboBox* combo, const QString& name) {
        combo->setFocus(Qt::TabFocusReason);
        typeKeys(combo, name);
    }

    static QWidget* focused() { return QApplication::focusWidget(); }

    // "Incluir Notas", "Finalizar Mês", "&Dados da Unidade", "&Notas Fiscais", which
    // the main window switches together.
    QList<bool> unitCommands() const { return QList<bool>(4, frame->unitCommandsEnabled); }
    static QList<bool> allUnitCommands(bool on) { return {on, on, on, on}; }
};

}  // namespace meru::test
