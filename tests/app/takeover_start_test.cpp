// The real start over a based/ that an earlier installation left in Paradox: one
// box names what was taken over and where the Paradox files are, the program then
// works on the taken-over rows, and the next start has nothing to take over.

#include "app_fixture.h"

#include "../takeover/earlier_store.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

using namespace meru;

namespace {

TEST(TakeoverStart, TheFirstStartTakesTheEarlierInstallationOverWithOneBoxAndTheNextShowsNone) {
    test::TempStore store;
    ASSERT_TRUE(QDir(store.basedDir()).removeRecursively());
    ASSERT_TRUE(QDir().mkpath(store.basedDir()));
    const std::map<QString, test::PxTable> tables = {
        {"movimento.DB", test::movimentoTable(0x0C, 850, 600)},
        {"cadastro.DB", test::cadastroTable(0x05, 850)},
        {"municipios.DB", test::municipiosTable(0x05, 850)},
        {"referencias.DB", test::referenciasTable(0x0C, 1252)},
    };
    for (const auto& [name, table] : tables) test::writeParadox(store.basedDir() + "/" + name, table);
    const QString kept = store.programDir() + "based-paradox-anterior";

    {
        platform::ScriptedMessageService boxes;
        platform::MessageServiceOverride use(boxes);
        ASSERT_EQ(startApplication(test::shortTimings()), 0);
        test::settle();
        ASSERT_EQ(boxes.boxes().size(), 1u) << boxes.texts().join("\n---\n").toStdString();
        EXPECT_EQ(boxes.boxes()[0].kind, platform::BoxKind::Inform);
        const QString text = boxes.boxes()[0].text;
        for (const QString part : {"O MERU tomou os dados da instalação anterior:", "MOVIMENTO: 600 registros",
                                   "CADASTRO: 3 registros", "MUNICIPIOS: 3 registros lidos, 1 com código",
                                   "referencias: 1 registro"})
            EXPECT_TRUE(text.contains(part)) << part.toStdString() << " not in: " << text.toStdString();
        EXPECT_TRUE(text.endsWith(QDir::toNativeSeparators(kept))) << text.toStdString();
        EXPECT_EQ(QDir(kept).entryList(QDir::Files), QStringList({"cadastro.DB", "movimento.DB", "municipios.DB", "referencias.DB"}));

        // The program works on the taken-over rows: the duplicate test's view sees
        // every invoice, the open month is the earlier one, a new invoice gets the
        // number after the earlier counter.
        ASSERT_NE(dm_dados, nullptr);
        EXPECT_EQ(dm_dados->tab_movimento_dupli->recordCount(), 600);
        dm_dados->tab_movimento_dupli->first();
        EXPECT_EQ(dm_dados->tab_movimento_dupli->fieldByName("mov_nr_processo")->asString(),
                  QString::fromUtf8("Proc. nº 1/ação"));
        EXPECT_EQ(dm_dados->tab_movimento_dupli->fieldByName("mov_cd_controle")->value().toInt(), 3);
        EXPECT_EQ(dm_dados->qry_referencias->recordCount(), 1);
        EXPECT_EQ(dm_dados->qry_referencias->fieldByName("ref_mesreferencia")->asString(), "062004");
        auto* atual = dm_dados->tab_movimento_atual;
        atual->insert();
        atual->fieldByName("mov_nr_nf")->setValue(QStringLiteral("NOVA-1"));
        atual->fieldByName("mov_tp_gerado")->setValue(QStringLiteral("N"));
        atual->post();
        EXPECT_EQ(atual->fieldByName("mov_cd_controle")->value().toInt(), 600 * 3 + 500 + 1);
        finishApplication();
        test::settle();
    }
    {
        platform::ScriptedMessageService boxes;
        platform::MessageServiceOverride use(boxes);
        ASSERT_EQ(startApplication(test::shortTimings()), 0);
        test::settle();
        EXPECT_TRUE(boxes.boxes().empty()) << boxes.texts().join("\n---\n").toStdString();
        EXPECT_EQ(dm_dados->tab_movimento_dupli->recordCount(), 601);
        finishApplication();
        test::settle();
    }
    EXPECT_FALSE(QFileInfo::exists(store.programDir() + "based-paradox-anterior-2"));
}

TEST(TakeoverStart, ARefusedTakeoverEndsTheStartWithOneErrorBoxAndExitCodeOneLeavingBasedAsItWas) {
    test::TempStore store;
    ASSERT_TRUE(QDir(store.basedDir()).removeRecursively());
    ASSERT_TRUE(QDir().mkpath(store.basedDir()));
    const QString movimento = store.basedDir() + "/movimento.DB";
    test::writeParadox(movimento, test::movimentoTable(0x0C, 1252, 100));
    test::writeParadox(store.basedDir() + "/cadastro.DB", test::cadastroTable(0x0C, 1252));
    QFile(movimento).resize(QFileInfo(movimento).size() / 2);
    const auto before = test::snapshot(store.basedDir());

    platform::ScriptedMessageService boxes;
    platform::MessageServiceOverride use(boxes);
    EXPECT_EQ(startApplication(test::shortTimings()), 1);
    EXPECT_EQ(frm_menu, nullptr);
    EXPECT_EQ(dm_dados, nullptr);
    ASSERT_EQ(boxes.boxes().size(), 1u) << boxes.texts().join("\n---\n").toStdString();
    EXPECT_EQ(boxes.boxes()[0].kind, platform::BoxKind::Error);
    const QString text = boxes.boxes()[0].text;
    for (const QString part : {QDir::toNativeSeparators(movimento), QStringLiteral("truncado"), QStringLiteral("registro "),
                               QStringLiteral("Nada foi tomado")})
        EXPECT_TRUE(text.contains(part)) << part.toStdString() << " not in: " << text.toStdString();
    auto after = test::snapshot(store.basedDir());
    after.erase("meru.lck");
    EXPECT_EQ(after, before);
    EXPECT_EQ(QDir(store.programDir()).entryList(QDir::Dirs | QDir::NoDotAndDotDot), QStringList({"based", "drive_a"}));
    test::settle();
}

}  // namespace
