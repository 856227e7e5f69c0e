// The real program as a process: it starts on a private X server (Xvfb),
// the operator presses Esc in its window (xdotool), and the process ends
// with exit code 0. The offscreen platform cannot take keys from outside
// the process, hence X here.
#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <string>

namespace {

TEST(ProgramProcess, EscInTheWindowEndsTheProcessWithCodeZero) {
    for (const char* tool : {"xvfb-run", "xdotool"}) {
        if (QStandardPaths::findExecutable(tool).isEmpty()) {
            GTEST_SKIP() << tool << " is not installed";
        }
    }
    const QString program = QStringLiteral(KOBRELAN_GUI_TEST_BINARY_DIR "/kobrelan");
    ASSERT_TRUE(QFile::exists(program)) << program.toStdString();

    // A home of its own, so no wyf.ini of the developer is read.
    QTemporaryDir home;
    ASSERT_TRUE(home.isValid());

    // The script waits for the window, focuses it, presses Esc and returns
    // the program's exit code.
    const QString script = QStringLiteral(
        "\"$0\" & pid=$!\n"
        "wid=$(xdotool search --sync --onlyvisible --name 'Kobrelan' | head -n 1)\n"
        "xdotool windowfocus --sync \"$wid\" key Escape\n"
        "wait $pid\n");
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "xcb");
    env.insert("HOME", home.path());
    env.insert("XDG_CONFIG_HOME", home.path() + "/.config");
    env.insert("XDG_DATA_HOME", home.path() + "/.local/share");
    QProcess run;
    run.setProcessEnvironment(env);
    run.setProcessChannelMode(QProcess::MergedChannels);
    run.start("timeout", {"60", "xvfb-run", "-a", "-s", "-screen 0 1280x1024x24", "sh", "-c",
                          script, program});
    ASSERT_TRUE(run.waitForStarted());
    ASSERT_TRUE(run.waitForFinished(90000));
    EXPECT_EQ(run.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(run.exitCode(), 0) << run.readAll().toStdString();
}

}  // namespace
