// The lookup combo box over the real municipality list: names listed, the key
// written when a name is chosen, and nothing shown for a key the list lacks.
#include "bound_window.h"

#include "controls/db_lookup_combo_box.h"
#include "data/query.h"
#include "data/table.h"

#include <QAbstractItemView>

using namespace meru;
using controls::DBLookupComboBox;

namespace {

const QString kBeloHorizonte = QStringLiteral("3106200");

class DBLookupComboBoxTest : public test::BoundWindow {
protected:
    DBLookupComboBoxTest() : BoundWindow(true) {}
    void SetUp() override {
        BoundWindow::SetUp();
        municipios.setSql({"select * from MUNICIPIOS"});
        municipios.open();
        cadastro.setTableName("CADASTRO");
        cadastro.open();
        combo = add(new DBLookupComboBox);
        combo->setDataSource(&dtCadastro);
        combo->setDataField("cad_cd_municipio");
        combo->setListSource(&dsMunicipios);
        combo->setKeyField("AR_CODNOVO");
        combo->setListField("AR_DESCR");
        showWindow();
        combo->setFocus();
    }
    Field* key() { return cadastro.fieldByName("cad_cd_municipio"); }
    void storeUnit(const QString& municipio) {
        cadastro.insert();
        cadastro.fieldByName("cad_cd_cnpj")->setAsString("12345678000195");
        key()->setAsString(municipio);
        cadastro.post();
    }

    Query municipios{"qry_municipios", &db};
    Table cadastro{"qry_cadastro", &db};
    DataSource dsMunicipios{"ds_municipios", &municipios};
    DataSource dtCadastro{"dt_cadastro", &cadastro};
    DBLookupComboBox* combo = nullptr;
};

TEST_F(DBLookupComboBoxTest, ListsEveryName) {
    const int count = municipios.recordCount();
    ASSERT_GT(count, 5000);
    EXPECT_EQ(combo->listCount(), count);
    EXPECT_EQ(combo->count(), count);
    EXPECT_EQ(combo->itemText(0), municipios.fieldByName("AR_DESCR")->asString());
    EXPECT_EQ(municipios.recNo(), 0) << "reading the list moved the list's current row";
}

TEST_F(DBLookupComboBoxTest, ChoosingANameWritesItsKey) {
    cadastro.insert();
    EXPECT_EQ(combo->displayedText(), "");
    QTest::keyClicks(combo, "Belo Horizonte");
    EXPECT_EQ(combo->displayedText(), QString::fromUtf8("Belo Horizonte - MG"));
    EXPECT_EQ(key()->asString(), kBeloHorizonte);
    QTest::keyClick(combo, Qt::Key_Down);
    const QString following = combo->displayedText();
    EXPECT_NE(following, QString::fromUtf8("Belo Horizonte - MG"));
    EXPECT_NE(key()->asString(), kBeloHorizonte);
    EXPECT_EQ(combo->keyValue(), key()->asString());
}

TEST_F(DBLookupComboBoxTest, ShowsTheNameOfTheStoredKeyAndNothingForAnUnknownOne) {
    storeUnit(kBeloHorizonte);
    EXPECT_EQ(combo->displayedText(), QString::fromUtf8("Belo Horizonte - MG"));
    cadastro.edit();
    key()->setAsString("9999999");
    EXPECT_EQ(combo->displayedText(), "");
    EXPECT_EQ(combo->currentIndex(), -1);
    key()->clear();
    EXPECT_EQ(combo->displayedText(), "");
    cadastro.cancel();
    EXPECT_EQ(combo->displayedText(), QString::fromUtf8("Belo Horizonte - MG"));
    cadastro.close();
    EXPECT_EQ(combo->displayedText(), "");
}

TEST_F(DBLookupComboBoxTest, AChoiceOutsideEditingIsRefused) {
    storeUnit(kBeloHorizonte);
    QTest::keyClick(combo, Qt::Key_Down);
    QTest::keyClicks(combo, "Curitiba");
    EXPECT_EQ(combo->displayedText(), QString::fromUtf8("Belo Horizonte - MG"));
    EXPECT_EQ(key()->asString(), kBeloHorizonte);
    EXPECT_EQ(cadastro.state(), DatasetState::Browse);
}

TEST_F(DBLookupComboBoxTest, TheListFollowsItsDatasetOpening) {
    storeUnit(kBeloHorizonte);
    municipios.close();
    EXPECT_EQ(combo->count(), 0);
    EXPECT_EQ(combo->displayedText(), "");
    municipios.open();
    EXPECT_EQ(combo->count(), municipios.recordCount());
    EXPECT_EQ(combo->displayedText(), QString::fromUtf8("Belo Horizonte - MG"));
}

TEST_F(DBLookupComboBoxTest, TheOpenListIsSearchedTheSameWay) {
    cadastro.insert();
    QTest::keyClick(combo, Qt::Key_F4);
    ASSERT_TRUE(combo->view()->isVisible());
    QTest::keyClicks(combo->view(), "sao paulo");
    EXPECT_EQ(combo->view()->currentIndex().data().toString(), QString::fromUtf8("São Paulo - SP"));
    EXPECT_TRUE(key()->isNull()) << "chosen before Enter";
    QTest::keyClick(combo->view(), Qt::Key_Return);
    EXPECT_EQ(key()->asString(), "3550308");
    EXPECT_EQ(combo->displayedText(), QString::fromUtf8("São Paulo - SP"));
}

}  // namespace
