#include "platform/guarded.h"

#include "data/engine_error.h"
#include "platform/scripted_message_service.h"

#include <QCoreApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

#include "qstring_printer.h"
#include <stdexcept>

using namespace meru::platform;

namespace {

class GuardedHandler : public ::testing::Test {
protected:
    ScriptedMessageService boxes;
    MessageServiceOverride use{boxes};

    std::vector<RecordedBox> errors(std::initializer_list<QString> texts) {
        std::vector<RecordedBox> out;
        for (const QString& t : texts) out.push_back({BoxKind::Error, t, Answer::None});
        return out;
    }
};

TEST_F(GuardedHandler, FailureOfAnyKindIsShownInAnErrorBox) {
    guarded([] { throw meru::EngineError(QStringLiteral("Tabela não encontrada: referências")); })();
    guarded([] { throw std::runtime_error("'_' is not a valid integer value"); })();
    guarded([] { throw 42; })();
    EXPECT_EQ(boxes.boxes(), errors({"Tabela não encontrada: referências",
                                     "'_' is not a valid integer value", "Erro desconhecido."}));
}

TEST_F(GuardedHandler, HandlerThatSucceedsShowsNothingAndGetsItsArguments) {
    int sum = 0;
    auto add = guarded([&](int a, int b) { sum = a + b; });
    add(2, 3);
    EXPECT_EQ(sum, 5);
    EXPECT_TRUE(boxes.boxes().empty());
}

TEST_F(GuardedHandler, StepsAfterTheFailureDoNotRun) {
    QStringList steps;
    guarded([&] {
        steps << "first";
        throw std::logic_error("stop");
        steps << "second";
    })();
    EXPECT_EQ(steps, QStringList{"first"});
    EXPECT_EQ(boxes.texts(), QStringList{"stop"});
}

TEST_F(GuardedHandler, ConnectsToSignalsWhoseArgumentsTheHandlerIgnores) {
    QPushButton button;
    int clicks = 0;
    QObject::connect(&button, &QPushButton::clicked, &button, guarded([&] {
        ++clicks;
        throw std::runtime_error("falhou");
    }));
    button.click();
    button.click();
    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(boxes.texts(), QStringList({"falhou", "falhou"}));

    QLineEdit edit;
    QString seen;
    QObject::connect(&edit, &QLineEdit::textChanged, &edit,
                     guarded([&](const QString& text) { seen = text; }));
    edit.setText("abc");
    EXPECT_EQ(seen, "abc");
}

TEST_F(GuardedHandler, FailureInsideTheEventLoopDoesNotLeaveIt) {
    bool after = false;
    QTimer::singleShot(0, guarded([] { throw meru::EngineError(QStringLiteral("no loop")); }));
    QTimer::singleShot(0, [&] { after = true; });
    QCoreApplication::processEvents();
    EXPECT_TRUE(after);
    EXPECT_EQ(boxes.texts(), QStringList{"no loop"});
}

class ThrowingService : public ScriptedMessageService {
public:
    void error(const QString&) override { throw std::runtime_error("no display"); }
};

TEST(GuardedWithoutDisplay, FailingErrorBoxIsSwallowed) {
    ThrowingService broken;
    MessageServiceOverride use(broken);
    bool returned = false;
    guarded([] { throw std::runtime_error("x"); })();
    returned = true;
    EXPECT_TRUE(returned);
}

TEST_F(GuardedHandler, ReportExceptionShowsTheExceptionBeingHandled) {
    try {
        throw meru::EngineError(QStringLiteral("Índice corrompido"));
    } catch (...) {
        reportException();
    }
    reportException();  // nothing being handled: nothing shown
    EXPECT_EQ(boxes.texts(), QStringList{"Índice corrompido"});
}

}  // namespace
