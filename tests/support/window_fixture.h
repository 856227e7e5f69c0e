#pragma once
// The real main window on the offscreen platform, built the way the program
// builds it but with scripted services: a ManualClock, ScriptedDialogs and a
// FixedPointer. ExitProcess is caught (exit_code) instead of ending the test.
#include <gtest/gtest.h>

#include <QImage>
#include <QPoint>
#include <QWidget>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "app/program.h"
#include "support/fixed_pointer.h"
#include "support/manual_clock.h"
#include "support/scripted_dialogs.h"
#include "ui/main_window.h"

namespace kob::test {

// Owns the services and the program; usable from any fixture.
class WindowHarness {
  public:
    WindowHarness();
    ~WindowHarness();
    WindowHarness(const WindowHarness&) = delete;
    WindowHarness& operator=(const WindowHarness&) = delete;

    // Builds the window (created event included) and shows it, waiting until
    // it is exposed. Call once.
    void Start();

    ManualClock clock;
    ScriptedDialogs dialogs;
    FixedPointer pointer;
    std::unique_ptr<Program> program;
    // The code ExitProcess was called with, if it was.
    std::optional<int> exit_code;

    MainWindow& w() { return program->window(); }
};

// wyf.ini of the test folder (QStandardPaths test mode).
void RemoveConfigFile();
void WriteConfigKey(std::string_view section, std::string_view key, std::string_view value);

// Input, as the operator gives it.
void Click(QWidget* widget, QPoint at = {});  // at: widget coordinates; default centre
void PressLeft(QWidget* widget, QPoint at = {});
void ReleaseLeft(QWidget* widget, QPoint at = {});
void Hover(QWidget* widget);
void Unhover(QWidget* widget);
// Types UTF-8 text character by character (Chinese too) into the focus widget.
void Type(QWidget* widget, std::string_view utf8);
void PressKey(QWidget* widget, int qt_key);

// The widget's rectangle in the coordinates of its top-level window.
QRect RectInWindow(const QWidget* widget);

// The pixels by which the text of a label (its widest line) or of an edit box
// reaches beyond the room it is drawn in, measured in the font the control
// uses now: 0 or less when the whole text shows. An edit box draws inside its
// contents rectangle less 2 pixels each side and the 1-pixel cursor.
int TextOverflow(const QWidget* control);

// The control names of the children of parent that show.
std::set<std::string> VisibleChildren(QWidget* parent);

// A report list's columns: title and width, in order.
using Columns = std::vector<std::pair<std::string, int>>;
void ExpectColumns(ReportList* list, const Columns& columns);

// A colour button acts on the left button down, and the release adds nothing.
void ExpectActsOnPress(ColourButton* button);

// Of the opaque pixels of picture (every step-th, margin pixels in from its
// edges), how many the drawn image shows moved by offset.
struct PixelMatch {
    int compared = 0;
    int equal = 0;
};
PixelMatch MatchOpaquePixels(const QImage& picture, const QImage& drawn, QPoint offset, int margin,
                             int step);

// A fresh window per test; wyf.ini removed first. Tests that need a stored
// option write it in their body and call Start() themselves
// (set auto_start_ = false in the constructor).
class WindowTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;
    void Start() { harness_->Start(); }

    MainWindow& w() { return harness_->w(); }
    Program& program() { return *harness_->program; }
    WindowHarness& harness() { return *harness_; }

    bool auto_start_ = true;

  private:
    std::unique_ptr<WindowHarness> harness_;
};

}  // namespace kob::test
