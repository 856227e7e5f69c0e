// Page 0 (members) with the new-member/recharge panel and the quick-checkout
// panel. Page coordinates count from 选择夹1's top-left corner, tab strip
// included; panel rows from their panel, group box or frame.
#include "ui/layout.h"
#include "ui/main_window.h"

namespace kob::layout {

namespace {

// Page image buttons: the hover face is the normal face moved right and up.
constexpr int kShift = 1;

}  // namespace

std::vector<Table> MembersTables() {
    using K = Kind;
    const char* P = kPage0;
    Table page{
        "page 0",
        {
            // clang-format off
{KOB_CTL(透明标签), K::TransparentLabel, P, 20, 47, 152, 23, "请输入手机号查找", kShown, F("S16"),
 {.fg = 0x000000, .align = Align::Left}},
{KOB_CTL(编辑框_会员管理_搜索), K::EditBox, P, 20, 69, 184, 40, "", kShown, F("Y19B"),
 {.fg = 0x000000, .bg = 0xFFFFFF, .align = Align::Left, .border = Border::Sunken}},
{KOB_CTL(按钮_会员管理_搜索), K::ImageButton, P, 206, 59, 77, 50, "", kShown, kNoFont,
 {.picture = ":/page0/search.png", .hover_right = kShift, .hover_up = kShift}},
{KOB_CTL(按钮_新增会员), K::ImageButton, P, 320, 56, 185, 50, "", kShown, kNoFont,
 {.picture = ":/page0/new_member.png", .hover_right = 2, .hover_up = 2}},
{KOB_CTL(按钮_充值), K::ImageButton, P, 509, 56, 114, 50, "", kShown, kNoFont,
 {.picture = ":/page0/recharge.png", .hover_right = kShift, .hover_up = kShift}},
{KOB_CTL(按钮_消费), K::ImageButton, P, 626, 56, 114, 50, "", kShown, kNoFont,
 {.picture = ":/page0/checkout.png", .hover_right = kShift, .hover_up = kShift}},
{KOB_CTL(超级列表框_会员管理_会员列表), K::ReportList, P, 0, 127, 950, 432, "", kShown, F("Y16"),
 {.bg = 0xFFFFFF, .border = Border::Single, .columns = &kMemberColumns}},
{KOB_CTL(载入条_会员), K::PictureBox, P, 585, 157, 94, 17, "", kHidden, kNoFont,
 {.picture = kSpinner, .animated = true}},
{KOB_CTL(外形框_新增会员), K::Frame, P, 96, 109, 344, 408, "", kHidden, kNoFont,
 {.bg = 0xFFFFFF, .outline = Outline::Solid, .outline_colour = 0xFDC500, .outline_width = 2}},
{KOB_CTL(外形框_快速消费), K::Frame, P, 488, 160, 344, 408, "", kHidden, kNoFont,
 {.bg = 0xFFFFFF, .outline = Outline::Solid, .outline_colour = 0xFDC500, .outline_width = 2}},
            // clang-format on
        },
        {},
    };

    const char* N = "外形框_新增会员";
    const char* G = "分组框_快速充值";
    const char* F5 = "外形框5";
    Table new_member{
        "外形框_新增会员",
        {
            // clang-format off
{KOB_CTL(透明标签9), K::TransparentLabel, N, 32, 23, 72, 23, "会员卡号", kShown, F("S16"),
 {.fg = 0x000000, .align = Align::Left}},
{KOB_CTL(编辑框_新增会员_卡号), K::EditBox, N, 113, 17, 119, 40, "", kShown, F("Y16"),
 {.fg = 0x808080, .bg = 0xFFFFFF, .align = Align::Left, .border = Border::Sunken,
  .column_chars = kCardChars}},
{KOB_CTL(按钮_会员管理_新增会员_获取卡号), K::ImageButton, N, 239, 17, 60, 40, "", kShown, kNoFont,
 {.picture = ":/page0/next_card.png", .hover_picture = ":/page0/next_card_hover.png",
  .hover_right = kShift, .hover_up = kShift}},
{KOB_CTL(透明标签7), K::TransparentLabel, N, 32, 66, 72, 23, "会员姓名", kShown, F("S16"),
 {.fg = 0x000000, .align = Align::Left}},
{KOB_CTL(编辑框_新增会员_姓名), K::EditBox, N, 113, 60, 184, 40, "", kShown, F("Y19B"),
 {.fg = 0x000000, .bg = 0xFFFFFF, .align = Align::Left, .border = Border::Sunken,
  .column_chars = kNameChars}},
{KOB_CTL(透明标签8), K::TransparentLabel, N, 32, 110, 72, 23, "手机号码", kShown, F("S16"),
 {.fg = 0x000000, .align = Align::Left}},
{KOB_CTL(编辑框_新增会员_手机号), K::EditBox, N, 113, 103, 184, 40, "", kShown, F("Y19B"),
 {.fg = 0x000000, .bg = 0xFFFFFF, .align = Align::Left, .border = Border::Sunken,
  .column_chars = kPhoneChars}},
{KOB_CTL(分组框_快速充值), K::GroupBox, N, 32, 150, 288, 154, "快速充值", kShown, F("N16"),
 {.fg = 0x000000, .bg = 0xFFFFFF}},
{KOB_CTL(透明标签25), K::TransparentLabel, G, 96, 24, 152, 16, "自定义时间 付款方式", kShown, F("N15"),
 {.fg = 0x808080, .align = Align::Centre}},
{KOB_CTL(日期框_充值管理_自定义时间), K::DateBox, G, 8, 41, 170, 28, "", kShown, F("Y15"),
 {.date_picture = "yyyy-MM-dd HH:mm:ss"}},
{KOB_CTL(组合框_充值管理_充值方式), K::ComboBox, G, 181, 41, 100, 28, "微信|支付宝|现金", kShown, F("Y15B"),
 {.fg = 0x000000, .bg = 0xFFFFFF, .column_chars = kMethodChars, .current_item = 0}},
{KOB_CTL(外形框5), K::Frame, G, 8, 79, 272, 62, "", kShown, kNoFont,
 {.outline = Outline::Solid, .outline_colour = 0x000000, .outline_width = 1}},
{KOB_CTL(透明标签10), K::TransparentLabel, F5, 12, 14, 32, 32, "充", kShown, F("Y21B"),
 {.fg = 0x000000}},
{KOB_CTL(编辑框_新增会员_充值金额), K::EditBox, F5, 41, 9, 88, 41, "", kShown, F("K37B"),
 {.fg = 0x9000FF, .bg = 0xFFFFFF, .align = Align::Centre, .border = Border::Sunken,
  .entry = EntryMode::Amount, .column_chars = kMoneyChars, .shrink_to_fit = true}},
{KOB_CTL(透明标签11), K::TransparentLabel, F5, 141, 14, 32, 32, "送", kShown, F("Y21B"),
 {.fg = 0x000000}},
{KOB_CTL(编辑框_新增会员_充值赠送), K::EditBox, F5, 173, 9, 88, 41, "", kShown, F("K37B"),
 {.fg = 0x9000FF, .bg = 0xFFFFFF, .align = Align::Centre, .border = Border::Sunken,
  .entry = EntryMode::Amount, .column_chars = kMoneyChars, .shrink_to_fit = true}},
{KOB_CTL(标签_充值信息提示), K::TransparentLabel, N, 173, 304, 144, 24, "", kShown, F("D"),
 {.fg = 0x000000, .align = Align::Right, .shrink_to_fit = true}},
{KOB_CTL(选择框_关闭时刷新用户列表), K::CheckBox, N, 192, 310, 96, 24, "关闭时刷新用户列表", kHidden, F("D"),
 {}},
{KOB_CTL(按钮_会员管理_新增会员_确定), K::ColourButton, N, 32, 320, 136, 70, "确定", kShown, F("Y24B"),
 {.fg = 0xFFFFFF, .bg = 0x0088FF, .hover = 0xFF8000}},
{KOB_CTL(按钮_会员管理_新增会员_取消), K::ColourButton, N, 200, 340, 120, 50, "关闭", kShown, F("Y16"),
 {.fg = 0x0000FF, .bg = 0xC0C0C0, .hover = 0xFF0000}},
            // clang-format on
        },
        {},
    };

    const char* Q = "外形框_快速消费";
    const char* F6 = "外形框6";
    const char* F7 = "外形框7";
    Table checkout{
        "外形框_快速消费",
        {
            // clang-format off
{KOB_CTL(透明标签16), K::TransparentLabel, Q, 14, 25, 42, 40, "会员姓名", kShown, F("S16"),
 {.fg = 0x000000, .align = Align::Left, .wrap = true}},
{KOB_CTL(编辑框_快速消费_姓名), K::EditBox, Q, 48, 17, 136, 48, "", kShown | kDisabled, F("Y16B"),
 {.fg = 0xFF8000, .bg = 0xFFFFFF, .align = Align::Left, .border = Border::Single}},
{KOB_CTL(编辑框_快速消费_手机号), K::MultiLineEditBox, Q, 55, 24, 121, 36, "", kShown, F("D"),
 {.fg = 0xFF8000, .bg = 0xFFFFFF, .border = Border::None}},
{KOB_CTL(透明标签13), K::TransparentLabel, Q, 203, 25, 21, 40, "余额", kShown, F("S16"),
 {.fg = 0x000000, .wrap = true}},
{KOB_CTL(编辑框_快速消费_现有余额), K::EditBox, Q, 228, 17, 98, 48, "", kShown | kDisabled, F("K21B"),
 {.fg = 0xFF0000, .bg = 0x80E000, .align = Align::Centre, .border = Border::Single,
  .shrink_to_fit = true}},
{KOB_CTL(透明标签19), K::TransparentLabel, Q, 16, 69, 128, 30, "双击选择消费项目", kShown, F("S15"),
 {.fg = 0x000000, .align = Align::Left}},
{KOB_CTL(外形框9), K::Frame, Q, 144, 82, 195, 1, "", kShown, kNoFont,
 {.outline = Outline::Broken, .outline_colour = 0xC0C0C0, .outline_width = 1}},
{KOB_CTL(编辑框_快速消费_卡号), K::EditBox, Q, 224, 69, 80, 24, "", kHidden, F("D"),
 {}},
{KOB_CTL(列表框_快速消费_消费项目清单), K::ListBox, Q, 12, 95, 181, 172, "", kShown, F("Y19B"),
 {.bg = 0xFFFFFF, .border = Border::Single}},
{KOB_CTL(列表框_快速消费_结账清单), K::ListBox, Q, 49, 160, 103, 75, "", kHidden, F("D"),
 {}},
{KOB_CTL(外形框6), K::Frame, Q, 207, 95, 120, 70, "", kShown, kNoFont,
 {.bg = 0x80E000, .outline = Outline::Solid, .outline_colour = 0x000000, .outline_width = 1}},
{KOB_CTL(透明标签17), K::TransparentLabel, F6, 9, 1, 56, 20, "消费项目", kShown, F("N14"),
 {.fg = 0x000000, .align = Align::Centre}},
{KOB_CTL(编辑框_快速消费_消费项目数), K::EditBox, F6, 67, 1, 46, 20, "", kShown, F("K13"),
 {.fg = 0xFFFFFF, .bg = 0x80E000, .align = Align::Centre, .border = Border::None,
  .shrink_to_fit = true}},
{KOB_CTL(编辑框_快速消费_消费总金额), K::EditBox, F6, 8, 24, 105, 41, "", kShown, F("K37B"),
 {.fg = 0x000000, .bg = 0xFFFFFF, .align = Align::Centre, .border = Border::None,
  .entry = EntryMode::Amount, .column_chars = kMoneyChars, .shrink_to_fit = true}},
{KOB_CTL(透明标签14), K::TransparentLabel, Q, 205, 168, 32, 16, "余额", kShown, F("N14"),
 {.fg = 0x808080, .align = Align::Right}},
{KOB_CTL(编辑框_快速消费_消费后余额), K::EditBox, Q, 244, 168, 72, 16, "", kShown, F("K13"),
 {.fg = 0x808080, .bg = 0xFFFFFF, .align = Align::Left, .border = Border::None,
  .shrink_to_fit = true}},
{KOB_CTL(外形框8), K::Frame, Q, 208, 186, 120, 1, "", kShown, kNoFont,
 {.outline = Outline::Broken, .outline_colour = 0xC0C0C0, .outline_width = 1}},
{KOB_CTL(按钮_快速消费_确定结账), K::ColourButton, Q, 207, 196, 120, 70, "确定结账", kShown, F("Y24B"),
 {.fg = 0xFFFFFF, .bg = 0x0088FF, .hover = 0xFF8000}},
{KOB_CTL(日期框_消费管理_自定义时间), K::DateBox, Q, 12, 267, 181, 28, "", kShown, F("Y15"),
 {.date_picture = "yyyy-MM-dd HH:mm:ss"}},
{KOB_CTL(外形框7), K::Frame, Q, 12, 295, 181, 99, "", kShown, kNoFont,
 {.bg = 0xFFFFFF, .outline = Outline::Solid, .outline_colour = 0x000000, .outline_width = 1}},
{KOB_CTL(透明标签18), K::TransparentLabel, F7, 5, 2, 50, 16, "备注", kShown, F("N14"),
 {.fg = 0x000000, .align = Align::Left}},
{KOB_CTL(编辑框_快速消费_备注), K::MultiLineEditBox, F7, 0, 20, 181, 79, "", kShown, F("D"),
 {.fg = 0x000000, .bg = 0xFFFFFF, .border = Border::Single, .column_chars = kCostNotesChars,
  .vscroll = true}},
{KOB_CTL(按钮_快速消费_清空), K::ColourButton, Q, 208, 295, 120, 47, "清空", kShown, F("Y16"),
 {.fg = 0x0000FF, .bg = 0xC0C0C0, .hover = 0xFF0000}},
{KOB_CTL(按钮_快速消费_关闭), K::ColourButton, Q, 208, 347, 120, 47, "关闭窗口", kShown, F("Y16"),
 {.fg = 0x0000FF, .bg = 0xC0C0C0, .hover = 0xFF0000}},
            // clang-format on
        },
        {},
    };
    return {page, new_member, checkout};
}

}  // namespace kob::layout
