// Alt+letter accelerators in the frame and in the windows that open over it.

#include "app_fixture.h"

#include "app/frm_sobre.h"
#include "app/frm_splash.h"
#include "shell/form.h"
#include "shell/window_reuse.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>

using namespace meru;

namespace {

// A window with an edit and its own "&Sair", as the invoice entry window has.
template <class Frame>
class WindowWithSair : public Form<Frame> {
public:
    template <class... Style>
    explicit WindowWithSair(QWidget* owner, Style... style) : Form<Frame>(owner, style...) {
        edit = new QLineEdit(this);
        btb_sair = new QPushButton(QStringLiteral("&Sair"), this);
        auto* row = new QHBoxLayout(this);
        row->addWidget(edit);
        row->addWidget(btb_sair);
        QObject::connect(btb_sair, &QPushButton::clicked, this, [this] { ++sairClicks; });
    }
    QLineEdit* edit;
    QPushButton* btb_sair;
    int sairClicks = 0;
};

class Accelerators : public test::AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        if (HasFatalFailure()) return;
        if (frm_splash) frm_splash->close();
        test::settle();
    }

    static void activate(QWidget* w) {
        w->activateWindow();
        QApplication::setActiveWindow(w);
        ASSERT_TRUE(QTest::qWaitForWindowActive(w));
    }
    // Alt+S as the operator presses it, into the widget that has the focus.
    static void altS() {
        QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : QApplication::activeWindow();
        ASSERT_TRUE(target);
        QTest::keyClick(target, Qt::Key_S, Qt::AltModifier);
        QTest::qWait(150);  // a button pressed by its accelerator clicks after a short animation
        test::settle();
    }
};

TEST_F(Accelerators, AltSInTheFrameOpensSobreAndTheToolbarSairKeepsItsClick) {
    activate(frm_menu);
    altS();
    EXPECT_TRUE(frm_sobre);
    EXPECT_TRUE(boxes.boxes().empty()) << boxes.texts().join('|').toStdString();

    EXPECT_EQ(test::menu()->btb_sair->text(), "&Sair");
    boxes.answer(platform::Answer::No);
    test::menu()->btb_sair->click();
    EXPECT_EQ(boxes.texts(), QStringList({"Deseja Sair do sistema?"}));
}

// The window's own "&Sair" wins over the frame's "&Sobre" while it is the active
// window, whether an MDI child of the frame or a dialog over it; a disabled one
// leaves the key to the frame's menu.
TEST_F(Accelerators, AltSInAWindowWithItsOwnSairClicksThatButton) {
    struct Case {
        const char* name;
        bool mdiChild;
        bool sairEnabled;
    } cases[] = {
        {"MDI child", true, true},
        {"dialog", false, true},
        {"MDI child, Sair disabled", true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QPointer<QWidget> window;
        QLineEdit* edit;
        QPushButton* sair;
        int* clicks;
        if (c.mdiChild) {
            QPointer<WindowWithSair<QWidget>> w;
            openByReuseRule(w, [] { return new WindowWithSair<QWidget>(frm_menu, FormStyle::MdiChild); });
            window = w.data();
            edit = w->edit, sair = w->btb_sair, clicks = &w->sairClicks;
            activate(frm_menu);
        } else {
            QPointer<WindowWithSair<QDialog>> w;
            openByReuseRule(w, [] { return new WindowWithSair<QDialog>(frm_menu, Qt::Dialog); });
            window = w.data();
            edit = w->edit, sair = w->btb_sair, clicks = &w->sairClicks;
            activate(w);
        }
        sair->setEnabled(c.sairEnabled);
        edit->setFocus();
        ASSERT_EQ(QApplication::focusWidget(), edit);
        altS();
        EXPECT_EQ(*clicks, c.sairEnabled ? 1 : 0);
        EXPECT_EQ(bool(frm_sobre), !c.sairEnabled);
        EXPECT_EQ(edit->text(), "");  // the letter is not typed
        EXPECT_TRUE(boxes.boxes().empty()) << boxes.texts().join('|').toStdString();
        if (frm_sobre) frm_sobre->close();
        window->close();
        test::settle();
        EXPECT_FALSE(window);
    }
}

}  // namespace
