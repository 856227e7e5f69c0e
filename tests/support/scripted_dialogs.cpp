#include "support/scripted_dialogs.h"

#include <QString>
#include <utility>

#include "platform/gui/entry_limits.h"

namespace kob {

Answer ScriptedDialogs::Message(const std::string& text, const std::string& title,
                                MessageButtons buttons, MessageIcon icon) {
    AskedDialog asked;
    asked.kind = AskedDialog::Kind::Message;
    asked.text = text;
    asked.title = title;
    asked.buttons = buttons;
    asked.icon = icon;
    asked_.push_back(asked);
    if (on_asked) {
        on_asked(asked);
    }
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
    AskedDialog asked;
    asked.kind = AskedDialog::Kind::Input;
    asked.text = prompt;
    asked.title = title;
    asked.initial = initial;
    asked.masked = masked;
    asked.column_chars = column_chars;
    asked_.push_back(asked);
    if (on_asked) {
        on_asked(asked);
    }
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
    AskedDialog asked;
    asked.kind = AskedDialog::Kind::Menu;
    asked.text = caption;
    asked.items = items;
    asked_.push_back(asked);
    if (on_asked) {
        on_asked(asked);
    }
    if (menus_.empty()) {
        return -1;
    }
    const int choice = menus_.front();
    menus_.pop_front();
    return choice >= 0 && choice < static_cast<int>(items.size()) ? choice : -1;
}

}  // namespace kob
