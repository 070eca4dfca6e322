#pragma once
// The ground for the tests of the subsystems' windows: a temporary store, the data
// module, a fake main window and a scripted message service. No program boots.

#include "data/dm_dados.h"
#include "fake_main_window.h"
#include "platform/scripted_message_service.h"
#include "shell/globals.h"
#include "settle.h"
#include "temp_store.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

#include <memory>

namespace meru::test {

class ShellFixture : public ::testing::Test {
protected:
    explicit ShellFixture(bool withMunicipalities = true) : store(withMunicipalities) {}

    void SetUp() override {
        cnpj_unidade.clear();
        nome_unidade.clear();
        mes_referencia.clear();
        frame = std::make_unique<FakeMainWindow>();
        dm_dados = new Tdm_dados();
        settle();
    }

    void TearDown() override {
        frame.reset();  // frees the windows it owns
        delete dm_dados;
        dm_dados = nullptr;
        settle();
        EXPECT_EQ(boxes.pendingAnswers(), 0) << "answers left unused";
        EXPECT_TRUE(boxes.failures().isEmpty()) << boxes.failures().join('\n').toStdString();
    }

    TempStore store;
    platform::ScriptedMessageService boxes;
    platform::MessageServiceOverride useBoxes{boxes};
    std::unique_ptr<FakeMainWindow> frame;
};

}  // namespace meru::test
