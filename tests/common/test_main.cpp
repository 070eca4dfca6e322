#include "platform/message_service.h"
#include "platform/scripted_message_service.h"

#include <QApplication>
#include <QLocale>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QLocale::setDefault(QLocale(QLocale::Portuguese, QLocale::Brazil));
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    // No test may reach a real modal box: an unexpected one fails the test.
    meru::platform::ScriptedMessageService unexpected;
    unexpected.setFailureHook([](const QString& what) { ADD_FAILURE() << what.toStdString(); });
    meru::platform::setMessageService(&unexpected);
    const int result = RUN_ALL_TESTS();
    meru::platform::setMessageService(nullptr);
    return result;
}
