#include "platform/gui/dialogs.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCursor>
#include <QInputDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>

#include "platform/gui/entry_limits.h"

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

}  // namespace kob
