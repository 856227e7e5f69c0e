// Window-level controls (client-area coordinates) and the current-member box.
#include "ui/layout.h"
#include "ui/main_window.h"

namespace kob::layout {

const Columns kMemberColumns = {
    {"卡号", 80},      {"姓名", 100},    {"手机号", 120},   {"充值次数", 80}, {"实付金额", 100},
    {"充值总额", 100}, {"消费次数", 80}, {"消费金额", 100}, {"卡余额", 100},
};

std::vector<Table> WindowTables() {
    using K = Kind;
    Table window{
        "window",
        {
            // clang-format off
{KOB_CTL(按钮_会员管理), K::ImageButton, kWindow, 31, 40, 100, 100, "", kShown, kNoFont,
 {.bg = 0xFFFFFF, .picture = ":/side/members.png", .hover_picture = ":/side/members_hover.png"}},
{KOB_CTL(按钮_会员充值), K::ImageButton, kWindow, 127, 40, 100, 100, "", kShown, kNoFont,
 {.bg = 0xFFFFFF, .picture = ":/side/recharge.png", .hover_picture = ":/side/recharge_hover.png"}},
{KOB_CTL(按钮_会员消费), K::ImageButton, kWindow, 225, 40, 100, 100, "", kShown, kNoFont,
 {.bg = 0xFFFFFF, .picture = ":/side/consumption.png", .hover_picture = ":/side/consumption_hover.png"}},
{KOB_CTL(按钮_系统设置), K::ImageButton, kWindow, 321, 40, 100, 100, "", kShown, kNoFont,
 {.bg = 0xFFFFFF, .picture = ":/side/settings.png", .hover_picture = ":/side/settings_hover.png"}},
{KOB_CTL(外形框1), K::Frame, kWindow, 421, 52, 571, 88, "", kShown, kNoFont,
 {.bg = 0xFFFFFF, .outline = Outline::None}},
{KOB_CTL(外形框_当前用户), K::Frame, kWindow, 750, 44, 232, 88, "", kHidden, kNoFont,
 {.bg = 0xFFFFFF, .outline = Outline::Solid, .outline_colour = 0xFF8000, .outline_width = 1}},
{KOB_CTL(选择夹1), K::PageStack, kWindow, 32, 133, 952, 559, "会员管理|会员充值|会员消费|系统设置", kShown, F("Y21"),
 {.bg = 0xFFFFFF}},
{KOB_CTL(超级列表框_会员管理_会员列表备用), K::ReportList, kWindow, 32, 704, 950, 160, "", kHidden, F("Y16"),
 {.bg = 0xFFFFFF, .border = Border::Single, .multi_select = true, .columns = &kMemberColumns}},
{KOB_CTL(时钟1), K::Timer, kWindow, 0, 0, 0, 0, "", kShown, kNoFont,
 {.interval_ms = 200}},
{KOB_CTL(气球提示框1), K::BalloonTip, kWindow, 0, 0, 0, 0, "", kHidden, kNoFont, {}},
            // clang-format on
        },
        // The tab strip lies behind the side buttons and the white strip; the
        // side buttons paint white behind their transparent pictures so no
        // tab shows through.
        {"外形框1", "按钮_会员管理", "按钮_会员充值", "按钮_会员消费", "按钮_系统设置",
         "外形框_当前用户"},
    };

    Table current_member{
        "外形框_当前用户",
        {
            // clang-format off
{KOB_CTL(透明标签12), K::TransparentLabel, "外形框_当前用户", 12, 10, 72, 16, "当前用户", kShown, F("D"),
 {.fg = 0x000000, .align = Align::Left}},
{KOB_CTL(编辑框_全局_卡号), K::EditBox, "外形框_当前用户", 67, 10, 58, 16, "", kShown, F("D"),
 {.fg = 0x808080, .bg = 0xFFFFFF, .align = Align::Left, .border = Border::None,
  .shrink_to_fit = true}},
{KOB_CTL(外形框10), K::Frame, "外形框_当前用户", 8, 29, 216, 1, "", kShown, kNoFont,
 {.outline = Outline::Solid, .outline_colour = 0xC0C0C0, .outline_width = 1}},
{KOB_CTL(标签_全局_卡余额提示), K::TransparentLabel, "外形框_当前用户", 169, 32, 54, 16, "卡余额", kShown, F("D"),
 {.fg = 0xC0C0C0, .align = Align::Right}},
{KOB_CTL(编辑框_全局_姓名), K::EditBox, "外形框_当前用户", 4, 38, 166, 40, "", kShown, F("Y32B"),
 {.fg = 0xFF8000, .bg = 0xFFFFFF, .align = Align::Left, .border = Border::None}},
{KOB_CTL(编辑框_全局_余额), K::EditBox, "外形框_当前用户", 170, 55, 58, 26, "", kShown, F("Y20B"),
 {.fg = 0x80E000, .bg = 0xFFFFFF, .align = Align::Right, .border = Border::None,
  .shrink_to_fit = true}},
            // clang-format on
        },
        {},
    };
    return {window, current_member};
}

std::vector<Table> AllTables() {
    std::vector<Table> all = WindowTables();
    for (auto* part : {&MembersTables, &RecordsTables, &SettingsTables}) {
        for (Table& t : (*part)()) {
            all.push_back(std::move(t));
        }
    }
    return all;
}

}  // namespace kob::layout
