// One main for every test program, then GoogleTest. Window tests get a
// QApplication on the offscreen platform, the others a QCoreApplication;
// config files go to a test-only folder.
#include <gtest/gtest.h>

#include <QStandardPaths>
#ifdef KOBRELAN_TEST_GUI
#include <QApplication>
using TestApplication = QApplication;
#else
#include <QCoreApplication>
using TestApplication = QCoreApplication;
#endif

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QStandardPaths::setTestModeEnabled(true);
    TestApplication app(argc, argv);
    TestApplication::setApplicationName("kobrelan");
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
