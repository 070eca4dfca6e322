#pragma once
// A running shell for window tests: a temporary store, the main window with short
// intervals, the data module, and a scripted message service.

#include "app/frm_menu.h"
#include "app/startup.h"
#include "data/dm_dados.h"
#include "platform/scripted_message_service.h"
#include "settle.h"
#include "temp_store.h"

#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>

namespace meru::test {

// The main window whole, with its menu, toolbar and panels.
inline Tfrm_menu* menu() { return static_cast<Tfrm_menu*>(frm_menu); }

inline Timings shortTimings() {
    Timings t;
    t.startupPauseMs = 0;
    t.splashMs = 60 * 60 * 1000;  // the splash stays until a test fires it
    t.clockMs = 20;
    return t;
}

class AppFixture : public ::testing::Test {
protected:
    explicit AppFixture(bool withMunicipalities = true) : store(withMunicipalities) {}

    void SetUp() override {
        cnpj_unidade.clear();
        nome_unidade.clear();
        mes_referencia.clear();
        ASSERT_EQ(startApplication(shortTimings()), 0);
        settle();
    }

    void TearDown() override {
        finishApplication();
        settle();
        EXPECT_EQ(boxes.pendingAnswers(), 0) << "answers left unused";
        EXPECT_TRUE(boxes.failures().isEmpty()) << boxes.failures().join('\n').toStdString();
    }

    TempStore store;
    platform::ScriptedMessageService boxes;
    platform::MessageServiceOverride useBoxes{boxes};
};

}  // namespace meru::test
