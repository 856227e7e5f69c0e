// One main for every test program: a QApplication on the offscreen platform
// (the window tests need one, the others do not mind), config files under a
// test-only folder, then GoogleTest.
#include <gtest/gtest.h>

#include <QApplication>
#include <QStandardPaths>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QStandardPaths::setTestModeEnabled(true);
    QApplication app(argc, argv);
    QApplication::setApplicationName("kobrelan");
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
