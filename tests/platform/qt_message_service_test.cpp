// The QMessageBox service, run for real: a timer finds the modal box, reads it
// and answers it the way an operator would.
#include "platform/qt_message_service.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

#include "qstring_printer.h"

using namespace meru::platform;

namespace {

enum class Act { ClickFirst, ClickSecond, Escape, Enter, CloseBox };

struct SeenBox {
    bool seen = false;
    bool stayedOpen = false;
    QString title;
    QString text;
    Qt::TextFormat format = Qt::AutoText;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QStringList buttons;  // in the order the box lays them out for the first/second roles
    QString defaultButton;
};

// Answers the next modal message box. Buttons are named by their texts so that
// the test does not depend on Qt's enum for them.
class BoxOperator {
public:
    BoxOperator(Act act, QStringList order) : act_(act), order_(std::move(order)) {
        timer_.setInterval(5);
        QObject::connect(&timer_, &QTimer::timeout, [this] { tick(); });
        timer_.start();
    }
    const SeenBox& seen() const { return seen_; }

private:
    void tick() {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) return;
        if (box == acted_) {  // the action did not close it
            seen_.stayedOpen = true;
            box->done(0);
            return;
        }
        acted_ = box;
        seen_.seen = true;
        seen_.title = box->windowTitle();
        seen_.text = box->text();
        seen_.format = box->textFormat();
        seen_.icon = box->icon();
        for (QAbstractButton* b : box->buttons()) seen_.buttons.append(b->text());
        seen_.buttons.sort();
        if (box->defaultButton()) seen_.defaultButton = box->defaultButton()->text();
        auto buttonNamed = [&](const QString& text) -> QAbstractButton* {
            for (QAbstractButton* b : box->buttons())
                if (b->text() == text) return b;
            return nullptr;
        };
        switch (act_) {
        case Act::ClickFirst:
        case Act::ClickSecond: {
            const int index = act_ == Act::ClickFirst ? 0 : 1;
            if (QAbstractButton* b = index < order_.size() ? buttonNamed(order_[index]) : nullptr)
                b->click();
            break;
        }
        case Act::Escape: QTest::keyClick(box, Qt::Key_Escape); break;
        case Act::Enter: QTest::keyClick(box, Qt::Key_Return); break;
        case Act::CloseBox: box->close(); break;
        }
    }

    Act act_;
    QStringList order_;
    QTimer timer_;
    QMessageBox* acted_ = nullptr;
    SeenBox seen_;
};

enum class Call { Inform, ConfirmYesNo, ConfirmOkCancel, WarnYesNo, Error };

struct BoxCase {
    Call call;
    Act act;
    Answer expected;  // None for the boxes without a question
    QMessageBox::Icon icon;
    QStringList buttons;  // first, second
    const char* what;
};

std::ostream& operator<<(std::ostream& os, const BoxCase& c) { return os << c.what; }

class QtMessageBoxes : public ::testing::TestWithParam<BoxCase> {
protected:
    void SetUp() override {
        previousName_ = QCoreApplication::applicationName();
        QCoreApplication::setApplicationName(QStringLiteral("MERU - Caldeno."));
    }
    void TearDown() override { QCoreApplication::setApplicationName(previousName_); }

    static Answer run(Call call, const QString& text) {
        QtMessageService service;
        switch (call) {
        case Call::Inform: service.inform(text); return Answer::None;
        case Call::Error: service.error(text); return Answer::None;
        case Call::ConfirmYesNo: return service.confirmYesNo(text);
        case Call::ConfirmOkCancel: return service.confirmOkCancel(text);
        case Call::WarnYesNo: return service.warnYesNo(text);
        }
        return Answer::None;
    }

private:
    QString previousName_;
};

TEST_P(QtMessageBoxes, ShowsPortugueseButtonsAndAnswers) {
    const BoxCase& c = GetParam();
    BoxOperator op(c.act, c.buttons);
    const Answer answer = run(c.call, QStringLiteral("Primeira linha\rSegunda linha"));

    const SeenBox& seen = op.seen();
    ASSERT_TRUE(seen.seen);
    EXPECT_FALSE(seen.stayedOpen);
    EXPECT_EQ(answer, c.expected);
    EXPECT_EQ(seen.title, "MERU - Caldeno.");
    EXPECT_EQ(seen.text, "Primeira linha\nSegunda linha");
    EXPECT_EQ(seen.icon, c.icon);
    QStringList sorted = c.buttons;
    sorted.sort();
    EXPECT_EQ(seen.buttons, sorted);
    EXPECT_EQ(seen.defaultButton, c.buttons.first());
}

const QStringList kYesNo = {"&Sim", "&Não"};
const QStringList kOkCancel = {"OK", "Cancelar"};
const QStringList kOk = {"OK"};
constexpr auto kQuestion = QMessageBox::Question;
constexpr auto kWarning = QMessageBox::Warning;
constexpr auto kCritical = QMessageBox::Critical;
constexpr auto kPlain = QMessageBox::NoIcon;

using C = Call;
using A = Act;

INSTANTIATE_TEST_SUITE_P(
    Boxes, QtMessageBoxes,
    ::testing::Values(
        BoxCase{C::ConfirmYesNo, A::ClickFirst, Answer::Yes, kQuestion, kYesNo, "confirm Sim"},
        BoxCase{C::ConfirmYesNo, A::ClickSecond, Answer::No, kQuestion, kYesNo, "confirm Nao"},
        BoxCase{C::ConfirmYesNo, A::Escape, Answer::No, kQuestion, kYesNo, "confirm Esc"},
        BoxCase{C::ConfirmYesNo, A::CloseBox, Answer::No, kQuestion, kYesNo, "confirm closed"},
        BoxCase{C::ConfirmYesNo, A::Enter, Answer::Yes, kQuestion, kYesNo, "confirm Enter"},
        BoxCase{C::ConfirmOkCancel, A::ClickFirst, Answer::Ok, kQuestion, kOkCancel, "ok"},
        BoxCase{C::ConfirmOkCancel, A::ClickSecond, Answer::Cancel, kQuestion, kOkCancel, "cancel"},
        BoxCase{C::ConfirmOkCancel, A::Escape, Answer::Cancel, kQuestion, kOkCancel, "ok/cancel Esc"},
        BoxCase{C::ConfirmOkCancel, A::CloseBox, Answer::Cancel, kQuestion, kOkCancel, "ok/cancel closed"},
        BoxCase{C::WarnYesNo, A::ClickFirst, Answer::Yes, kWarning, kYesNo, "warning Sim"},
        BoxCase{C::WarnYesNo, A::Escape, Answer::No, kWarning, kYesNo, "warning Esc"},
        BoxCase{C::WarnYesNo, A::CloseBox, Answer::No, kWarning, kYesNo, "warning closed"},
        BoxCase{C::Inform, A::ClickFirst, Answer::None, kPlain, kOk, "plain OK"},
        BoxCase{C::Inform, A::Escape, Answer::None, kPlain, kOk, "plain Esc"},
        BoxCase{C::Error, A::ClickFirst, Answer::None, kCritical, kOk, "error OK"},
        BoxCase{C::Error, A::CloseBox, Answer::None, kCritical, kOk, "error closed"}));

TEST(QtMessageBoxText, ShowsMarkupAsPlainText) {
    BoxOperator op(A::ClickFirst, kOk);
    QtMessageService().inform(QStringLiteral("<b>x</b> & y"));
    ASSERT_TRUE(op.seen().seen);
    EXPECT_EQ(op.seen().text, "<b>x</b> & y");
    EXPECT_EQ(op.seen().format, Qt::PlainText);
}

TEST(QtMessageBoxTitle, GivenTitleComesFirst) {
    BoxOperator op(A::ClickFirst, kOk);
    QtMessageService(QStringLiteral("Outro título")).error(QStringLiteral("x"));
    ASSERT_TRUE(op.seen().seen);
    EXPECT_EQ(op.seen().title, "Outro título");
}

TEST(PortugueseTranslations, QtStandardButtonsSpeakPortuguese) {
    auto* app = qobject_cast<QApplication*>(QCoreApplication::instance());
    ASSERT_NE(app, nullptr);
    ASSERT_TRUE(installPortugueseTranslations(*app));
    QMessageBox box;
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    EXPECT_EQ(box.button(QMessageBox::Yes)->text(), "&Sim");
    EXPECT_EQ(box.button(QMessageBox::No)->text(), "&Não");
    EXPECT_EQ(box.button(QMessageBox::Cancel)->text(), "Cancelar");
}

}  // namespace
