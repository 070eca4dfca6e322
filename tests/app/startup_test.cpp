#include "app_fixture.h"

#include "app/frm_splash.h"
#include "platform/engine_config.h"
#include "data/table_rebuild.h"

#include <QDir>
#include <QFile>
#include <tuple>

using namespace meru;

namespace {

struct RebuildCall {
    int handle;
    QString table;
    QString driver;
    bool dataModuleExisted;
};


TEST(Startup, RebuildsTheTablesBeforeAnyDatasetThenShowsTheFrameAndSplash) {
    test::TempStore store;
    std::vector<RebuildCall> calls;
    setRebuildObserver([&](int handle, QString table, QString driver) {
        calls.push_back({handle, table, driver, dm_dados != nullptr});
    });
    ASSERT_EQ(startApplication(test::shortTimings()), 0);
    setRebuildObserver({});

    const QString based = platform::programDirectory() + "based/";
    const std::vector<std::tuple<int, QString>> expected = {
        {44, based + "movimento.DB"}, {45, based + "cadastro.DB"}, {46, based + "municipios.DB"},
        {47, based + "referencias.DB"}};
    ASSERT_EQ(calls.size(), expected.size());
    for (size_t i = 0; i < calls.size(); ++i) {
        EXPECT_EQ(calls[i].handle, std::get<0>(expected[i]));
        EXPECT_EQ(calls[i].table, std::get<1>(expected[i]));
        EXPECT_EQ(calls[i].driver, "STANDART");
        EXPECT_FALSE(calls[i].dataModuleExisted);
    }
    ASSERT_NE(frm_menu, nullptr);
    ASSERT_NE(dm_dados, nullptr);
    EXPECT_TRUE(frm_menu->isVisible());
    EXPECT_TRUE(frm_menu->windowState() & Qt::WindowMaximized);
    EXPECT_EQ(frm_menu->windowTitle(), "MERU - Caldeno. ");
    ASSERT_TRUE(frm_splash);
    EXPECT_TRUE(frm_splash->isVisible());
    EXPECT_EQ(frm_splash->parentWidget(), frm_menu);
    finishApplication();
    test::settle();
    EXPECT_FALSE(frm_splash);
}

TEST(Startup, AnIncompleteStoreEndsWithTheEnginesMessageAndExitCodeOne) {
    const struct {
        const char* remove;
        const char* expected;
    } cases[] = {{"", "Directory not found"}, {"cadastro.DB", "Table does not exist"},
                 {"referencias.DB", "referencias.DB"}};
    for (const auto& c : cases) {
        test::TempStore store;
        if (*c.remove)
            ASSERT_TRUE(QFile::remove(store.basedDir() + "/" + c.remove));
        else
            ASSERT_TRUE(QDir(store.basedDir()).removeRecursively());
        platform::ScriptedMessageService boxes;
        platform::MessageServiceOverride use(boxes);
        EXPECT_EQ(startApplication(test::shortTimings()), 1) << c.remove;
        EXPECT_EQ(frm_menu, nullptr);
        EXPECT_EQ(dm_dados, nullptr);
        ASSERT_EQ(boxes.boxes().size(), 1u) << c.remove;
        EXPECT_EQ(boxes.boxes()[0].kind, platform::BoxKind::Error);
        EXPECT_TRUE(boxes.boxes()[0].text.contains(c.expected)) << boxes.boxes()[0].text.toStdString();
        test::settle();
    }
}

}  // namespace
