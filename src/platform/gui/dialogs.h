#pragma once
// Message boxes, input boxes and popup menus behind one interface: the Qt
// one for the operator, a scripted one for tests
// (tests/support/scripted_dialogs.h).
#include <optional>
#include <string>
#include <vector>

class QWidget;

namespace kob {

enum class MessageButtons { Ok, OkCancel };
enum class MessageIcon { None, Error, Information, Warning, Question };
enum class Answer { Ok, Cancel };

class Dialogs {
  public:
    virtual ~Dialogs() = default;
    virtual Answer Message(const std::string& text, const std::string& title,
                           MessageButtons buttons = MessageButtons::Ok,
                           MessageIcon icon = MessageIcon::None) = 0;
    // The typed text, or nullopt when cancelled. column_chars > 0: the text
    // goes into a gbk column of that many characters, and the box takes only
    // what FitToColumn keeps, as an edit box feeding that column does.
    virtual std::optional<std::string> Input(const std::string& prompt, const std::string& title,
                                             const std::string& initial = {}, bool masked = false,
                                             int column_chars = 0) = 0;
    // Pops up a menu at the mouse pointer; the chosen item's index or -1.
    virtual int PopupMenu(const std::string& caption, const std::vector<std::string>& items) = 0;
};

// QMessageBox (buttons "确定" and "取消"), a modal QInputDialog (masked shows
// "*") and a QMenu at the mouse pointer (the caption is not shown).
class QtDialogs : public Dialogs {
  public:
    explicit QtDialogs(QWidget* owner = nullptr) : owner_(owner) {}
    void SetOwner(QWidget* owner) { owner_ = owner; }
    Answer Message(const std::string& text, const std::string& title, MessageButtons buttons,
                   MessageIcon icon) override;
    std::optional<std::string> Input(const std::string& prompt, const std::string& title,
                                     const std::string& initial, bool masked,
                                     int column_chars = 0) override;
    int PopupMenu(const std::string& caption, const std::vector<std::string>& items) override;

  private:
    QWidget* owner_;
};

}  // namespace kob
