#pragma once
// The window's three popup menus. They are shown at the pointer through
// Dialogs::PopupMenu, which answers the chosen item's index (-1 none).
#include <string>
#include <vector>

#include "platform/gui/dialogs.h"

namespace kob::menus {

struct PopupMenuSpec {
    std::string caption;
    std::vector<std::string> items;
};

// 会员操作, on a right click in the member list.
inline const PopupMenuSpec k会员操作{"会员操作", {"删除会员", "修改姓名", "修改电话"}};
inline constexpr int k删除会员 = 0;
inline constexpr int k修改姓名 = 1;
inline constexpr int k修改电话 = 2;

// 充值操作, on a right click in the recharge list.
inline const PopupMenuSpec k充值操作{"充值操作", {"删除充值记录"}};
inline constexpr int k删除充值记录 = 0;

// 消费操作, on a right click in the consumption list.
inline const PopupMenuSpec k消费操作{"消费操作", {"删除消费记录"}};
inline constexpr int k删除消费记录 = 0;

// The chosen item's index, or -1 when none was chosen.
inline int PopUp(Dialogs& dialogs, const PopupMenuSpec& menu) {
    return dialogs.PopupMenu(menu.caption, menu.items);
}

}  // namespace kob::menus
