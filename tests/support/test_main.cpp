// One main for every test program, then GoogleTest. Window tests get a
// QApplication on the offscreen platform, the others a QCoreApplication;
// config files go to a test-only folder. Programs that use the database
// first make sure it is a test server.
#include <gtest/gtest.h>

#include <QDir>
#include <QStandardPaths>
#include <cstdio>
#ifdef KOBRELAN_TEST_GUI
#include <QApplication>
using TestApplication = QApplication;
#else
#include <QCoreApplication>
using TestApplication = QCoreApplication;
#endif
#ifdef KOBRELAN_TEST_SERVER_GUARD
#include "support/test_server.h"
#endif

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    // Test mode keeps config files under $HOME/.qttest; a home per build tree
    // keeps parallel runs in other trees from sharing one wyf.ini.
    QDir().mkpath(QStringLiteral(KOBRELAN_TEST_HOME));
    qputenv("HOME", KOBRELAN_TEST_HOME);
    QStandardPaths::setTestModeEnabled(true);
    TestApplication app(argc, argv);
    TestApplication::setApplicationName("kobrelan");
    ::testing::InitGoogleTest(&argc, argv);
#ifdef KOBRELAN_TEST_SERVER_GUARD
    // Listing the tests (as the build does) touches no server.
    if (!GTEST_FLAG_GET(list_tests)) {
        const std::string refusal = kob::test::RefusalUnlessTestServer(argv[0]);
        if (!refusal.empty()) {
            std::fprintf(stderr, "%s\n", refusal.c_str());
            return 1;
        }
    }
#endif
    return RUN_ALL_TESTS();
}
