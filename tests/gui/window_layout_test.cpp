// The window against its figures, typed once below: every control by name,
// kind, container, position, size, initial state, font and caption, and the
// columns, items and pictures the window is built with. The builder reads
// its own tables (src/ui/layout_*.cpp); these figures are what the window
// must show, so a wrong row there shows up here.
#include <QAbstractItemModel>
#include <QGroupBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QTabBar>
#include <fstream>
#include <functional>
#include <map>
#include <set>
#include <utility>

#include "list_columns.h"
#include "support/window_fixture.h"
#include "ui/layout.h"

namespace kob::test {
namespace {

using LayoutTest = WindowTest;

using K = layout::Kind;

enum State { kShown = 0, kHidden = 1, kDisabled = 2 };

// Containers: the window, a page of 选择夹1, or a frame or group box by name.
constexpr const char* kWindow = "";
constexpr const char* kPage0 = "page 0";
constexpr const char* kPage1 = "page 1";
constexpr const char* kPage2 = "page 2";
constexpr const char* kPage3 = "page 3";

struct Figure {
    std::string name;
    K kind;
    std::string container;
    int left, top, width, height;  // in the container; 0 for the timer and the balloon
    // The caption as created (tab captions and combo items split by '|');
    // nullptr where the control starts without one (empty).
    const char* caption;
    int state;
    // Face letter, pixel height, B for bold; D the default control font; "-"
    // for a control that shows no text of its own.
    const char* font;
};

// Page 2 is page 1 with 消费管理 for 充值管理 in the names, and these
// differences.
std::vector<Figure> WithPage2(std::vector<Figure> figures) {
    const std::map<std::string, std::string> renamed = {
        {"透明标签15", "透明标签20"},
        {"载入条_充值记录", "载入条_消费记录"},
        {"超级列表框_会员充值_充值列表", "超级列表框_会员消费_消费列表"},
    };
    const std::string panel = "外形框_充值管理_指定日期";
    std::vector<Figure> page2;
    for (Figure f : figures) {
        if (f.container != kPage1 && f.container != panel) {
            continue;
        }
        if (renamed.count(f.name) == 1) {
            f.name = renamed.at(f.name);
        } else {
            f.name.replace(f.name.find("充值管理"), std::string("充值管理").size(), "消费管理");
        }
        f.container = f.container == kPage1 ? kPage2 : "外形框_消费管理_指定日期";
        if (f.name == "编辑框_消费管理_查询类型") {
            f.left = 305;
        } else if (f.name == "标签_消费管理_汇总信息") {
            f.font = "Y15B";
        } else if (f.name == "选择框_消费管理_指定日期") {
            f.width = 85;
        } else if (f.name == "载入条_消费记录") {
            f.left = 16;
        }
        page2.push_back(f);
    }
    figures.insert(figures.end(), page2.begin(), page2.end());
    return figures;
}

// clang-format off
const std::vector<Figure> kFigures = WithPage2({
    // The window.
    {"按钮_会员管理", K::ImageButton, kWindow, 31, 40, 100, 100, nullptr, kShown, "-"},
    {"按钮_会员充值", K::ImageButton, kWindow, 127, 40, 100, 100, nullptr, kShown, "-"},
    {"按钮_会员消费", K::ImageButton, kWindow, 225, 40, 100, 100, nullptr, kShown, "-"},
    {"按钮_系统设置", K::ImageButton, kWindow, 321, 40, 100, 100, nullptr, kShown, "-"},
    {"外形框1", K::Frame, kWindow, 421, 52, 571, 88, nullptr, kShown, "-"},
    {"外形框_当前用户", K::Frame, kWindow, 750, 44, 232, 88, nullptr, kHidden, "-"},
    {"选择夹1", K::PageStack, kWindow, 32, 133, 952, 559, "会员管理|会员充值|会员消费|系统设置", kShown, "Y21"},
    {"超级列表框_会员管理_会员列表备用", K::ReportList, kWindow, 32, 704, 950, 160, nullptr, kHidden, "Y16"},
    {"时钟1", K::Timer, kWindow, 0, 0, 0, 0, nullptr, kShown, "-"},
    {"气球提示框1", K::BalloonTip, kWindow, 0, 0, 0, 0, nullptr, kHidden, "-"},
    // The current-member box.
    {"透明标签12", K::TransparentLabel, "外形框_当前用户", 12, 10, 72, 16, "当前用户", kShown, "D"},
    {"编辑框_全局_卡号", K::EditBox, "外形框_当前用户", 67, 10, 58, 16, nullptr, kShown, "D"},
    {"外形框10", K::Frame, "外形框_当前用户", 8, 29, 216, 1, nullptr, kShown, "-"},
    {"标签_全局_卡余额提示", K::TransparentLabel, "外形框_当前用户", 169, 32, 54, 16, "卡余额", kShown, "D"},
    {"编辑框_全局_姓名", K::EditBox, "外形框_当前用户", 4, 38, 166, 40, nullptr, kShown, "Y32B"},
    {"编辑框_全局_余额", K::EditBox, "外形框_当前用户", 170, 55, 58, 26, nullptr, kShown, "Y20B"},
    // Page 0, the members page.
    {"透明标签", K::TransparentLabel, kPage0, 20, 47, 152, 23, "请输入手机号查找", kShown, "S16"},
    {"编辑框_会员管理_搜索", K::EditBox, kPage0, 20, 69, 184, 40, nullptr, kShown, "Y19B"},
    {"按钮_会员管理_搜索", K::ImageButton, kPage0, 206, 59, 77, 50, nullptr, kShown, "-"},
    {"按钮_新增会员", K::ImageButton, kPage0, 320, 56, 185, 50, nullptr, kShown, "-"},
    {"按钮_充值", K::ImageButton, kPage0, 509, 56, 114, 50, nullptr, kShown, "-"},
    {"按钮_消费", K::ImageButton, kPage0, 626, 56, 114, 50, nullptr, kShown, "-"},
    {"超级列表框_会员管理_会员列表", K::ReportList, kPage0, 0, 127, 950, 432, nullptr, kShown, "Y16"},
    {"载入条_会员", K::PictureBox, kPage0, 585, 157, 94, 17, nullptr, kHidden, "-"},
    {"外形框_新增会员", K::Frame, kPage0, 96, 109, 344, 408, nullptr, kHidden, "-"},
    {"外形框_快速消费", K::Frame, kPage0, 488, 160, 344, 408, nullptr, kHidden, "-"},
    // The new-member panel.
    {"透明标签9", K::TransparentLabel, "外形框_新增会员", 32, 23, 72, 23, "会员卡号", kShown, "S16"},
    {"编辑框_新增会员_卡号", K::EditBox, "外形框_新增会员", 113, 17, 119, 40, nullptr, kShown, "Y16"},
    {"按钮_会员管理_新增会员_获取卡号", K::ImageButton, "外形框_新增会员", 239, 17, 60, 40, nullptr, kShown, "-"},
    {"透明标签7", K::TransparentLabel, "外形框_新增会员", 32, 66, 72, 23, "会员姓名", kShown, "S16"},
    {"编辑框_新增会员_姓名", K::EditBox, "外形框_新增会员", 113, 60, 184, 40, nullptr, kShown, "Y19B"},
    {"透明标签8", K::TransparentLabel, "外形框_新增会员", 32, 110, 72, 23, "手机号码", kShown, "S16"},
    {"编辑框_新增会员_手机号", K::EditBox, "外形框_新增会员", 113, 103, 184, 40, nullptr, kShown, "Y19B"},
    {"分组框_快速充值", K::GroupBox, "外形框_新增会员", 32, 150, 288, 154, "快速充值", kShown, "N16"},
    {"透明标签25", K::TransparentLabel, "分组框_快速充值", 96, 24, 152, 16, "自定义时间 付款方式", kShown, "N15"},
    {"日期框_充值管理_自定义时间", K::DateBox, "分组框_快速充值", 8, 41, 170, 28, nullptr, kShown, "Y15"},
    {"组合框_充值管理_充值方式", K::ComboBox, "分组框_快速充值", 181, 41, 100, 28, "微信|支付宝|现金", kShown, "Y15B"},
    {"外形框5", K::Frame, "分组框_快速充值", 8, 79, 272, 62, nullptr, kShown, "-"},
    {"透明标签10", K::TransparentLabel, "外形框5", 12, 14, 32, 32, "充", kShown, "Y21B"},
    {"编辑框_新增会员_充值金额", K::EditBox, "外形框5", 41, 9, 88, 41, nullptr, kShown, "K37B"},
    {"透明标签11", K::TransparentLabel, "外形框5", 141, 14, 32, 32, "送", kShown, "Y21B"},
    {"编辑框_新增会员_充值赠送", K::EditBox, "外形框5", 173, 9, 88, 41, nullptr, kShown, "K37B"},
    {"标签_充值信息提示", K::TransparentLabel, "外形框_新增会员", 173, 304, 144, 24, nullptr, kShown, "D"},
    {"选择框_关闭时刷新用户列表", K::CheckBox, "外形框_新增会员", 192, 310, 96, 24, "关闭时刷新用户列表", kHidden, "D"},
    {"按钮_会员管理_新增会员_确定", K::ColourButton, "外形框_新增会员", 32, 320, 136, 70, "确定", kShown, "Y24B"},
    {"按钮_会员管理_新增会员_取消", K::ColourButton, "外形框_新增会员", 200, 340, 120, 50, "关闭", kShown, "Y16"},
    // The checkout panel.
    {"透明标签16", K::TransparentLabel, "外形框_快速消费", 14, 25, 42, 40, "会员姓名", kShown, "S16"},
    {"编辑框_快速消费_姓名", K::EditBox, "外形框_快速消费", 48, 17, 136, 48, nullptr, kDisabled, "Y16B"},
    {"编辑框_快速消费_手机号", K::MultiLineEditBox, "外形框_快速消费", 55, 24, 121, 36, nullptr, kShown, "D"},
    {"透明标签13", K::TransparentLabel, "外形框_快速消费", 203, 25, 21, 40, "余额", kShown, "S16"},
    {"编辑框_快速消费_现有余额", K::EditBox, "外形框_快速消费", 228, 17, 98, 48, nullptr, kDisabled, "K21B"},
    {"透明标签19", K::TransparentLabel, "外形框_快速消费", 16, 69, 128, 30, "双击选择消费项目", kShown, "S15"},
    {"外形框9", K::Frame, "外形框_快速消费", 144, 82, 195, 1, nullptr, kShown, "-"},
    {"编辑框_快速消费_卡号", K::EditBox, "外形框_快速消费", 224, 69, 80, 24, nullptr, kHidden, "D"},
    {"列表框_快速消费_消费项目清单", K::ListBox, "外形框_快速消费", 12, 95, 181, 172, nullptr, kShown, "Y19B"},
    {"列表框_快速消费_结账清单", K::ListBox, "外形框_快速消费", 49, 160, 103, 75, nullptr, kHidden, "D"},
    {"外形框6", K::Frame, "外形框_快速消费", 207, 95, 120, 70, nullptr, kShown, "-"},
    {"透明标签17", K::TransparentLabel, "外形框6", 9, 1, 56, 20, "消费项目", kShown, "N14"},
    {"编辑框_快速消费_消费项目数", K::EditBox, "外形框6", 67, 1, 46, 20, nullptr, kShown, "K13"},
    {"编辑框_快速消费_消费总金额", K::EditBox, "外形框6", 8, 24, 105, 41, nullptr, kShown, "K37B"},
    {"透明标签14", K::TransparentLabel, "外形框_快速消费", 205, 168, 32, 16, "余额", kShown, "N14"},
    {"编辑框_快速消费_消费后余额", K::EditBox, "外形框_快速消费", 244, 168, 72, 16, nullptr, kShown, "K13"},
    {"外形框8", K::Frame, "外形框_快速消费", 208, 186, 120, 1, nullptr, kShown, "-"},
    {"按钮_快速消费_确定结账", K::ColourButton, "外形框_快速消费", 207, 196, 120, 70, "确定结账", kShown, "Y24B"},
    {"日期框_消费管理_自定义时间", K::DateBox, "外形框_快速消费", 12, 267, 181, 28, nullptr, kShown, "Y15"},
    {"外形框7", K::Frame, "外形框_快速消费", 12, 295, 181, 99, nullptr, kShown, "-"},
    {"透明标签18", K::TransparentLabel, "外形框7", 5, 2, 50, 16, "备注", kShown, "N14"},
    {"编辑框_快速消费_备注", K::MultiLineEditBox, "外形框7", 0, 20, 181, 79, nullptr, kShown, "D"},
    {"按钮_快速消费_清空", K::ColourButton, "外形框_快速消费", 208, 295, 120, 47, "清空", kShown, "Y16"},
    {"按钮_快速消费_关闭", K::ColourButton, "外形框_快速消费", 208, 347, 120, 47, "关闭窗口", kShown, "Y16"},
    // Page 1, the recharge records.
    {"按钮_充值管理_所有用户", K::ImageButton, kPage1, 22, 59, 191, 50, nullptr, kShown, "-"},
    {"按钮_充值管理_当前用户", K::ImageButton, kPage1, 216, 59, 191, 50, nullptr, kShown, "-"},
    {"编辑框_充值管理_查询类型", K::EditBox, kPage1, 304, 35, 64, 24, nullptr, kHidden, "D"},
    {"标签_充值管理_汇总信息", K::Label, kPage1, 420, 65, 380, 24, nullptr, kShown, "Y14B"},
    {"选择框_充值管理_指定日期", K::CheckBox, kPage1, 419, 90, 88, 24, "指定日期", kShown, "N16"},
    {"外形框_充值管理_指定日期", K::Frame, kPage1, 503, 68, 440, 55, nullptr, kHidden, "-"},
    {"日期框_充值管理_开始日期", K::DateBox, "外形框_充值管理_指定日期", 2, 24, 140, 24, nullptr, kShown, "N14"},
    {"透明标签15", K::TransparentLabel, "外形框_充值管理_指定日期", 138, 24, 24, 24, "—", kShown, "N14"},
    {"日期框_充值管理_结束日期", K::DateBox, "外形框_充值管理_指定日期", 160, 24, 140, 24, nullptr, kShown, "N14"},
    {"按钮_充值管理_今天", K::ColourButton, "外形框_充值管理_指定日期", 304, 1, 40, 24, "今天", kShown, "Y13"},
    {"按钮_充值管理_昨天", K::ColourButton, "外形框_充值管理_指定日期", 343, 1, 40, 24, "昨天", kShown, "Y13"},
    {"按钮_充值管理_近7天", K::ColourButton, "外形框_充值管理_指定日期", 382, 1, 48, 24, "近7天", kShown, "Y13"},
    {"按钮_充值管理_本月", K::ColourButton, "外形框_充值管理_指定日期", 304, 24, 40, 24, "本月", kShown, "Y13"},
    {"按钮_充值管理_上月", K::ColourButton, "外形框_充值管理_指定日期", 343, 24, 40, 24, "上月", kShown, "Y13"},
    {"按钮_充值管理_近30天", K::ColourButton, "外形框_充值管理_指定日期", 382, 24, 48, 24, "近30天", kShown, "Y13"},
    {"载入条_充值记录", K::PictureBox, kPage1, 21, 130, 94, 17, nullptr, kHidden, "-"},
    {"超级列表框_会员充值_充值列表", K::ReportList, kPage1, 0, 127, 950, 432, nullptr, kShown, "Y16"},
    // Page 3, the login page.
    {"图片框1", K::PictureBox, kPage3, 24, 55, 144, 128, nullptr, kShown, "-"},
    {"透明标签1", K::TransparentLabel, kPage3, 24, 194, 152, 23, "请输入登录用户名", kShown, "S16"},
    {"组合框_登录用户名", K::ComboBox, kPage3, 25, 218, 184, 40, "", kShown, "Y18B"},
    {"透明标签2", K::TransparentLabel, kPage3, 24, 264, 152, 23, "请输入登录密码", kShown, "S16"},
    {"编辑框_密码", K::EditBox, kPage3, 25, 286, 184, 40, nullptr, kShown, "Y19B"},
    {"载入条", K::PictureBox, kPage3, 66, 339, 94, 17, nullptr, kHidden, "-"},
    {"按钮_登录系统", K::PushButton, kPage3, 38, 365, 144, 56, "登录系统", kShown, "D"},
    {"编辑框_用户名", K::EditBox, kPage3, 17, 478, 184, 40, nullptr, kHidden, "Y19B"},
    {"外形框_系统设置", K::Frame, kPage3, 224, 53, 720, 464, nullptr, kHidden, "-"},
    // The settings panel.
    {"按钮_系统设置_修改消费项目", K::PushButton, "外形框_系统设置", 8, 4, 112, 32, "修改消费项目", kShown, "D"},
    {"按钮_系统设置_修改密码", K::PushButton, "外形框_系统设置", 124, 4, 80, 32, "修改密码", kShown, "D"},
    {"按钮_系统设置_新增管理员", K::PushButton, "外形框_系统设置", 208, 4, 80, 32, "新增管理员", kShown, "D"},
    {"选择框_新纪录在最前", K::CheckBox, "外形框_系统设置", 488, 4, 192, 32, "新记录显示在最前", kShown, "D"},
    {"外形框_修改消费项目", K::Frame, "外形框_系统设置", 48, 416, 608, 400, nullptr, kHidden, "-"},
    {"外形框_修改密码", K::Frame, "外形框_系统设置", 488, 40, 208, 280, nullptr, kHidden, "-"},
    {"外形框_系统设置_新增管理员", K::Frame, "外形框_系统设置", 208, 40, 208, 374, nullptr, kHidden, "-"},
    // The service-item panel.
    {"透明标签5", K::TransparentLabel, "外形框_修改消费项目", 8, 8, 152, 23, "消费项目名称", kShown, "S16"},
    {"编辑框_项目名称", K::EditBox, "外形框_修改消费项目", 9, 32, 184, 40, nullptr, kShown, "Y19B"},
    {"透明标签6", K::TransparentLabel, "外形框_修改消费项目", 200, 8, 152, 23, "项目金额", kShown, "S16"},
    {"编辑框_项目金额", K::EditBox, "外形框_修改消费项目", 200, 32, 96, 40, nullptr, kShown, "Y19B"},
    {"按钮_新增项目", K::PushButton, "外形框_修改消费项目", 304, 32, 72, 40, "新增项目", kShown, "D"},
    {"按钮_删除项目", K::PushButton, "外形框_修改消费项目", 380, 32, 72, 40, "删除项目", kShown, "D"},
    {"按钮_项目消费重新载入", K::PushButton, "外形框_修改消费项目", 456, 32, 64, 40, "重新载入", kShown, "D"},
    {"超级列表框_项目设置", K::ReportList, "外形框_修改消费项目", 8, 80, 592, 312, nullptr, kShown, "Y16"},
    // The password panel.
    {"透明标签3", K::TransparentLabel, "外形框_修改密码", 8, 8, 152, 23, "请输入新密码", kShown, "S16"},
    {"编辑框_输入新密码", K::EditBox, "外形框_修改密码", 9, 30, 184, 40, nullptr, kShown, "Y19B"},
    {"透明标签4", K::TransparentLabel, "外形框_修改密码", 8, 72, 152, 23, "确认新密码", kShown, "S16"},
    {"编辑框_新密码确认", K::EditBox, "外形框_修改密码", 9, 94, 184, 40, nullptr, kShown, "Y19B"},
    {"按钮_修改密码确认", K::PushButton, "外形框_修改密码", 16, 160, 176, 56, "确定修改", kShown, "D"},
    // The new-operator panel.
    {"透明标签21", K::TransparentLabel, "外形框_系统设置_新增管理员", 8, 8, 152, 23, "姓名", kShown, "S16"},
    {"编辑框_新增管理员_姓名", K::EditBox, "外形框_系统设置_新增管理员", 9, 30, 184, 40, nullptr, kShown, "Y19B"},
    {"透明标签22", K::TransparentLabel, "外形框_系统设置_新增管理员", 8, 72, 152, 23, "登录用户名(手机号)", kShown, "S16"},
    {"编辑框_新增管理员_手机号", K::EditBox, "外形框_系统设置_新增管理员", 9, 94, 184, 40, nullptr, kShown, "Y19B"},
    {"透明标签23", K::TransparentLabel, "外形框_系统设置_新增管理员", 8, 136, 152, 23, "管理员密码", kShown, "S16"},
    {"编辑框_新增管理员_密码", K::EditBox, "外形框_系统设置_新增管理员", 9, 158, 184, 40, nullptr, kShown, "Y19B"},
    {"透明标签24", K::TransparentLabel, "外形框_系统设置_新增管理员", 8, 200, 152, 23, "密码确认", kShown, "S16"},
    {"编辑框_新增管理员_密码确认", K::EditBox, "外形框_系统设置_新增管理员", 9, 222, 184, 40, nullptr, kShown, "Y19B"},
    {"按钮_系统设置_新增管理员_确认", K::PushButton, "外形框_系统设置_新增管理员", 16, 288, 176, 56, "确定", kShown, "D"},
});
// clang-format on

// The boxes that show every character as "*".
const std::set<std::string> kMasked = {"编辑框_密码", "编辑框_输入新密码", "编辑框_新密码确认",
                                       "编辑框_新增管理员_密码", "编辑框_新增管理员_密码确认"};

FontSpec FontOf(const Figure& f) {
    const std::string notation = f.font;
    FontSpec font{notation[0], 0, false};
    size_t i = 1;
    for (; i < notation.size() && notation[i] >= '0' && notation[i] <= '9'; ++i) {
        font.pixels = font.pixels * 10 + (notation[i] - '0');
    }
    font.bold = i < notation.size() && notation[i] == 'B';
    return font;
}

QObject* Find(MainWindow& w, const std::string& name) {
    return w.findChild<QObject*>(QString::fromStdString(name));
}

QObject* ContainerOf(MainWindow& w, const Figure& f) {
    const std::string& container = f.container;
    if (container == kWindow) {
        return &w;
    }
    for (int page = 0; page < 4; ++page) {
        if (container == "page " + std::to_string(page)) {
            return w.选择夹1->Page(page);
        }
    }
    return Find(w, f.container);
}

bool IsOfKind(QObject* object, K kind) {
    switch (kind) {
        case K::PageStack:
            return qobject_cast<PageStack*>(object) != nullptr;
        case K::Frame:
            return qobject_cast<Frame*>(object) != nullptr;
        case K::GroupBox:
            return qobject_cast<GroupBox*>(object) != nullptr;
        case K::Label:
        case K::TransparentLabel:
            return qobject_cast<Label*>(object) != nullptr;
        case K::EditBox:
            return qobject_cast<EditBox*>(object) != nullptr;
        case K::MultiLineEditBox:
            return qobject_cast<MultiLineEditBox*>(object) != nullptr;
        case K::PushButton:
            return qobject_cast<PushButton*>(object) != nullptr;
        case K::ImageButton:
            return qobject_cast<ImageButton*>(object) != nullptr;
        case K::ColourButton:
            return qobject_cast<ColourButton*>(object) != nullptr;
        case K::CheckBox:
            return qobject_cast<CheckBox*>(object) != nullptr;
        case K::ComboBox:
            return qobject_cast<ComboBox*>(object) != nullptr;
        case K::ListBox:
            return qobject_cast<ListBox*>(object) != nullptr;
        case K::DateBox:
            return qobject_cast<DateBox*>(object) != nullptr;
        case K::ReportList:
            return qobject_cast<ReportList*>(object) != nullptr;
        case K::PictureBox:
            return qobject_cast<PictureBox*>(object) != nullptr;
        case K::Timer:
            return qobject_cast<Timer*>(object) != nullptr;
        case K::BalloonTip:
            return qobject_cast<BalloonTip*>(object) != nullptr;
    }
    return false;
}

TEST_F(LayoutTest, EveryFigureIsOneControlOfItsKindInItsContainer) {
    for (const Figure& f : kFigures) {
        SCOPED_TRACE(f.name);
        const QList<QObject*> found = w().findChildren<QObject*>(QString::fromStdString(f.name));
        ASSERT_EQ(found.size(), 1);
        EXPECT_TRUE(IsOfKind(found[0], f.kind));
        if (f.kind == K::BalloonTip) {
            continue;  // a window of its own
        }
        QObject* container = ContainerOf(w(), f);
        ASSERT_NE(container, nullptr) << f.container;
        EXPECT_EQ(found[0]->parent(), container);
    }
}

TEST_F(LayoutTest, EveryControlHasItsPlaceStateAndFont) {
    for (const Figure& f : kFigures) {
        SCOPED_TRACE(f.name);
        QObject* object = Find(w(), f.name);
        ASSERT_NE(object, nullptr);
        if (f.kind == K::Timer) {
            auto* timer = static_cast<Timer*>(object);
            EXPECT_EQ(timer->interval(), 200);
            EXPECT_TRUE(timer->isActive());
            continue;
        }
        auto* widget = qobject_cast<QWidget*>(object);
        ASSERT_NE(widget, nullptr);
        EXPECT_EQ(widget->isHidden(), (f.state & kHidden) != 0);
        EXPECT_EQ(widget->isEnabled(), (f.state & kDisabled) == 0);
        if (f.kind == K::BalloonTip) {
            continue;  // placed when it is shown
        }
        QRect expected(f.left, f.top, f.width, f.height);
        if (f.kind == K::PageStack) {
            expected.moveTop(105);  // start-up moves it up
        }
        EXPECT_EQ(widget->geometry(), expected);
        if (std::string(f.font) != "-") {
            const QFont font =
                f.kind == K::PageStack ? w().选择夹1->Tabs()->font() : widget->font();
            const QFont wanted = MakeFont(FontOf(f));
            EXPECT_EQ(font.family().toStdString(), wanted.family().toStdString());
            EXPECT_EQ(font.pixelSize(), wanted.pixelSize());
            EXPECT_EQ(font.bold(), wanted.bold());
        }
    }
}

// The last pixel row that text draws into when the widget is three times
// its height (so nothing is cut): where the text with and without it differ.
int InkBottom(QWidget* widget, const std::function<void(bool with_text)>& set_text) {
    const QSize size = widget->size();
    widget->resize(size.width(), size.height() * 3);
    set_text(false);
    const QImage bare = widget->grab().toImage();
    set_text(true);
    const QImage inked = widget->grab().toImage();
    widget->resize(size);
    for (int y = inked.height() - 1; y >= 0; --y) {
        for (int x = 0; x < inked.width(); ++x) {
            if (inked.pixel(x, y) != bare.pixel(x, y)) {
                return y;
            }
        }
    }
    return -1;
}

// The width of the border an edit box draws, as its style says.
int BorderWidth(const EditBox* box) {
    QStyleOptionFrame option;
    option.initFrom(box);
    return box->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, box);
}

// The faces' line heights differ from the Windows faces': every caption and
// every single-line box's text must still end above the control's bottom
// edge (inside its border), wrapped captions included.
TEST_F(LayoutTest, EveryTextEndsInsideItsControl) {
    // Captions the handlers write into labels that start empty, and a text
    // for the edit boxes, whose characters reach down furthest.
    const std::string sample = "余额备注付款gy";
    for (const Figure& f : kFigures) {
        SCOPED_TRACE(f.name);
        QObject* object = Find(w(), f.name);
        int bottom = -1;
        int limit = f.height;
        if (f.kind == K::Label || f.kind == K::TransparentLabel) {
            auto* label = static_cast<Label*>(object);
            const std::string caption = f.caption != nullptr ? f.caption : sample;
            bottom = InkBottom(label, [&](bool with) { label->SetCaption(with ? caption : ""); });
        } else if (f.kind == K::EditBox) {
            auto* box = static_cast<EditBox*>(object);
            // An amount box only ever shows a number, a whole-number box
            // digits: such a box refuses a letter.
            int at = 0;
            QString letter = QStringLiteral("g");
            const bool digits = box->validator() != nullptr &&
                                box->validator()->validate(letter, at) == QValidator::Invalid;
            const std::string text = digits ? "-1234.56789" : sample;
            limit -= BorderWidth(box);
            box->SetEntryMode(EntryMode::Normal);
            bottom = InkBottom(box, [&](bool with) { box->SetText(with ? text : ""); });
        } else {
            continue;
        }
        EXPECT_GE(bottom, 0) << "no text drawn";
        EXPECT_LT(bottom, limit) << "the text's bottom is cut";
    }
}

TEST_F(LayoutTest, CaptionsColumnsItemsAndPictures) {
    for (const Figure& f : kFigures) {
        SCOPED_TRACE(f.name);
        QObject* object = Find(w(), f.name);
        const std::string caption = f.caption != nullptr ? f.caption : "";
        switch (f.kind) {
            case K::PageStack: {
                std::string tabs;
                for (int i = 0; i < w().选择夹1->Tabs()->count(); ++i) {
                    tabs += (i ? "|" : "") + w().选择夹1->Tabs()->tabText(i).toStdString();
                }
                EXPECT_EQ(tabs, caption);
                break;
            }
            case K::Label:
            case K::TransparentLabel:
                EXPECT_EQ(static_cast<Label*>(object)->Caption(), caption);
                break;
            case K::PushButton:
                EXPECT_EQ(static_cast<PushButton*>(object)->Caption(), caption);
                break;
            case K::ColourButton:
                EXPECT_EQ(static_cast<ColourButton*>(object)->Caption(), caption);
                break;
            case K::CheckBox:
                EXPECT_EQ(static_cast<CheckBox*>(object)->text().toStdString(), caption);
                break;
            case K::GroupBox:
                EXPECT_EQ(static_cast<QGroupBox*>(object)->title().toStdString(), caption);
                break;
            case K::EditBox: {
                auto* edit = static_cast<EditBox*>(object);
                EXPECT_EQ(edit->Text(), "");
                EXPECT_EQ(edit->echoMode() == QLineEdit::Password, kMasked.count(f.name) == 1);
                break;
            }
            case K::ComboBox: {
                auto* combo = static_cast<ComboBox*>(object);
                std::string items;
                for (int i = 0; i < combo->ItemCount(); ++i) {
                    items += (i ? "|" : "") + combo->ItemText(i);
                }
                EXPECT_EQ(items, caption);
                // The first item is current where there are items.
                EXPECT_EQ(combo->CurrentItem(), caption.empty() ? -1 : 0);
                break;
            }
            case K::ReportList: {
                auto* list = static_cast<ReportList*>(object);
                ASSERT_EQ(kListColumns.count(f.name), 1u);
                const Columns& columns = kListColumns.at(f.name);
                ASSERT_NO_FATAL_FAILURE(ExpectColumns(list, columns));
                EXPECT_EQ(list->RowCount(), 0);
                break;
            }
            case K::ImageButton:
                EXPECT_FALSE(static_cast<ImageButton*>(object)->CurrentPixmap().isNull());
                break;
            case K::PictureBox: {
                // The spinners cycle through the frames of their strip; 图片框1
                // shows its picture.
                auto* box = static_cast<PictureBox*>(object);
                if (f.name.starts_with("载入条")) {
                    EXPECT_EQ(box->FrameCount(), 22);
                } else {
                    EXPECT_FALSE(box->pixmap().isNull());
                }
                break;
            }
            default:
                break;
        }
    }
}

TEST_F(LayoutTest, EveryNamedControlHasOneFigure) {
    std::set<std::string> figures;
    for (const Figure& f : kFigures) {
        EXPECT_TRUE(figures.insert(f.name).second) << f.name << " twice";
    }
    for (QObject* child : w().findChildren<QObject*>()) {
        const std::string name = child->objectName().toStdString();
        if (!name.empty() && static_cast<unsigned char>(name[0]) >= 0x80) {
            EXPECT_EQ(figures.count(name), 1u) << name;
        }
    }
}

TEST_F(LayoutTest, EveryDeclaredControlIsBuilt) {
    // The header declares each control as `Kind* name = nullptr;`.
    std::ifstream header(std::string(KOBRELAN_GUI_TEST_SOURCE_DIR) + "/src/ui/main_window.h");
    ASSERT_TRUE(header.good());
    // Lines of the form "    Kind* name = nullptr;".
    int declared = 0;
    for (std::string line; std::getline(header, line);) {
        const auto star = line.find("* ");
        const auto tail = line.find(" = nullptr;");
        if (star == std::string::npos || tail == std::string::npos || tail < star) {
            continue;
        }
        const std::string name = line.substr(star + 2, tail - star - 2);
        ++declared;
        EXPECT_NE(w().findChild<QObject*>(QString::fromStdString(name)), nullptr) << name;
    }
    EXPECT_EQ(declared, static_cast<int>(kFigures.size()));
}

// The handlers reach the controls through MainWindow's members: each must
// point at the control of its name.
TEST_F(LayoutTest, EveryMemberPointsAtTheControlOfItsName) {
    for (const layout::Table& table : layout::AllTables()) {
        for (const layout::Row& row : table.rows) {
            SCOPED_TRACE(row.name);
            QObject* member =
                std::visit([&](auto pointer) -> QObject* { return w().*pointer; }, row.member);
            EXPECT_EQ(member, w().findChild<QObject*>(QString::fromStdString(row.name)));
        }
    }
}

}  // namespace
}  // namespace kob::test
