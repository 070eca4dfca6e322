// The window base: what the constructor does and what the opener does, the one
// dispatch of activation and closing, for top-level windows, dialogs and MDI children.

#include "shell_fixture.h"

#include "data/data_source.h"
#include "data/query.h"
#include "shell/form.h"
#include "shell/window_reuse.h"

#include <QDialog>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTest>
#include <ostream>
#include <stdexcept>

inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

using namespace meru;
using test::settle;

namespace {

QStringList events;  // what the test windows' handlers did, in order

QString stateName(DatasetState s) {
    switch (s) {
    case DatasetState::Inactive: return QStringLiteral("inactive");
    case DatasetState::Browse: return QStringLiteral("browse");
    default: return QStringLiteral("editing");
    }
}

// A window as the entry window is written: a data source of its own whose state
// sets its buttons, a creation handler, and handlers a derived window replaces.
class BaseWindow : public Form<QWidget> {
public:
    explicit BaseWindow(QWidget* owner, FormStyle style = FormStyle::Normal) : Form(owner, style) {
        ds_municipios = new DataSource(QStringLiteral("ds_municipios"), nullptr, this);
        bindOnCreate(ds_municipios, dm_dados->qry_municipios, [this] { ds_municipiosStateChange(); });
    }
    virtual void ds_municipiosStateChange() { events << "base " + stateName(ds_municipios->state()); }
    void FormCreate() override { events << QStringLiteral("FormCreate"); }
    void FormActivate() override { events << QStringLiteral("FormActivate"); }
    void FormClose(CloseAction& Action) override {
        events << QStringLiteral("FormClose");
        if (closeFails) throw std::runtime_error("fechamento recusado");
        Action = closeAction;
    }

    DataSource* ds_municipios;
    CloseAction closeAction = CloseAction::Free;
    bool closeFails = false;
};

class DerivedWindow : public BaseWindow {
public:
    using BaseWindow::BaseWindow;
    void ds_municipiosStateChange() override { events << "derived " + stateName(ds_municipios->state()); }
};

class TestDialog : public Form<QDialog> {
public:
    explicit TestDialog(QWidget* owner) : Form(owner, Qt::Dialog) {}
    void FormActivate() override { events << QStringLiteral("dialog FormActivate"); }
};

QPointer<DerivedWindow> frm_derived;
QPointer<BaseWindow> frm_base;

class WindowBase : public test::ShellFixture {
protected:
    void SetUp() override {
        ShellFixture::SetUp();
        events.clear();
    }
    static void activate(QWidget* w) {
        w->activateWindow();
        QApplication::setActiveWindow(w);
        ASSERT_TRUE(QTest::qWaitForWindowActive(w)) << w->metaObject()->className();
    }
};

TEST_F(WindowBase, TheConstructorOnlyBuildsTheOpenerCreatesWithTheReplacedHandlers) {
    auto* w = new DerivedWindow(frm_menu);
    EXPECT_TRUE(events.isEmpty()) << events.join(", ").toStdString();
    EXPECT_EQ(w->ds_municipios->dataSet(), nullptr);
    EXPECT_FALSE(w->isVisible());
    delete w;

    openByReuseRule(frm_derived, [] { return new DerivedWindow(frm_menu); });
    ASSERT_TRUE(frm_derived);
    EXPECT_EQ(events, QStringList({"derived browse", "FormCreate"}));
    EXPECT_TRUE(frm_derived->isVisible());
    EXPECT_EQ(frm_derived->parentWidget(), frm_menu);

    // Later changes of state reach the replaced handler too; the base's never runs.
    events.clear();
    dm_dados->qry_municipios->close();
    dm_dados->qry_municipios->open();
    EXPECT_EQ(events, QStringList({"derived inactive", "derived browse"}));
}

TEST_F(WindowBase, AWindowStillOpenIsShownAgainWithoutASecondCreation) {
    openByReuseRule(frm_base, [] { return new BaseWindow(frm_menu); });
    QPointer<BaseWindow> first = frm_base;
    first->hide();
    openByReuseRule(frm_base, [] { return new BaseWindow(frm_menu); });
    EXPECT_EQ(frm_base, first);
    EXPECT_TRUE(first->isVisible());
    EXPECT_EQ(events.count("FormCreate"), 1);
}

TEST_F(WindowBase, ActivationReachesFormActivateOfWindowsAndDialogs) {
    openByReuseRule(frm_base, [] { return new BaseWindow(frm_menu); });
    activate(frm_base);
    QPointer<TestDialog> dialog;
    openByReuseRule(dialog, [] { return new TestDialog(frm_menu); });
    activate(dialog);
    activate(frm_base);
    EXPECT_EQ(events.filter("Activate"), QStringList({"FormActivate", "dialog FormActivate", "FormActivate"}));
}

// What FormClose decides, and a failure inside it, which keeps the window open
// with the failure shown once.
TEST_F(WindowBase, ClosingFollowsFormClose) {
    const struct {
        const char* name;
        CloseAction action;
        bool fails;
        bool freed;
        QStringList boxes;
    } cases[] = {
        {"free", CloseAction::Free, false, true, {}},
        {"none", CloseAction::None, false, false, {}},
        {"failure", CloseAction::Free, true, false, {"fechamento recusado"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        boxes.clear();
        events.clear();
        openByReuseRule(frm_base, [] { return new BaseWindow(frm_menu); });
        frm_base->closeAction = c.action;
        frm_base->closeFails = c.fails;
        const bool closed = frm_base->close();
        settle();
        EXPECT_EQ(closed, c.freed);
        EXPECT_EQ(frm_base.isNull(), c.freed);
        EXPECT_EQ(events.count("FormClose"), 1);
        EXPECT_EQ(boxes.texts(), c.boxes);
        if (frm_base) {
            EXPECT_TRUE(frm_base->isVisible());
            delete frm_base;
        }
    }
}

TEST_F(WindowBase, AnMdiChildOpensInTheFrameActivatesWithItAndLeavesWithIt) {
    QPointer<BaseWindow> child;
    openByReuseRule(child, [] { return new BaseWindow(frm_menu, FormStyle::MdiChild); });
    ASSERT_TRUE(child);
    QPointer<QMdiSubWindow> frame = child->mdiFrame();
    ASSERT_TRUE(frame);
    EXPECT_EQ(frm_menu->mdiArea()->subWindowList(), QList<QMdiSubWindow*>({frame}));
    EXPECT_TRUE(child->isVisible());
    activate(frm_menu);
    EXPECT_TRUE(QTest::qWaitFor([] { return events.contains("FormActivate"); }));

    // Its own close button (the sub-window's) asks FormClose; the sub-window goes too.
    child->closeAction = CloseAction::None;
    frame->close();
    settle();
    EXPECT_TRUE(child);
    EXPECT_TRUE(frame);
    child->closeAction = CloseAction::Free;
    frame->close();
    settle();
    EXPECT_FALSE(child);
    EXPECT_FALSE(frame);

    // Closed from inside, as its "Sair" does.
    openByReuseRule(child, [] { return new BaseWindow(frm_menu, FormStyle::MdiChild); });
    frame = child->mdiFrame();
    child->close();
    settle();
    EXPECT_FALSE(child);
    EXPECT_FALSE(frame);
    EXPECT_TRUE(frm_menu->mdiArea()->subWindowList().isEmpty());
}

TEST_F(WindowBase, AnMdiChildIsFreedWithTheWindowThatOwnsIt) {
    QPointer<BaseWindow> owner;
    openByReuseRule(owner, [] { return new BaseWindow(frm_menu); });
    QPointer<BaseWindow> child;
    openByReuseRule(child, [&] { return new BaseWindow(owner, FormStyle::MdiChild); });
    QPointer<QMdiSubWindow> frame = child->mdiFrame();
    ASSERT_TRUE(frame);
    delete owner;
    EXPECT_FALSE(child);
    EXPECT_FALSE(frame);
}

}  // namespace
