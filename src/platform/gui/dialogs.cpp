#include "platform/gui/dialogs.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCursor>
#include <QInputDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>

#include "platform/gui/controls.h"

namespace kob {

namespace {

QString Q(const std::string& text) {
    return QString::fromStdString(text);
}

QMessageBox::Icon QtIcon(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::Error:
            return QMessageBox::Critical;
        case MessageIcon::Information:
            return QMessageBox::Information;
        case MessageIcon::Warning:
            return QMessageBox::Warning;
        case MessageIcon::Question:
            return QMessageBox::Question;
        case MessageIcon::None:
            break;
    }
    return QMessageBox::NoIcon;
}

}  // namespace

Answer QtDialogs::Message(const std::string& text, const std::string& title, MessageButtons buttons,
                          MessageIcon icon) {
    QWidget* owner = owner_ != nullptr ? owner_ : QApplication::activeWindow();
    QMessageBox box(QtIcon(icon), Q(title), Q(text), QMessageBox::NoButton, owner);
    box.setTextFormat(Qt::PlainText);
    QAbstractButton* ok = box.addButton(QMessageBox::Ok);
    ok->setText(QStringLiteral("确定"));
    if (buttons == MessageButtons::OkCancel) {
        box.addButton(QMessageBox::Cancel)->setText(QStringLiteral("取消"));
        box.setDefaultButton(QMessageBox::Ok);
        box.setEscapeButton(QMessageBox::Cancel);
    } else {
        box.setEscapeButton(QMessageBox::Ok);
    }
    box.exec();
    if (buttons == MessageButtons::Ok) {
        return Answer::Ok;
    }
    return box.clickedButton() == ok ? Answer::Ok : Answer::Cancel;
}

std::optional<std::string> QtDialogs::Input(const std::string& prompt, const std::string& title,
                                            const std::string& initial, bool masked,
                                            int column_chars) {
    QWidget* owner = owner_ != nullptr ? owner_ : QApplication::activeWindow();
    QInputDialog dialog(owner);
    dialog.setWindowTitle(Q(title));
    dialog.setLabelText(Q(prompt));
    dialog.setInputMode(QInputDialog::TextInput);
    dialog.setTextEchoMode(masked ? QLineEdit::Password : QLineEdit::Normal);
    dialog.setTextValue(Q(initial));
    dialog.setOkButtonText(QStringLiteral("确定"));
    dialog.setCancelButtonText(QStringLiteral("取消"));
    dialog.setStyleSheet(QStringLiteral("QLineEdit { lineedit-password-character: 42; }"));
    if (column_chars > 0) {
        // After the initial text, which stands until the operator edits.
        if (auto* edit = dialog.findChild<QLineEdit*>()) {
            auto* fit = new EntryValidator(edit);
            fit->column_chars = column_chars;
            edit->setValidator(fit);
        }
    }
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog.textValue().toStdString();
}

int QtDialogs::PopupMenu(const std::string& /*caption*/, const std::vector<std::string>& items) {
    QMenu menu(owner_);
    std::vector<QAction*> actions;
    actions.reserve(items.size());
    for (const auto& item : items) {
        actions.push_back(menu.addAction(Q(item)));
    }
    QAction* chosen = menu.exec(QCursor::pos());
    for (size_t i = 0; i < actions.size(); ++i) {
        if (actions[i] == chosen) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

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
