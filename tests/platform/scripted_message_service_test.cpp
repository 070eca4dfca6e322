#include "platform/scripted_message_service.h"

#include "platform/qt_message_service.h"

#include <gtest/gtest.h>

#include "qstring_printer.h"

using namespace meru::platform;

namespace {

class ScriptedMessages : public ::testing::Test {
protected:
    ScriptedMessageService boxes;
};

TEST_F(ScriptedMessages, RecordsEveryBoxInOrderWithItsAnswer) {
    boxes.answer(Answer::Yes).answer(Answer::Cancel).answer(Answer::No);
    boxes.inform("a");
    EXPECT_EQ(boxes.confirmYesNo("b"), Answer::Yes);
    EXPECT_EQ(boxes.confirmOkCancel("c"), Answer::Cancel);
    boxes.error("d");
    EXPECT_EQ(boxes.warnYesNo("e\rf"), Answer::No);

    const std::vector<RecordedBox> expected = {
        {BoxKind::Inform, "a", Answer::None},         {BoxKind::ConfirmYesNo, "b", Answer::Yes},
        {BoxKind::ConfirmOkCancel, "c", Answer::Cancel}, {BoxKind::Error, "d", Answer::None},
        {BoxKind::WarnYesNo, "e\rf", Answer::No}};
    EXPECT_EQ(boxes.boxes(), expected);
    EXPECT_EQ(boxes.texts(), QStringList({"a", "b", "c", "d", "e\rf"}));
    EXPECT_TRUE(boxes.failures().isEmpty());
    EXPECT_EQ(boxes.pendingAnswers(), 0);
}

TEST_F(ScriptedMessages, PlainAndErrorBoxesTakeNoAnswerFromTheQueue) {
    boxes.answer(Answer::Ok);
    boxes.inform("x");
    boxes.error("y");
    EXPECT_EQ(boxes.pendingAnswers(), 1);
    EXPECT_EQ(boxes.confirmOkCancel("z"), Answer::Ok);
    EXPECT_TRUE(boxes.failures().isEmpty());
}

TEST_F(ScriptedMessages, ClosingAQuestionBoxCountsAsNoOrCancel) {
    boxes.answer(Answer::None).answer(Answer::None).answer(Answer::None);
    EXPECT_EQ(boxes.confirmYesNo("q1"), Answer::No);
    EXPECT_EQ(boxes.warnYesNo("q2"), Answer::No);
    EXPECT_EQ(boxes.confirmOkCancel("q3"), Answer::Cancel);
    EXPECT_TRUE(boxes.failures().isEmpty());
}

TEST_F(ScriptedMessages, QuestionWithoutQueuedAnswerFailsAndGoesNoFurther) {
    QStringList reported;
    boxes.setFailureHook([&](const QString& why) { reported.append(why); });
    EXPECT_EQ(boxes.warnYesNo("Deseja continuar?"), Answer::None);
    ASSERT_EQ(boxes.failures().size(), 1);
    EXPECT_EQ(reported, boxes.failures());
    EXPECT_TRUE(boxes.failures()[0].contains("Deseja continuar?"));
    EXPECT_TRUE(boxes.failures()[0].contains("warnYesNo"));
    ASSERT_EQ(boxes.boxes().size(), 1u);  // the box is still recorded
    EXPECT_EQ(boxes.boxes()[0].kind, BoxKind::WarnYesNo);
}

TEST_F(ScriptedMessages, AnswerTheBoxDoesNotOfferIsAFailure) {
    boxes.answer(Answer::Ok).answer(Answer::Yes);
    EXPECT_EQ(boxes.confirmYesNo("yes or no"), Answer::None);
    EXPECT_EQ(boxes.confirmOkCancel("ok or cancel"), Answer::None);
    ASSERT_EQ(boxes.failures().size(), 2);
    EXPECT_TRUE(boxes.failures()[0].contains("Ok"));
    EXPECT_TRUE(boxes.failures()[1].contains("Yes"));
}

TEST_F(ScriptedMessages, UnusedAnswersStayPendingAndClearForgetsEverything) {
    boxes.answer(Answer::Yes).answer(Answer::No);
    boxes.confirmYesNo("one");
    EXPECT_EQ(boxes.pendingAnswers(), 1);
    boxes.confirmYesNo("two");
    boxes.confirmYesNo("three");
    boxes.clear();
    EXPECT_TRUE(boxes.boxes().empty());
    EXPECT_TRUE(boxes.failures().isEmpty());
    EXPECT_EQ(boxes.pendingAnswers(), 0);
}

TEST(MessageServiceAccessor, OverrideInstallsAndRestores) {
    ScriptedMessageService outer;
    ScriptedMessageService inner;
    MessageService* const before = &messages();
    {
        MessageServiceOverride useOuter(outer);
        EXPECT_EQ(&messages(), &outer);
        {
            MessageServiceOverride useInner(inner);
            messages().inform("inner");
        }
        EXPECT_EQ(&messages(), &outer);
        messages().inform("outer");
    }
    EXPECT_EQ(&messages(), before);
    setMessageService(nullptr);
    EXPECT_NE(dynamic_cast<QtMessageService*>(&messages()), nullptr);
    setMessageService(before);
    EXPECT_EQ(inner.texts(), QStringList{"inner"});
    EXPECT_EQ(outer.texts(), QStringList{"outer"});

    setMessageService(&outer);
    EXPECT_EQ(&messages(), &outer);
    setMessageService(nullptr);
    EXPECT_NE(dynamic_cast<QtMessageService*>(&messages()), nullptr);
}

TEST(MessageLineBreaks, CarriageReturnsBecomeLineBreaks) {
    EXPECT_EQ(withLineBreaks("a\rb"), "a\nb");
    EXPECT_EQ(withLineBreaks("a\r\nb"), "a\nb");
    EXPECT_EQ(withLineBreaks("a\r\rb"), "a\n\nb");
    EXPECT_EQ(withLineBreaks("a\nb"), "a\nb");
    EXPECT_EQ(withLineBreaks("sem quebra"), "sem quebra");
}

}  // namespace
