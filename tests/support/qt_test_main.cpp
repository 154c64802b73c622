#include <gtest/gtest.h>

#include <QApplication>

// Widget tests need one QApplication for the whole program. Without a
// display (also while the tests are only being listed) they run offscreen.
int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
