#include "support/scripted_dialogs.h"

#include <QString>
#include <utility>

#include "platform/gui/entry_limits.h"

namespace kob {

namespace {

AskedDialog Question(AskedDialog::Kind kind, const std::string& text, const std::string& title) {
    AskedDialog asked;
    asked.kind = kind;
    asked.text = text;
    asked.title = title;
    return asked;
}

}  // namespace

void ScriptedDialogs::Record(const AskedDialog& asked) {
    asked_.push_back(asked);
    if (on_asked) {
        on_asked(asked);
    }
}

Answer ScriptedDialogs::Message(const std::string& text, const std::string& title,
                                MessageButtons buttons, MessageIcon icon) {
    AskedDialog asked = Question(AskedDialog::Kind::Message, text, title);
    asked.buttons = buttons;
    asked.icon = icon;
    Record(asked);
    Answer answer = Answer::Ok;
    if (!messages_.empty()) {
        answer = messages_.front();
        messages_.pop_front();
    }
    return buttons == MessageButtons::Ok ? Answer::Ok : answer;
}

std::optional<std::string> ScriptedDialogs::Input(const std::string& prompt,
                                                  const std::string& title,
                                                  const std::string& initial, bool masked,
                                                  int column_chars) {
    AskedDialog asked = Question(AskedDialog::Kind::Input, prompt, title);
    asked.initial = initial;
    asked.masked = masked;
    asked.column_chars = column_chars;
    Record(asked);
    if (inputs_.empty()) {
        return std::nullopt;
    }
    auto answer = std::move(inputs_.front());
    inputs_.pop_front();
    if (answer && column_chars > 0) {
        answer = FitToColumn(QString::fromStdString(*answer), column_chars).toStdString();
    }
    return answer;
}

int ScriptedDialogs::PopupMenu(const std::string& caption, const std::vector<std::string>& items) {
    AskedDialog asked = Question(AskedDialog::Kind::Menu, caption, "");
    asked.items = items;
    Record(asked);
    if (menus_.empty()) {
        return -1;
    }
    const int choice = menus_.front();
    menus_.pop_front();
    return choice >= 0 && choice < static_cast<int>(items.size()) ? choice : -1;
}

}  // namespace kob
