#pragma once
// The common ground of the control tests: a store with the working tables, the
// database open, scripted message boxes, and an active window to hold controls so
// that focus and key clicks reach them.
#include "temp_store.h"

#include "data/data_source.h"
#include "data/database.h"
#include "platform/scripted_message_service.h"

#include <QApplication>
#include <QTest>
#include <QVBoxLayout>
#include <QWidget>
#include <gtest/gtest.h>

// Readable QStrings in failure messages.
inline void PrintTo(const QString& text, std::ostream* os) { *os << '"' << text.toStdString() << '"'; }

namespace meru::test {

class BoundWindow : public ::testing::Test {
protected:
    explicit BoundWindow(bool withMunicipalities = false) : store(withMunicipalities) {
        boxes.setFailureHook([](const QString& why) { ADD_FAILURE() << why.toStdString(); });
        new QVBoxLayout(&window);
    }
    void SetUp() override { db.open(); }
    void TearDown() override { window.close(); }

    template <class W>
    W* add(W* widget) {
        window.layout()->addWidget(widget);
        return widget;
    }
    void showWindow() {
        window.show();
        QApplication::setActiveWindow(&window);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }
    // Lets deferred work (boxes, focus corrections) happen.
    static void settle() {
        for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
    }

    TempStore store;
    Database db;
    platform::ScriptedMessageService boxes;
    platform::MessageServiceOverride useBoxes{boxes};
    QWidget window;
};

}  // namespace meru::test
