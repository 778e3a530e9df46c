#include <QApplication>

#include "platform/dialogs.h"

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    // Window tests run without a display; the platform must be chosen before the application exists.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    // A program that keeps asking a scripted dialog is in a loop: the test fails.
    ScriptedDialogs::whenExhausted = [] { ADD_FAILURE() << "a scripted dialog was asked again and again"; };
    return RUN_ALL_TESTS();
}
