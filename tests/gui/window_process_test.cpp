// The real program as a process on a private X server (Xvfb), driven from
// outside with xdotool: the offscreen platform cannot take keys from outside
// the process, hence X here.
#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <string>

namespace {

struct Tool {
    const char* command;
    const char* package;  // the Debian package that brings it
};

// A developer's machine may lack a tool and skips; under CI a missing tool
// is a broken install and fails, naming the package to add.
class ProgramProcess : public ::testing::Test {
  protected:
    void SetUp() override {
        for (const Tool& tool :
             {Tool{"xvfb-run", "xvfb"}, Tool{"xauth", "xauth"}, Tool{"xdotool", "xdotool"}}) {
            if (!QStandardPaths::findExecutable(tool.command).isEmpty()) {
                continue;
            }
            const std::string missing = std::string(tool.command) +
                                        " is not installed (Debian package " + tool.package + ")";
            if (qgetenv("CI") == "true") {
                FAIL() << missing;
            }
            GTEST_SKIP() << missing;
        }
    }
};

// Runs `script` under xvfb-run with the program as $0; the script's exit
// code and output come back.
struct ScriptResult {
    bool finished = false;
    int exit_code = -1;
    std::string output;
};

ScriptResult RunWithProgram(const QString& script) {
    ScriptResult result;
    const QString program = QStringLiteral(KOBRELAN_GUI_TEST_BINARY_DIR "/kobrelan");
    if (!QFile::exists(program)) {
        result.output = program.toStdString() + " is missing";
        return result;
    }
    // A home of its own, so no wyf.ini of the developer is read.
    QTemporaryDir home;
    if (!home.isValid()) {
        result.output = "no temporary home";
        return result;
    }
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "xcb");
    env.insert("HOME", home.path());
    env.insert("XDG_CONFIG_HOME", home.path() + "/.config");
    env.insert("XDG_DATA_HOME", home.path() + "/.local/share");
    // libxkbcommon-x11 hands strndup a buffer without a terminating zero,
    // which AddressSanitizer's strndup interceptor misreads as an overflow.
    const QString asan = env.value("ASAN_OPTIONS");
    env.insert("ASAN_OPTIONS", (asan.isEmpty() ? QString() : asan + ":") + "intercept_strndup=0");
    QProcess run;
    run.setProcessEnvironment(env);
    run.setProcessChannelMode(QProcess::MergedChannels);
    run.start("timeout", {"30", "xvfb-run", "-a", "-s", "-screen 0 1280x1024x24", "sh", "-c",
                          script, program});
    if (!run.waitForStarted() || !run.waitForFinished(45000)) {
        result.output = "the script did not run to its end";
        run.kill();
        run.waitForFinished();
        return result;
    }
    result.finished = run.exitStatus() == QProcess::NormalExit;
    result.exit_code = run.exitCode();
    result.output = run.readAll().toStdString();
    return result;
}

TEST_F(ProgramProcess, EscInTheWindowEndsTheProcessWithCodeZero) {
    // Waits for the window, focuses it, presses Esc and returns the
    // program's exit code.
    const ScriptResult result = RunWithProgram(
        QStringLiteral("\"$0\" & pid=$!\n"
                       "wid=$(xdotool search --sync --onlyvisible --name 'Kobrelan' | head -n 1)\n"
                       "xdotool windowfocus --sync \"$wid\" key Escape\n"
                       "wait $pid\n"));
    EXPECT_TRUE(result.finished) << result.output;
    EXPECT_EQ(result.exit_code, 0) << result.output;
}

// Qt reads options of its own from the command line unless the program
// keeps them away: -reverse would mirror the window, -name renames it for
// the X server (its WM_CLASS instance), which can be read from outside.
TEST_F(ProgramProcess, QtOptionsOnTheCommandLineDoNotAct) {
    const ScriptResult result = RunWithProgram(
        QStringLiteral("\"$0\" -reverse -name qtoption & pid=$!\n"
                       "wid=$(xdotool search --sync --onlyvisible --name 'Kobrelan' | head -n 1)\n"
                       "status=0\n"
                       "if xdotool search --classname '^qtoption$' >/dev/null; then\n"
                       "    echo 'the window took -name qtoption'; status=3\n"
                       "fi\n"
                       "if ! xdotool search --classname '^kobrelan$' >/dev/null; then\n"
                       "    echo 'no window named kobrelan for the X server'; status=4\n"
                       "fi\n"
                       "xdotool windowfocus --sync \"$wid\" key Escape\n"
                       "wait $pid || exit $?\n"
                       "exit $status\n"));
    EXPECT_TRUE(result.finished) << result.output;
    EXPECT_EQ(result.exit_code, 0) << result.output;
}

}  // namespace
