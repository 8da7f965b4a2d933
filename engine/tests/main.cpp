// The engine drives a real lookup window, which needs an application object.
// A message box no test asked for fails the test instead of waiting for a
// click that never comes.
#include <gtest/gtest.h>

#include <QApplication>

#include "errors/MessageBox.h"

int main(int argc, char** argv) {
    // Listing the tests at build time runs this too, outside the test
    // environment; the window never needs a real display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    errors::setMessageSink([](const errors::MessageBoxRequest& box) {
        ADD_FAILURE() << "unexpected message box: " << box.text.toStdString();
        return 1;
    });
    return RUN_ALL_TESTS();
}
