#pragma once
// Dialogs for tests: answers come from queues the test fills, and every
// question asked is kept for the test to read.
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/gui/dialogs.h"

namespace kob {

// What a test saw asked, in order.
struct AskedDialog {
    enum class Kind { Message, Input, Menu } kind = Kind::Message;
    std::string text;   // message text, input prompt or menu caption
    std::string title;  // message or input title
    MessageButtons buttons = MessageButtons::Ok;
    MessageIcon icon = MessageIcon::None;
    std::string initial;
    bool masked = false;
    int column_chars = 0;
    std::vector<std::string> items;
};

// Answers from queues; with an empty queue a message gets Ok, an input
// Cancel and a menu no choice. A queued input is what the operator types:
// the box keeps of it what a box feeding its column would. Every message takes the next queued
// answer; a box with the Ok button only answers Ok whatever was queued.
class ScriptedDialogs : public Dialogs {
  public:
    // Called with each question as it is asked, before it is answered.
    std::function<void(const AskedDialog&)> on_asked;

    void NextMessage(Answer answer) { messages_.push_back(answer); }
    void NextInput(std::optional<std::string> text) { inputs_.push_back(std::move(text)); }
    void NextMenuChoice(int index) { menus_.push_back(index); }

    Answer Message(const std::string& text, const std::string& title, MessageButtons buttons,
                   MessageIcon icon) override;
    std::optional<std::string> Input(const std::string& prompt, const std::string& title,
                                     const std::string& initial, bool masked,
                                     int column_chars = 0) override;
    int PopupMenu(const std::string& caption, const std::vector<std::string>& items) override;

    const std::vector<AskedDialog>& Asked() const { return asked_; }
    const AskedDialog* Last() const { return asked_.empty() ? nullptr : &asked_.back(); }
    void ClearAsked() { asked_.clear(); }

  private:
    // Keeps the question, then shows it to on_asked.
    void Record(const AskedDialog& asked);

    std::deque<Answer> messages_;
    std::deque<std::optional<std::string>> inputs_;
    std::deque<int> menus_;
    std::vector<AskedDialog> asked_;
};

}  // namespace kob
