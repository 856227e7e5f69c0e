// Page 3: the login controls on the left, the settings panel with its three
// sub-panels on the right.
#include "ui/layout.h"
#include "ui/main_window.h"

namespace kob::layout {

const Columns kServiceItemColumns = {
    {"ID", 60},          {"项目名称", 170}, {"项目金额", 80},
    {"近七日次数", 110}, {"30日计", 70},    {"总计", 50},
};

namespace {

using K = Kind;

constexpr Look kPrompt{.fg = 0x000000, .align = Align::Left};
constexpr Look kEntry{
    .fg = 0x000000, .bg = 0xFFFFFF, .align = Align::Left, .border = Border::Sunken};
constexpr Look kMaskedEntry{.fg = 0x000000,
                            .bg = 0xFFFFFF,
                            .align = Align::Left,
                            .border = Border::Sunken,
                            .entry = EntryMode::Masked};
constexpr Look kSubPanel{
    .bg = 0xFFFFFF, .outline = Outline::Solid, .outline_colour = 0x000000, .outline_width = 1};

}  // namespace

std::vector<Table> SettingsTables() {
    const char* P = kPage3;
    Table page{
        "page 3",
        {
            // clang-format off
{KOB_CTL(图片框1), K::PictureBox, P, 24, 55, 144, 128, "", kShown, kNoFont,
 {.picture = ":/login_girl.png"}},
{KOB_CTL(透明标签1), K::TransparentLabel, P, 24, 194, 152, 23, "请输入登录用户名", kShown, F("S16"), kPrompt},
{KOB_CTL(组合框_登录用户名), K::ComboBox, P, 25, 218, 184, 40, "", kShown, F("Y18B"),
 {.fg = 0x000000, .bg = 0xFFFFFF, .column_chars = kPhoneChars, .current_item = -1}},
{KOB_CTL(透明标签2), K::TransparentLabel, P, 24, 264, 152, 23, "请输入登录密码", kShown, F("S16"), kPrompt},
{KOB_CTL(编辑框_密码), K::EditBox, P, 25, 286, 184, 40, "", kShown, F("Y19B"),
 Fits(kMaskedEntry, kPasswordChars)},
{KOB_CTL(载入条), K::PictureBox, P, 66, 339, 94, 17, "", kHidden, kNoFont,
 {.picture = kSpinner, .animated = true}},
{KOB_CTL(按钮_登录系统), K::PushButton, P, 38, 365, 144, 56, "登录系统", kShown, F("D"), {}},
{KOB_CTL(编辑框_用户名), K::EditBox, P, 17, 478, 184, 40, "", kHidden, F("Y19B"),
 Fits(kEntry, kPhoneChars)},
{KOB_CTL(外形框_系统设置), K::Frame, P, 224, 53, 720, 464, "", kHidden, kNoFont, kSubPanel},
            // clang-format on
        },
        {},
    };

    const char* S = "外形框_系统设置";
    Table settings{
        "外形框_系统设置",
        {
            // clang-format off
{KOB_CTL(按钮_系统设置_修改消费项目), K::PushButton, S, 8, 4, 112, 32, "修改消费项目", kShown, F("D"), {}},
{KOB_CTL(按钮_系统设置_修改密码), K::PushButton, S, 124, 4, 80, 32, "修改密码", kShown, F("D"), {}},
{KOB_CTL(按钮_系统设置_新增管理员), K::PushButton, S, 208, 4, 80, 32, "新增管理员", kShown, F("D"), {}},
{KOB_CTL(选择框_新纪录在最前), K::CheckBox, S, 488, 4, 192, 32, "新记录显示在最前", kShown, F("D"),
 {.bg = 0xFFFFFF}},
{KOB_CTL(外形框_修改消费项目), K::Frame, S, 48, 416, 608, 400, "", kHidden, kNoFont, kSubPanel},
{KOB_CTL(外形框_修改密码), K::Frame, S, 488, 40, 208, 280, "", kHidden, kNoFont, kSubPanel},
{KOB_CTL(外形框_系统设置_新增管理员), K::Frame, S, 208, 40, 208, 374, "", kHidden, kNoFont, kSubPanel},
            // clang-format on
        },
        {},
    };

    const char* I = "外形框_修改消费项目";
    Table items{
        "外形框_修改消费项目",
        {
            // clang-format off
{KOB_CTL(透明标签5), K::TransparentLabel, I, 8, 8, 152, 23, "消费项目名称", kShown, F("S16"), kPrompt},
{KOB_CTL(编辑框_项目名称), K::EditBox, I, 9, 32, 184, 40, "", kShown, F("Y19B"),
 Fits(kEntry, kNameChars)},
{KOB_CTL(透明标签6), K::TransparentLabel, I, 200, 8, 152, 23, "项目金额", kShown, F("S16"), kPrompt},
{KOB_CTL(编辑框_项目金额), K::EditBox, I, 200, 32, 96, 40, "", kShown, F("Y19B"),
 {.fg = 0x000000, .bg = 0xFFFFFF, .align = Align::Left, .border = Border::Sunken,
  .entry = EntryMode::WholeNumber, .column_chars = kMoneyChars, .shrink_to_fit = true}},
{KOB_CTL(按钮_新增项目), K::PushButton, I, 304, 32, 72, 40, "新增项目", kShown, F("D"), {}},
{KOB_CTL(按钮_删除项目), K::PushButton, I, 380, 32, 72, 40, "删除项目", kShown, F("D"), {}},
{KOB_CTL(按钮_项目消费重新载入), K::PushButton, I, 456, 32, 64, 40, "重新载入", kShown, F("D"), {}},
{KOB_CTL(超级列表框_项目设置), K::ReportList, I, 8, 80, 592, 312, "", kShown, F("Y16"),
 {.bg = 0xFFFFFF, .border = Border::Sunken, .columns = &kServiceItemColumns}},
            // clang-format on
        },
        {},
    };

    const char* W = "外形框_修改密码";
    Table password{
        "外形框_修改密码",
        {
            // clang-format off
{KOB_CTL(透明标签3), K::TransparentLabel, W, 8, 8, 152, 23, "请输入新密码", kShown, F("S16"), kPrompt},
{KOB_CTL(编辑框_输入新密码), K::EditBox, W, 9, 30, 184, 40, "", kShown, F("Y19B"),
 Fits(kMaskedEntry, kPasswordChars)},
{KOB_CTL(透明标签4), K::TransparentLabel, W, 8, 72, 152, 23, "确认新密码", kShown, F("S16"), kPrompt},
{KOB_CTL(编辑框_新密码确认), K::EditBox, W, 9, 94, 184, 40, "", kShown, F("Y19B"),
 Fits(kMaskedEntry, kPasswordChars)},
{KOB_CTL(按钮_修改密码确认), K::PushButton, W, 16, 160, 176, 56, "确定修改", kShown, F("D"), {}},
            // clang-format on
        },
        {},
    };

    const char* O = "外形框_系统设置_新增管理员";
    Table operators{
        "外形框_系统设置_新增管理员",
        {
            // clang-format off
{KOB_CTL(透明标签21), K::TransparentLabel, O, 8, 8, 152, 23, "姓名", kShown, F("S16"), kPrompt},
{KOB_CTL(编辑框_新增管理员_姓名), K::EditBox, O, 9, 30, 184, 40, "", kShown, F("Y19B"),
 Fits(kEntry, kNameChars)},
{KOB_CTL(透明标签22), K::TransparentLabel, O, 8, 72, 152, 23, "登录用户名(手机号)", kShown, F("S16"), kPrompt},
{KOB_CTL(编辑框_新增管理员_手机号), K::EditBox, O, 9, 94, 184, 40, "", kShown, F("Y19B"),
 Fits(kEntry, kPhoneChars)},
{KOB_CTL(透明标签23), K::TransparentLabel, O, 8, 136, 152, 23, "管理员密码", kShown, F("S16"), kPrompt},
{KOB_CTL(编辑框_新增管理员_密码), K::EditBox, O, 9, 158, 184, 40, "", kShown, F("Y19B"),
 Fits(kMaskedEntry, kPasswordChars)},
{KOB_CTL(透明标签24), K::TransparentLabel, O, 8, 200, 152, 23, "密码确认", kShown, F("S16"), kPrompt},
{KOB_CTL(编辑框_新增管理员_密码确认), K::EditBox, O, 9, 222, 184, 40, "", kShown, F("Y19B"),
 Fits(kMaskedEntry, kPasswordChars)},
{KOB_CTL(按钮_系统设置_新增管理员_确认), K::PushButton, O, 16, 288, 176, 56, "确定", kShown, F("D"), {}},
            // clang-format on
        },
        {},
    };
    return {page, settings, items, password, operators};
}

}  // namespace kob::layout
