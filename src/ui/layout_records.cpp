// Pages 1 (recharge records) and 2 (consumption records). Page 2 is page 1
// with 充值管理 replaced by 消费管理 in the names and the differences below.
#include <functional>
#include <map>

#include "ui/layout.h"
#include "ui/main_window.h"

namespace kob::layout {

const Columns kRechargeColumns = {
    {"充值ID", 0}, {"会员卡号", 80},  {"姓名", 100},     {"充值时间", 170}, {"实付金额", 100},
    {"赠送", 60},  {"充值总额", 100}, {"充值方式", 100}, {"备注", 80},      {"操作员", 100},
};

const Columns kConsumptionColumns = {
    {"消费ID", 0}, {"会员卡号", 80}, {"姓名", 100}, {"消费时间", 170}, {"项目", 100},
    {"金额", 60},  {"卡扣款", 100},  {"备注", 160}, {"操作员", 100},
};

namespace {

using K = Kind;

// The preset colour buttons: white caption on blue, orange under the pointer.
constexpr Look kPreset{.fg = 0xFFFFFF, .bg = 0x0088FF, .hover = 0xFF8000};

Table RechargePage() {
    const char* P = kPage1;
    const char* D = "外形框_充值管理_指定日期";
    return {
        "page 1",
        {
            // clang-format off
{KOB_CTL(按钮_充值管理_所有用户), K::ImageButton, P, 22, 59, 191, 50, "", kShown, kNoFont,
 {.picture = ":/records/all.png", .hover_right = 1, .hover_up = 1}},
{KOB_CTL(按钮_充值管理_当前用户), K::ImageButton, P, 216, 59, 191, 50, "", kShown, kNoFont,
 {.picture = ":/records/current.png", .hover_right = 1, .hover_up = 1}},
{KOB_CTL(编辑框_充值管理_查询类型), K::EditBox, P, 304, 35, 64, 24, "", kHidden, F("D"),
 {}},
{KOB_CTL(标签_充值管理_汇总信息), K::Label, P, 420, 65, 380, 24, "", kShown, F("Y14B"),
 {.fg = 0xFF8000, .bg = 0xFFFFFF, .shrink_to_fit = true}},
{KOB_CTL(选择框_充值管理_指定日期), K::CheckBox, P, 419, 90, 88, 24, "指定日期", kShown, F("N16"),
 {}},
{KOB_CTL(外形框_充值管理_指定日期), K::Frame, P, 503, 68, 440, 55, "", kHidden, kNoFont,
 {.bg = 0xFFFFFF, .outline = Outline::None}},
{KOB_CTL(日期框_充值管理_开始日期), K::DateBox, D, 2, 24, 140, 24, "", kShown, F("N14"),
 {.date_picture = "yyyy-MM-dd"}},
{KOB_CTL(透明标签15), K::TransparentLabel, D, 138, 24, 24, 24, "—", kShown, F("N14"),
 {.fg = 0x000000, .align = Align::Centre}},
{KOB_CTL(日期框_充值管理_结束日期), K::DateBox, D, 160, 24, 140, 24, "", kShown, F("N14"),
 {.date_picture = "yyyy-MM-dd"}},
{KOB_CTL(按钮_充值管理_今天), K::ColourButton, D, 304, 1, 40, 24, "今天", kShown, F("Y13"), kPreset},
{KOB_CTL(按钮_充值管理_昨天), K::ColourButton, D, 343, 1, 40, 24, "昨天", kShown, F("Y13"), kPreset},
{KOB_CTL(按钮_充值管理_近7天), K::ColourButton, D, 382, 1, 48, 24, "近7天", kShown, F("Y13"), kPreset},
{KOB_CTL(按钮_充值管理_本月), K::ColourButton, D, 304, 24, 40, 24, "本月", kShown, F("Y13"), kPreset},
{KOB_CTL(按钮_充值管理_上月), K::ColourButton, D, 343, 24, 40, 24, "上月", kShown, F("Y13"), kPreset},
{KOB_CTL(按钮_充值管理_近30天), K::ColourButton, D, 382, 24, 48, 24, "近30天", kShown, F("Y13"), kPreset},
{KOB_CTL(载入条_充值记录), K::PictureBox, P, 21, 130, 94, 17, "", kHidden, kNoFont,
 {.picture = kSpinner, .animated = true}},
{KOB_CTL(超级列表框_会员充值_充值列表), K::ReportList, P, 0, 127, 950, 432, "", kShown, F("Y16"),
 {.bg = 0xFFFFFF, .border = Border::Single, .columns = &kRechargeColumns}},
            // clang-format on
        },
        // The summary line and the check box stay readable over the date
        // panel's empty upper left; the spinner lies over the list.
        {"标签_充值管理_汇总信息", "选择框_充值管理_指定日期", "载入条_充值记录"},
    };
}

// Page 2's controls by name.
const std::map<std::string, Member>& Page2Members() {
    static const std::map<std::string, Member> members = [] {
        std::map<std::string, Member> m;
        auto add = [&m](Member member, const char* name) { m.emplace(name, member); };
        add(KOB_CTL(按钮_消费管理_所有用户));
        add(KOB_CTL(按钮_消费管理_当前用户));
        add(KOB_CTL(编辑框_消费管理_查询类型));
        add(KOB_CTL(标签_消费管理_汇总信息));
        add(KOB_CTL(选择框_消费管理_指定日期));
        add(KOB_CTL(外形框_消费管理_指定日期));
        add(KOB_CTL(日期框_消费管理_开始日期));
        add(KOB_CTL(透明标签20));
        add(KOB_CTL(日期框_消费管理_结束日期));
        add(KOB_CTL(按钮_消费管理_今天));
        add(KOB_CTL(按钮_消费管理_昨天));
        add(KOB_CTL(按钮_消费管理_近7天));
        add(KOB_CTL(按钮_消费管理_本月));
        add(KOB_CTL(按钮_消费管理_上月));
        add(KOB_CTL(按钮_消费管理_近30天));
        add(KOB_CTL(载入条_消费记录));
        add(KOB_CTL(超级列表框_会员消费_消费列表));
        return m;
    }();
    return members;
}

// Page-2 names that are more than the 充值管理 → 消费管理 substitution.
const std::map<std::string, std::string> kPage2Renames = {
    {"透明标签15", "透明标签20"},
    {"载入条_充值记录", "载入条_消费记录"},
    {"超级列表框_会员充值_充值列表", "超级列表框_会员消费_消费列表"},
};

// What page 2 changes besides its names.
const std::map<std::string, std::function<void(Row&)>> kPage2Differences = {
    {"编辑框_消费管理_查询类型", [](Row& r) { r.left = 305; }},
    {"标签_消费管理_汇总信息", [](Row& r) { r.font = F("Y15B"); }},
    {"选择框_消费管理_指定日期", [](Row& r) { r.width = 85; }},
    {"载入条_消费记录", [](Row& r) { r.left = 16; }},
    {"超级列表框_会员消费_消费列表", [](Row& r) { r.look.columns = &kConsumptionColumns; }},
};

std::string Page2Name(const std::string& page1_name) {
    if (auto it = kPage2Renames.find(page1_name); it != kPage2Renames.end()) {
        return it->second;
    }
    static const std::string from = "充值管理";
    static const std::string to = "消费管理";
    std::string name = page1_name;
    if (size_t at = name.find(from); at != std::string::npos) {
        name.replace(at, from.size(), to);
    }
    return name;
}

Table ConsumptionPage(const Table& page1) {
    Table page2{"page 2", {}, {}};
    for (Row row : page1.rows) {
        row.name = Page2Name(row.name);
        row.member = Page2Members().at(row.name);
        row.container = row.container == kPage1 ? std::string(kPage2) : Page2Name(row.container);
        if (auto it = kPage2Differences.find(row.name); it != kPage2Differences.end()) {
            it->second(row);
        }
        page2.rows.push_back(std::move(row));
    }
    for (const std::string& name : page1.on_top) {
        page2.on_top.push_back(Page2Name(name));
    }
    return page2;
}

}  // namespace

std::vector<Table> RecordsTables() {
    Table page1 = RechargePage();
    Table page2 = ConsumptionPage(page1);
    return {std::move(page1), std::move(page2)};
}

}  // namespace kob::layout
