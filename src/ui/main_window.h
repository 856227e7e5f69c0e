#pragma once
// The main window and every named control on it. The controls are created
// from the layout tables (layout_*.cpp) with the window; handlers show,
// hide, move and write them but never create or destroy one. It includes
// every control family it holds, so a handler reaching a control through it
// has the control's calls.
#include <QWidget>
#include <functional>

#include "platform/gui/balloon_tip.h"
#include "platform/gui/buttons.h"
#include "platform/gui/date_box.h"
#include "platform/gui/edit_boxes.h"
#include "platform/gui/frames.h"
#include "platform/gui/label.h"
#include "platform/gui/list_boxes.h"
#include "platform/gui/page_stack.h"
#include "platform/gui/picture_box.h"
#include "platform/gui/report_list.h"
#include "platform/gui/timer.h"

namespace kob {

class MainWindow : public QWidget {
    Q_OBJECT
  public:
    static constexpr const char* kCaption = "Kobrelan-洗脚店管理系统 V1.5";
    static constexpr int kDesignWidth = 1000;
    static constexpr int kDesignHeight = 887;
    // Sizes in the tables are outer sizes with a Windows frame around the
    // client area: borders left and right, caption bar and border in height.
    // Qt sizes the client area and the window manager adds its own frame.
    static constexpr int kFrameWidth = 16;
    static constexpr int kFrameHeight = 36;

    // Builds every control; the date boxes start at now (an OLE date).
    explicit MainWindow(double now, QWidget* parent = nullptr);
    ~MainWindow() override;

    // The created event: runs once, right after the window is built and
    // before it is shown, when RaiseCreated() is called.
    std::function<void()> on_created;
    void RaiseCreated();

    // Screen position of the window and its height (the client area's).
    int Left() const { return x(); }
    int Top() const { return y(); }
    // The window's outer height as the tables count it.
    void SetHeight(int height);
    int OuterHeight() const { return height() + kFrameHeight; }
    int OuterWidth() const { return width() + kFrameWidth; }

    // window (outside the pages)
    ImageButton* 按钮_会员管理 = nullptr;
    ImageButton* 按钮_会员充值 = nullptr;
    ImageButton* 按钮_会员消费 = nullptr;
    ImageButton* 按钮_系统设置 = nullptr;
    Frame* 外形框1 = nullptr;
    PageStack* 选择夹1 = nullptr;
    ReportList* 超级列表框_会员管理_会员列表备用 = nullptr;
    Timer* 时钟1 = nullptr;
    BalloonTip* 气球提示框1 = nullptr;
    // current-member box
    Frame* 外形框_当前用户 = nullptr;
    Label* 透明标签12 = nullptr;
    EditBox* 编辑框_全局_卡号 = nullptr;
    Frame* 外形框10 = nullptr;
    Label* 标签_全局_卡余额提示 = nullptr;
    EditBox* 编辑框_全局_姓名 = nullptr;
    EditBox* 编辑框_全局_余额 = nullptr;
    // page 0: members
    Label* 透明标签 = nullptr;
    EditBox* 编辑框_会员管理_搜索 = nullptr;
    ImageButton* 按钮_会员管理_搜索 = nullptr;
    ImageButton* 按钮_新增会员 = nullptr;
    ImageButton* 按钮_充值 = nullptr;
    ImageButton* 按钮_消费 = nullptr;
    ReportList* 超级列表框_会员管理_会员列表 = nullptr;
    PictureBox* 载入条_会员 = nullptr;
    Frame* 外形框_新增会员 = nullptr;
    Frame* 外形框_快速消费 = nullptr;
    // new-member/recharge panel
    Label* 透明标签9 = nullptr;
    EditBox* 编辑框_新增会员_卡号 = nullptr;
    ImageButton* 按钮_会员管理_新增会员_获取卡号 = nullptr;
    Label* 透明标签7 = nullptr;
    EditBox* 编辑框_新增会员_姓名 = nullptr;
    Label* 透明标签8 = nullptr;
    EditBox* 编辑框_新增会员_手机号 = nullptr;
    GroupBox* 分组框_快速充值 = nullptr;
    Label* 透明标签25 = nullptr;
    DateBox* 日期框_充值管理_自定义时间 = nullptr;
    ComboBox* 组合框_充值管理_充值方式 = nullptr;
    Frame* 外形框5 = nullptr;
    Label* 透明标签10 = nullptr;
    EditBox* 编辑框_新增会员_充值金额 = nullptr;
    Label* 透明标签11 = nullptr;
    EditBox* 编辑框_新增会员_充值赠送 = nullptr;
    Label* 标签_充值信息提示 = nullptr;
    CheckBox* 选择框_关闭时刷新用户列表 = nullptr;
    ColourButton* 按钮_会员管理_新增会员_确定 = nullptr;
    ColourButton* 按钮_会员管理_新增会员_取消 = nullptr;
    // quick-checkout panel
    Label* 透明标签16 = nullptr;
    EditBox* 编辑框_快速消费_姓名 = nullptr;
    MultiLineEditBox* 编辑框_快速消费_手机号 = nullptr;
    Label* 透明标签13 = nullptr;
    EditBox* 编辑框_快速消费_现有余额 = nullptr;
    Label* 透明标签19 = nullptr;
    Frame* 外形框9 = nullptr;
    EditBox* 编辑框_快速消费_卡号 = nullptr;
    ListBox* 列表框_快速消费_消费项目清单 = nullptr;
    ListBox* 列表框_快速消费_结账清单 = nullptr;
    Frame* 外形框6 = nullptr;
    Label* 透明标签17 = nullptr;
    EditBox* 编辑框_快速消费_消费项目数 = nullptr;
    EditBox* 编辑框_快速消费_消费总金额 = nullptr;
    Label* 透明标签14 = nullptr;
    EditBox* 编辑框_快速消费_消费后余额 = nullptr;
    Frame* 外形框8 = nullptr;
    ColourButton* 按钮_快速消费_确定结账 = nullptr;
    DateBox* 日期框_消费管理_自定义时间 = nullptr;
    Frame* 外形框7 = nullptr;
    Label* 透明标签18 = nullptr;
    MultiLineEditBox* 编辑框_快速消费_备注 = nullptr;
    ColourButton* 按钮_快速消费_清空 = nullptr;
    ColourButton* 按钮_快速消费_关闭 = nullptr;
    // page 1: recharge records
    ImageButton* 按钮_充值管理_所有用户 = nullptr;
    ImageButton* 按钮_充值管理_当前用户 = nullptr;
    EditBox* 编辑框_充值管理_查询类型 = nullptr;
    Label* 标签_充值管理_汇总信息 = nullptr;
    CheckBox* 选择框_充值管理_指定日期 = nullptr;
    Frame* 外形框_充值管理_指定日期 = nullptr;
    DateBox* 日期框_充值管理_开始日期 = nullptr;
    Label* 透明标签15 = nullptr;
    DateBox* 日期框_充值管理_结束日期 = nullptr;
    ColourButton* 按钮_充值管理_今天 = nullptr;
    ColourButton* 按钮_充值管理_昨天 = nullptr;
    ColourButton* 按钮_充值管理_近7天 = nullptr;
    ColourButton* 按钮_充值管理_本月 = nullptr;
    ColourButton* 按钮_充值管理_上月 = nullptr;
    ColourButton* 按钮_充值管理_近30天 = nullptr;
    PictureBox* 载入条_充值记录 = nullptr;
    ReportList* 超级列表框_会员充值_充值列表 = nullptr;
    // page 2: consumption records
    ImageButton* 按钮_消费管理_所有用户 = nullptr;
    ImageButton* 按钮_消费管理_当前用户 = nullptr;
    EditBox* 编辑框_消费管理_查询类型 = nullptr;
    Label* 标签_消费管理_汇总信息 = nullptr;
    CheckBox* 选择框_消费管理_指定日期 = nullptr;
    Frame* 外形框_消费管理_指定日期 = nullptr;
    DateBox* 日期框_消费管理_开始日期 = nullptr;
    Label* 透明标签20 = nullptr;
    DateBox* 日期框_消费管理_结束日期 = nullptr;
    ColourButton* 按钮_消费管理_今天 = nullptr;
    ColourButton* 按钮_消费管理_昨天 = nullptr;
    ColourButton* 按钮_消费管理_近7天 = nullptr;
    ColourButton* 按钮_消费管理_本月 = nullptr;
    ColourButton* 按钮_消费管理_上月 = nullptr;
    ColourButton* 按钮_消费管理_近30天 = nullptr;
    PictureBox* 载入条_消费记录 = nullptr;
    ReportList* 超级列表框_会员消费_消费列表 = nullptr;
    // page 3: login and settings
    PictureBox* 图片框1 = nullptr;
    Label* 透明标签1 = nullptr;
    ComboBox* 组合框_登录用户名 = nullptr;
    Label* 透明标签2 = nullptr;
    EditBox* 编辑框_密码 = nullptr;
    PictureBox* 载入条 = nullptr;
    PushButton* 按钮_登录系统 = nullptr;
    EditBox* 编辑框_用户名 = nullptr;
    Frame* 外形框_系统设置 = nullptr;
    PushButton* 按钮_系统设置_修改消费项目 = nullptr;
    PushButton* 按钮_系统设置_修改密码 = nullptr;
    PushButton* 按钮_系统设置_新增管理员 = nullptr;
    CheckBox* 选择框_新纪录在最前 = nullptr;
    Frame* 外形框_修改消费项目 = nullptr;
    Frame* 外形框_修改密码 = nullptr;
    Frame* 外形框_系统设置_新增管理员 = nullptr;
    // service-item sub-panel
    Label* 透明标签5 = nullptr;
    EditBox* 编辑框_项目名称 = nullptr;
    Label* 透明标签6 = nullptr;
    EditBox* 编辑框_项目金额 = nullptr;
    PushButton* 按钮_新增项目 = nullptr;
    PushButton* 按钮_删除项目 = nullptr;
    PushButton* 按钮_项目消费重新载入 = nullptr;
    ReportList* 超级列表框_项目设置 = nullptr;
    // password sub-panel
    Label* 透明标签3 = nullptr;
    EditBox* 编辑框_输入新密码 = nullptr;
    Label* 透明标签4 = nullptr;
    EditBox* 编辑框_新密码确认 = nullptr;
    PushButton* 按钮_修改密码确认 = nullptr;
    // new-operator sub-panel
    Label* 透明标签21 = nullptr;
    EditBox* 编辑框_新增管理员_姓名 = nullptr;
    Label* 透明标签22 = nullptr;
    EditBox* 编辑框_新增管理员_手机号 = nullptr;
    Label* 透明标签23 = nullptr;
    EditBox* 编辑框_新增管理员_密码 = nullptr;
    Label* 透明标签24 = nullptr;
    EditBox* 编辑框_新增管理员_密码确认 = nullptr;
    PushButton* 按钮_系统设置_新增管理员_确认 = nullptr;

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    bool created_ = false;
};

}  // namespace kob
