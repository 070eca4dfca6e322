// Input an operator can trust, through the real controls of a small entry window:
// clicks into masked edits, typing, pasting and leaving each control, one case a
// row. What reaches the field, where the focus stays and the one box shown.
#include "bound_window.h"

#include "controls/db_edit.h"
#include "controls/db_lookup_combo_box.h"
#include "controls/mask_edit.h"
#include "data/query.h"
#include "data/table.h"
#include "platform/guarded.h"

#include <QClipboard>
#include <QEventLoop>
#include <QGuiApplication>
#include <QPushButton>
#include <QTimer>

using namespace meru;
using controls::DBEdit;
using controls::DBLookupComboBox;
using controls::MaskEdit;
using platform::BoxKind;

namespace {

const QString kCnpjMask = QStringLiteral("!99.999.999/9999-99;0;_");
const QString kDateMask = QStringLiteral("!99/99/9999;1;_");
constexpr int kPauseMs = 300;  // longer than the keyboard interval the fixture sets

class InputWindow : public test::BoundWindow {
protected:
    InputWindow() : BoundWindow(true) {}

    void SetUp() override {
        BoundWindow::SetUp();
        interval_ = QApplication::keyboardInputInterval();
        QApplication::setKeyboardInputInterval(kPauseMs / 2);
        movimento.setTableName("movimento");
        movimento.open();
        cadastro.setTableName("CADASTRO");
        cadastro.open();
        municipios.setSql({"select * from MUNICIPIOS"});
        municipios.open();

        // The masks go on the fields when their edits are entered, as the entry windows do.
        cnpj = bound(new DBEdit, &dsMovimento, "mov_cd_cnpj", kCnpjMask);
        valor = bound(new DBEdit, &dsMovimento, "mov_vl_valor");
        data = bound(new DBEdit, &dsMovimento, "mov_dt_notaf", kDateMask);
        bairro = bound(new DBEdit, &dsCadastro, "cad_dc_bairro");
        municipio = add(new DBLookupComboBox);
        municipio->setDataSource(&dsCadastro);
        municipio->setDataField("cad_cd_municipio");
        municipio->setListSource(&dsMunicipios);
        municipio->setKeyField("AR_CODNOVO");
        municipio->setListField("AR_DESCR");
        login = add(new MaskEdit(kCnpjMask));
        gravar = add(new QPushButton("&Gravar"));
        showWindow();
        movimento.insert();
        cadastro.insert();
        gravar->setFocus(Qt::TabFocusReason);
    }
    void TearDown() override {
        QApplication::setKeyboardInputInterval(interval_);
        BoundWindow::TearDown();
    }

    DBEdit* bound(DBEdit* edit, DataSource* source, const char* fieldName, const QString& maskOnEnter = {}) {
        add(edit);
        edit->setDataSource(source);
        edit->setDataField(fieldName);
        if (!maskOnEnter.isEmpty())
            QObject::connect(edit, &DBEdit::entered, edit, [edit, maskOnEnter] { edit->field()->setEditMask(maskOnEnter); });
        return edit;
    }

    // Keys as an operator types them, accented letters included; "|" is a pause,
    // ">" the End key.
    static void type(QWidget* w, const QString& text) {
        for (QChar c : text) {
            if (c == QLatin1Char('|')) QTest::qWait(kPauseMs);
            else if (c == QLatin1Char('>')) QTest::keyClick(w, Qt::Key_End);
            else if (c.unicode() < 0x80) QTest::keyClick(w, char(c.unicode()));
            else QTest::sendKeyEvent(QTest::Click, w, Qt::Key_unknown, QString(c), Qt::NoModifier);
        }
    }
    static void paste(QWidget* w, const QString& text) {
        QGuiApplication::clipboard()->setText(text);
        QTest::keySequence(w, QKeySequence::Paste);
    }
    void leave() {
        gravar->setFocus(Qt::TabFocusReason);
        settle();
    }

    Table movimento{"tab_movimento_atual", &db};
    Table cadastro{"qry_cadastro", &db};
    Query municipios{"qry_municipios", &db};
    DataSource dsMovimento{"ds_movimento", &movimento};
    DataSource dsCadastro{"dt_cadastro", &cadastro};
    DataSource dsMunicipios{"ds_municipios", &municipios};
    DBEdit* cnpj = nullptr;
    DBEdit* valor = nullptr;
    DBEdit* data = nullptr;
    DBEdit* bairro = nullptr;
    DBLookupComboBox* municipio = nullptr;
    MaskEdit* login = nullptr;
    QPushButton* gravar = nullptr;

private:
    int interval_ = 0;
};

enum class Control { Cnpj, Valor, Data, Bairro, Municipio, Login };
// How the operator gets into the control: by Tab, or by a click on a place of
// the edit (its middle, or right of its last character).
enum class Entry { Tab, ClickMiddle, ClickEnd };

struct Input {
    const char* what;
    Control control;
    const char* typedBefore;  // typed on an earlier visit, the edit then left
    Entry entry;
    const char* keys;   // typed; "|" pauses, ">" presses End
    const char* pasted;  // then pasted
    const char* stored;  // the field's text after leaving (the masked edit's text)
    const char* message;  // the one box shown; "" for none, the focus then moves on
};

std::ostream& operator<<(std::ostream& os, const Input& i) { return os << i.what; }

class InputCases : public InputWindow, public ::testing::WithParamInterface<Input> {
protected:
    QWidget* widget(Control c) const {
        switch (c) {
        case Control::Cnpj: return cnpj;
        case Control::Valor: return valor;
        case Control::Data: return data;
        case Control::Bairro: return bairro;
        case Control::Municipio: return municipio;
        case Control::Login: return login;
        }
        return nullptr;
    }
    Field* field(Control c) const {
        switch (c) {
        case Control::Cnpj: return cnpj->field();
        case Control::Valor: return valor->field();
        case Control::Data: return data->field();
        case Control::Bairro: return bairro->field();
        case Control::Municipio: return municipio->field();
        case Control::Login: return nullptr;
        }
        return nullptr;
    }
    void enter(QWidget* w, Entry entry) {
        if (entry == Entry::Tab) {
            w->setFocus(Qt::TabFocusReason);
            return;
        }
        const int x = entry == Entry::ClickMiddle ? w->width() / 2 : w->width() - 4;
        QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(x, w->height() / 2));
    }
};

TEST_P(InputCases, WhatTheOperatorEntersIsStoredOrRefusedWithOneBox) {
    const Input& c = GetParam();
    QWidget* w = widget(c.control);
    if (*c.typedBefore) {
        w->setFocus(Qt::TabFocusReason);
        type(w, QString::fromUtf8(c.typedBefore));
        leave();
    }
    enter(w, c.entry);
    ASSERT_TRUE(w->hasFocus());
    type(w, QString::fromUtf8(c.keys));
    if (*c.pasted) paste(w, QString::fromUtf8(c.pasted));
    leave();

    const QString message = QString::fromUtf8(c.message);
    const QString stored = QString::fromUtf8(c.stored);
    if (c.control == Control::Login) EXPECT_EQ(login->fieldText(), stored);
    else EXPECT_EQ(field(c.control)->asString(), stored);
    if (message.isEmpty()) {
        EXPECT_TRUE(boxes.boxes().empty()) << boxes.boxes()[0].text.toStdString();
        EXPECT_TRUE(gravar->hasFocus());
    } else {
        ASSERT_EQ(boxes.boxes().size(), 1u);
        EXPECT_EQ(boxes.boxes()[0].kind, BoxKind::Error);
        EXPECT_EQ(boxes.boxes()[0].text, message);
        EXPECT_TRUE(w->hasFocus()) << "the focus left the refused edit";
    }
    EXPECT_TRUE(isEditing(movimento.state()));
    EXPECT_TRUE(isEditing(cadastro.state()));
}

const char* const kCnpj = "12345678000195";

INSTANTIATE_TEST_SUITE_P(
    Operator, InputCases,
    ::testing::Values(
        // Masked edits: a click past the typed text types from the first unfilled position.
        Input{"cnpj_click_middle_of_empty", Control::Cnpj, "", Entry::ClickMiddle, kCnpj, "", kCnpj, ""},
        Input{"cnpj_click_end_of_empty", Control::Cnpj, "", Entry::ClickEnd, kCnpj, "", kCnpj, ""},
        Input{"cnpj_click_end_of_partly_typed", Control::Cnpj, "1234", Entry::ClickEnd, "5678000195", "", kCnpj, ""},
        Input{"cnpj_paste_with_punctuation", Control::Cnpj, "", Entry::ClickEnd, "", "12.345.678/0001-95", kCnpj, ""},
        Input{"cnpj_end_key_then_typing", Control::Cnpj, "", Entry::Tab, ">12345678000195", "", kCnpj, ""},
        Input{"login_tab_into_partly_typed", Control::Login, "123", Entry::Tab, "45678000195", "", kCnpj, ""},
        Input{"login_click_middle_of_empty", Control::Login, "", Entry::ClickMiddle, kCnpj, "", kCnpj, ""},
        Input{"login_click_end_of_partly_typed", Control::Login, "123", Entry::ClickEnd, "45678000195", "", kCnpj, ""},
        Input{"date_click_end_of_empty", Control::Data, "", Entry::ClickEnd, "15032004", "", "15/03/2004", ""},
        // The municipality box: names with blanks, with or without accents, after pauses.
        Input{"municipio_with_a_blank_after_a_pause", Control::Municipio, "", Entry::Tab, "Rio| Branco", "", "1200401", ""},
        Input{"municipio_longer_name", Control::Municipio, "", Entry::Tab, "Rio Branco do S", "", "4122206", ""},
        Input{"municipio_without_accents", Control::Municipio, "", Entry::Tab, "sao paulo", "", "3550308", ""},
        Input{"municipio_with_accents", Control::Municipio, "", Entry::Tab, "SÃO PAULO", "", "3550308", ""},
        Input{"municipio_slip_ignored", Control::Municipio, "", Entry::Tab, "Rio Branx", "", "1200401", ""},
        // One-line texts in code page 1252.
        Input{"paste_breaks_and_tabs_as_blanks", Control::Bairro, "", Entry::Tab, "", "Vila\nNova\tSul\r\nLeste",
              "Vila Nova Sul Leste", ""},
        Input{"character_outside_code_page", Control::Bairro, "", Entry::Tab, "Vila ő", "", "",
              "O campo cad_dc_bairro não aceita o caractere 'ő' (U+0151)."},
        Input{"accents_of_code_page", Control::Bairro, "", Entry::Tab, "Vila São João", "", "Vila São João", ""},
        // Values read in the operator's locale only.
        Input{"valor_grouped", Control::Valor, "", Entry::Tab, "1.234,56", "", "1234,56", ""},
        Input{"valor_plain", Control::Valor, "", Entry::Tab, "1234,56", "", "1234,56", ""},
        Input{"valor_with_currency", Control::Valor, "", Entry::Tab, "R$ 10,50", "", "10,5", ""},
        Input{"valor_point_as_decimal", Control::Valor, "", Entry::Tab, "1.50", "", "",
              "'1.50' não é um valor válido para o campo mov_vl_valor. Digite o valor como em 1.234,56."},
        Input{"valor_other_locale", Control::Valor, "", Entry::Tab, "1,234.56", "", "",
              "'1,234.56' não é um valor válido para o campo mov_vl_valor. Digite o valor como em 1.234,56."},
        Input{"valor_two_commas", Control::Valor, "", Entry::Tab, "12,3,4", "", "",
              "'12,3,4' não é um valor válido para o campo mov_vl_valor. Digite o valor como em 1.234,56."},
        Input{"impossible_date", Control::Data, "", Entry::Tab, "31022004", "", "",
              "'31/02/2004' não é uma data válida para o campo mov_dt_notaf. Digite a data como em 15/03/2004."}),
    [](const ::testing::TestParamInfo<Input>& info) { return std::string(info.param.what); });

// A save that meets a value refused on leaving gives one box, its own: the edit's
// own report of the same failure is withdrawn, and does not come up while the
// save asks its question first.
TEST_F(InputWindow, ARefusedValueMetByASaveGivesOneBox) {
    QObject::connect(gravar, &QPushButton::clicked, gravar, platform::guarded([this] {
                         QEventLoop question;  // as a modal box runs one
                         QTimer::singleShot(120, &question, &QEventLoop::quit);
                         question.exec();
                         valor->updateRecord();
                         movimento.post();
                     }));
    valor->setFocus(Qt::TabFocusReason);
    type(valor, "1.50");
    QTest::mouseClick(gravar, Qt::LeftButton);
    settle();
    ASSERT_EQ(boxes.boxes().size(), 1u);
    EXPECT_EQ(boxes.boxes()[0].text,
              QString::fromUtf8("'1.50' não é um valor válido para o campo mov_vl_valor. Digite o valor como em 1.234,56."));
    EXPECT_TRUE(valor->hasFocus());
    EXPECT_EQ(movimento.state(), DatasetState::Insert);
}

}  // namespace
