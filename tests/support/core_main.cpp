#include <QCoreApplication>

#include "platform/dialogs.h"

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    // A program that keeps asking a scripted dialog is in a loop: the test fails.
    ScriptedDialogs::whenExhausted = [] { ADD_FAILURE() << "a scripted dialog was asked again and again"; };
    return RUN_ALL_TESTS();
}
