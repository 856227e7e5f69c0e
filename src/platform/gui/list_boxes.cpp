#include "platform/gui/list_boxes.h"

#include <QLineEdit>
#include <QListWidgetItem>

namespace kob {

// -------------------------------------------------------------- ComboBox

ComboBox::ComboBox(QWidget* parent) : QComboBox(parent) {
    setFont(MakeFont({}));
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    setCompleter(nullptr);  // a drop-down edit does not complete what is typed
    connect(this, &QComboBox::activated, this, [this] {
        if (on_item_chosen) {
            on_item_chosen();
        }
    });
}

std::string ComboBox::Text() const {
    return currentText().toStdString();
}

void ComboBox::SetColumnChars(int chars) {
    if (validator_ == nullptr) {
        validator_ = new EntryValidator(this);
    }
    validator_->column_chars = chars;
    lineEdit()->setValidator(chars > 0 ? validator_ : nullptr);
}

void ComboBox::SetText(const std::string& text) {
    CodeSets code(validator_);
    const QString q = QString::fromStdString(text);
    const int index = findText(q, Qt::MatchExactly | Qt::MatchCaseSensitive);
    setCurrentIndex(index);
    setEditText(q);
}

void ComboBox::SetCurrentItem(int index) {
    CodeSets code(validator_);
    if (index < 0 || index >= count()) {
        setCurrentIndex(-1);
        setEditText(QString());
        return;
    }
    setCurrentIndex(index);
}

std::string ComboBox::ItemText(int index) const {
    return itemText(index).toStdString();
}

void ComboBox::AddItem(const std::string& text) {
    // Adding an item changes neither the current item nor the text (Qt would
    // make the first item of an empty list current).
    CodeSets code(validator_);
    const int index = currentIndex();
    const QString shown = currentText();
    addItem(QString::fromStdString(text));
    if (currentIndex() != index) {
        setCurrentIndex(index);
    }
    if (currentText() != shown) {
        setEditText(shown);
    }
}

void ComboBox::ClearItems() {
    clear();
    setEditText(QString());
}

// --------------------------------------------------------------- ListBox

ListBox::ListBox(QWidget* parent) : QListWidget(parent) {
    setFont(MakeFont({}));
    setSelectionMode(QAbstractItemView::SingleSelection);
    connect(this, &QListWidget::itemDoubleClicked, this, [this] {
        if (on_double_click) {
            on_double_click();
        }
    });
}

void ListBox::SetBorder(Border border) {
    ApplyFrameBorder(this, border);
}

int ListBox::AddItem(const std::string& text, int32_t value) {
    auto* item = new QListWidgetItem(QString::fromStdString(text));
    item->setData(Qt::UserRole, value);
    addItem(item);
    return count() - 1;
}

std::string ListBox::ItemText(int index) const {
    const QListWidgetItem* it = item(index);
    return it != nullptr ? it->text().toStdString() : std::string();
}

int32_t ListBox::ItemValue(int index) const {
    const QListWidgetItem* it = item(index);
    return it != nullptr ? it->data(Qt::UserRole).toInt() : 0;
}
}  // namespace kob
