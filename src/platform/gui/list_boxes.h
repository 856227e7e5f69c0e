#pragma once
// Lists of items: the drop-down (combo box) and the list box.
#include <QComboBox>
#include <QListWidget>
#include <cstdint>
#include <functional>
#include <string>

#include "platform/gui/control.h"
#include "platform/gui/entry_limits.h"

namespace kob {

// Editable drop-down: code may set any text (also one that is no item, or
// empty); the item whose text matches exactly becomes current, otherwise none.
// SetCurrentItem(-1) empties it. on_item_chosen only when the operator picks
// an item, never for code.
class ComboBox : public QComboBox {
    Q_OBJECT
  public:
    explicit ComboBox(QWidget* parent = nullptr);
    KOB_CONTROL_COMMON
    std::string Text() const;
    void SetText(const std::string& text);
    int CurrentItem() const { return currentIndex(); }
    void SetCurrentItem(int index);
    int ItemCount() const { return count(); }
    std::string ItemText(int index) const;
    void AddItem(const std::string& text);
    void ClearItems();
    // As EditBox::SetColumnChars, for what the operator types into it.
    void SetColumnChars(int chars);
    std::function<void()> on_item_chosen;

  private:
    EntryValidator* validator_ = nullptr;
};

// List of text items, each with an integer value; on_double_click when the
// operator double-clicks an item.
class ListBox : public QListWidget {
    Q_OBJECT
  public:
    explicit ListBox(QWidget* parent = nullptr);
    KOB_CONTROL_COMMON
    void SetBorder(Border border);
    int ItemCount() const { return count(); }
    int AddItem(const std::string& text, int32_t value = 0);
    std::string ItemText(int index) const;
    int32_t ItemValue(int index) const;
    int CurrentItem() const { return currentRow(); }
    void SetCurrentItem(int index) { setCurrentRow(index); }
    void ClearItems() { clear(); }
    std::function<void()> on_double_click;
};

}  // namespace kob
