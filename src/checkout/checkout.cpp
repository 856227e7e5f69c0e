#include "checkout/checkout.h"

#include <QPoint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "app/program.h"
#include "checkout/checkout_statements.h"
#include "data/db.h"
#include "members/members.h"
#include "operators/operators.h"
#include "platform/core/datetime.h"
#include "platform/core/text.h"
#include "platform/gui/services.h"
#include "ui/layout.h"
#include "ui/main_window.h"

namespace kob {

namespace {

constexpr const char* kItemAddUnknown =
    "网络异常，无法确认项目是否已新增，请先刷新项目列表查看再操作";
constexpr const char* kItemDeleteUnknown =
    "网络异常，无法确认项目是否已删除，请先刷新项目列表查看再操作";

constexpr const char* kNoBalance = "余额不足，不能消费";
constexpr const char* kNoteFull = "备注已满，不能再添加项目";
constexpr const char* kReentryPrompt = "需要二次确认密码，请输入";
constexpr const char* kReentryTitle = "密码二次验证";
constexpr const char* kCrLf = "\r\n";

}  // namespace

void ReadServiceItemRow(data::RecordSet& set, ServiceItemRecord& record, int row_number) {
    set.MoveTo(static_cast<uint64_t>(row_number > 0 ? row_number - 1 : 0));
    record.xm_id = set.Text("xm_id");
    record.xm_name = set.Text("xm_name");
    record.xm_money = set.Text("xm_money");
    record.xm_del = set.Text("xm_del");
    record.xm_notes = set.Text("xm_notes");
}

std::string ItemLine(const std::string& xm_name, const std::string& xm_money) {
    return xm_name + "[" + xm_money + "]";
}

void Checkout::BindEvents() {
    auto& w = program_.window();
    w.按钮_消费->on_clicked = [this] { OpenCheckoutPanel(); };
    w.列表框_快速消费_消费项目清单->on_double_click = [this] {
        OnCheckoutItemDoubleClick(0, 0, 0);
    };
    w.编辑框_快速消费_消费总金额->on_text_changed = [this] { OnCheckoutTotalChanged(); };
    w.编辑框_快速消费_消费项目数->on_left_button_down = [this](int x, int y, int state) {
        ShowCheckoutLines(x, y, state);
    };
    w.按钮_快速消费_确定结账->on_left_button_down = [this](int x, int y, int state) {
        ConfirmCheckout(x, y, state);
    };
    w.按钮_快速消费_清空->on_left_button_down = [this](int x, int y, int state) {
        ClearCheckout(x, y, state);
    };
    w.按钮_快速消费_关闭->on_left_button_down = [this](int x, int y, int state) {
        CloseCheckoutPanel(x, y, state);
    };
    w.按钮_系统设置_修改消费项目->on_clicked = [this] { OpenServiceItemPanel(); };
    w.按钮_新增项目->on_clicked = [this] { AddServiceItem(); };
    w.按钮_删除项目->on_clicked = [this] { DeleteServiceItem(); };
    w.按钮_项目消费重新载入->on_clicked = [this] { ReloadServiceItems(); };
    program_.members->open_checkout_panel = [this] { OpenCheckoutPanel(); };
}

// ---------------------------------------------------------------- checkout panel

void Checkout::SetTotalText(const std::string& text) {
    writing_total_ = true;
    program_.window().编辑框_快速消费_消费总金额->SetText(text);
    writing_total_ = false;
}

void Checkout::ResetCheckout() {
    auto& w = program_.window();
    w.外形框_新增会员->Hide();
    w.列表框_快速消费_结账清单->ClearItems();
    line_items_.clear();
    SetTotalText("");
    w.编辑框_快速消费_消费后余额->SetText("");
    w.编辑框_快速消费_消费项目数->SetText("");
    w.编辑框_快速消费_备注->SetText("");
    w.日期框_消费管理_自定义时间->SetValue(program_.clock.Now());
}

void Checkout::OpenCheckoutPanel() {
    ++fills_;
    auto& w = program_.window();
    ResetCheckout();
    const int row = program_.members->SelectedMemberRow();
    if (row < 0) {
        return;
    }
    // Asked by the fill: this recomputation never fills the panel again.
    // Without the balance there is nothing to check a checkout against.
    if (!program_.members->RefreshSelectedMemberTotals(true)) {
        w.外形框_快速消费->Hide();
        return;
    }
    const auto& members = *w.超级列表框_会员管理_会员列表;
    const std::string card = members.Cell(row, kMemberCard);
    const std::string name = members.Cell(row, kMemberName);
    if (card.empty()) {
        return;
    }
    auto& panel = *w.外形框_快速消费;
    panel.move(w.选择夹1->Width() - panel.Width() - 5, layout::PanelTopBelow(*w.按钮_消费));
    panel.Show();
    panel.BringToFront();
    w.编辑框_快速消费_卡号->SetText(card);
    w.编辑框_快速消费_姓名->SetText(name);
    auto& overlay = *w.编辑框_快速消费_手机号;
    if (w.编辑框_快速消费_姓名->Text().empty()) {
        overlay.Show();
    } else {
        overlay.Hide();
    }
    overlay.SetText("本会员姓名为空\r\n----------------\r\n手机号[" +
                    members.Cell(row, kMemberPhone) + "]");
    w.编辑框_快速消费_现有余额->SetText(members.Cell(row, kMemberBalance));
    LoadCheckoutItemList(w, *w.列表框_快速消费_消费项目清单);
    w.列表框_快速消费_消费项目清单->Focus();
}

std::optional<std::vector<ServiceItemRecord>> Checkout::ReadServiceItems(QWidget& spinner) {
    std::vector<ServiceItemRecord> items;
    const bool read = program_.ReadWhileWaiting(spinner, [&] {
        auto session = program_.db.Acquire();
        const data::Rows rows = session.RunQuery(ServiceItemsQuery());
        ServiceItemRecord record;
        for (int64_t r = 1; r <= rows.count; ++r) {
            ReadServiceItemRow(session.SharedRecordSet(), record, static_cast<int32_t>(r));
            items.push_back(record);
        }
        session.FreeSharedRecordSet();
        return !rows.Failed();
    });
    if (!read) {
        program_.TellReadFailed();
        return std::nullopt;
    }
    return items;
}

void Checkout::LoadCheckoutItemList(MainWindow& window, ListBox& list) {
    const bool offered = &list == window.列表框_快速消费_消费项目清单;
    list.ClearItems();
    if (offered) {
        offered_items_.clear();
    }
    const auto items = ReadServiceItems(*window.载入条_会员);
    if (!items) {
        return;  // an empty list, told as unread
    }
    for (const ServiceItemRecord& record : *items) {
        list.AddItem(ItemLine(record.xm_name, record.xm_money), ToInt32(record.xm_id));
        if (offered) {
            offered_items_.push_back({record.xm_name, record.xm_money});
        }
    }
}

void Checkout::OnCheckoutItemDoubleClick(int /*x*/, int /*y*/, int /*key_state*/) {
    AddItemToCheckout();
}

void Checkout::AddItemToCheckout() {
    auto& w = program_.window();
    auto& items = *w.列表框_快速消费_消费项目清单;
    const int i = items.CurrentItem();
    if (i < 0) {
        return;
    }
    const std::string line = items.ItemText(i);
    // The price is the item's own; the list's text decides only when the list
    // was filled by something else.
    const bool known = offered_items_.size() == static_cast<size_t>(items.ItemCount());
    ItemTexts item;
    item.money =
        known ? offered_items_[static_cast<size_t>(i)].money : ExtractTextBetween(line, "[", "]");
    item.name = known ? offered_items_[static_cast<size_t>(i)].name
                      : ReplaceAll(line, "[" + item.money + "]", "");
    const int32_t price = ToInt32(item.money);
    const int64_t balance = ToInt32(w.编辑框_快速消费_现有余额->Text());
    const int64_t total = ToInt32(w.编辑框_快速消费_消费总金额->Text());
    const int64_t remaining = balance - total;
    if (static_cast<double>(remaining) - static_cast<double>(price) < -1e-07) {
        w.气球提示框1->ShowAt(kNoBalance, program_.pointer.Position());
        return;
    }
    // The lines go into the note: an item whose line the note's column could
    // not hold is not taken, rather than the whole checkout failing later.
    const std::string note_after = CheckoutNote() +
                                   (w.列表框_快速消费_结账清单->ItemCount() > 0 ? kCrLf : "") +
                                   "{" + IntText(items.ItemValue(i)) + "}" + line;
    const int room = w.编辑框_快速消费_备注->ColumnChars();
    if (room > 0 && QString::fromStdString(note_after).size() > room) {
        w.气球提示框1->ShowAt(kNoteFull, program_.pointer.Position());
        return;
    }
    w.列表框_快速消费_结账清单->AddItem(line, items.ItemValue(i));
    line_items_.push_back(std::move(item));
    SetTotalText(IntText(int64_t{ToInt32(w.编辑框_快速消费_消费总金额->Text())} + price));
    w.编辑框_快速消费_消费项目数->SetText(
        IntText(int64_t{ToInt32(w.编辑框_快速消费_消费项目数->Text())} + 1));
    w.编辑框_快速消费_消费后余额->SetText(
        IntText(int64_t{ToInt32(w.编辑框_快速消费_现有余额->Text())} -
                ToInt32(w.编辑框_快速消费_消费总金额->Text())));
    w.编辑框_快速消费_备注->SetText("");
    w.编辑框_快速消费_备注->SetText(CheckoutNote());
}

std::string Checkout::CheckoutNote() const {
    const auto& lines = *program_.window().列表框_快速消费_结账清单;
    std::string note;
    for (int i = 0; i < lines.ItemCount(); ++i) {
        if (i > 0) {
            note += kCrLf;
        }
        note += "{" + IntText(lines.ItemValue(i)) + "}" + lines.ItemText(i);
    }
    return note;
}

void Checkout::OnCheckoutTotalChanged() {
    if (writing_total_) {
        return;
    }
    auto& w = program_.window();
    auto& total = *w.编辑框_快速消费_消费总金额;
    const auto& balance = *w.编辑框_快速消费_现有余额;
    const int64_t d = int64_t{ToInt32(balance.Text())} - ToInt32(total.Text());
    if (d < 0) {
        w.气球提示框1->ShowAt(kNoBalance, QPoint(w.Left() + 900, w.Top() + 360));
        SetTotalText(balance.Text());
    }
    w.编辑框_快速消费_消费后余额->SetText(
        IntText(int64_t{ToInt32(balance.Text())} - ToInt32(total.Text())));
}

void Checkout::ShowCheckoutLines(int /*x*/, int /*y*/, int /*key_state*/) {
    auto& w = program_.window();
    const auto& lines = *w.列表框_快速消费_结账清单;
    std::string text;
    for (int i = 0; i < lines.ItemCount(); ++i) {
        if (i > 0) {
            text += kCrLf;
        }
        text += lines.ItemText(i);
    }
    const QPoint at = program_.pointer.Position();
    w.气球提示框1->ShowAt(text, QPoint(at.x(), at.y() - 15));
}

void Checkout::ClearCheckout(int /*x*/, int /*y*/, int /*key_state*/) {
    OpenCheckoutPanel();
}

void Checkout::CloseCheckoutPanel(int /*x*/, int /*y*/, int /*key_state*/) {
    program_.window().外形框_快速消费->Hide();
}

std::string Checkout::LinePrice(int line) const {
    const auto& lines = *program_.window().列表框_快速消费_结账清单;
    if (line_items_.size() == static_cast<size_t>(lines.ItemCount())) {
        return line_items_[static_cast<size_t>(line)].money;
    }
    return ExtractTextBetween(lines.ItemText(line), "[", "]");
}

std::string Checkout::LineName(int line) const {
    const auto& lines = *program_.window().列表框_快速消费_结账清单;
    if (line_items_.size() == static_cast<size_t>(lines.ItemCount())) {
        return line_items_[static_cast<size_t>(line)].name;
    }
    return ReplaceAll(lines.ItemText(line), "[" + LinePrice(line) + "]", "");
}

// ---------------------------------------------------------------- confirmation

void Checkout::ConfirmCheckout(int /*x*/, int /*y*/, int /*key_state*/) {
    auto& w = program_.window();
    ConsumptionRecord record;
    record.cost_money = w.编辑框_快速消费_消费总金额->Text();
    if (ToInt32(record.cost_money) == 0) {
        return;
    }
    if (program_.members->WaitsForAnEarlierWrite(w.编辑框_快速消费_卡号->Text())) {
        return;
    }
    // The connection is asked for inside the write's wait, so that a server
    // that has frozen holds the spinner, not an unpainted window.
    record.user_id = w.编辑框_快速消费_卡号->Text();
    record.user_name = w.编辑框_快速消费_姓名->Text();
    record.boss_id = program_.CurrentOperator.boss_id;
    record.boss_name = program_.CurrentOperator.boss_name;
    record.cost_notes = w.编辑框_快速消费_备注->Text();
    record.cost_date =
        FormatDateTimeText(w.日期框_消费管理_自定义时间->Value(), "yyyy-MM-dd ", "HH:mm:ss");
    const auto& lines = *w.列表框_快速消费_结账清单;
    const int n = lines.ItemCount();
    if (n == 1) {
        record.xm_id = IntText(lines.ItemValue(0));
        record.xm_name = LineName(0);
    } else {
        record.xm_id = "";
        record.xm_name = IntText(n) + "个项目";
    }
    record.cost_money = w.编辑框_快速消费_消费总金额->Text();
    record.xm_money = record.cost_money;
    const data::Result stored = InsertConsumptionRecord(record);
    const QPoint at = program_.pointer.Position();
    if (stored.Unknown()) {
        // Started over, so that a second press cannot charge the lines twice.
        w.气球提示框1->ShowAt("网络异常，无法确认结账是否成功，请先查看消费记录再操作", at);
        ResetCheckout();
        return;
    }
    if (!stored) {
        w.气球提示框1->ShowAt("操作失败，请检查网络及数据库", at);
        return;
    }
    w.编辑框_快速消费_备注->SetText("");
    w.气球提示框1->ShowAt("操作成功", at);
    // What the card holds now, should nothing refill the panel.
    const std::string balance_after =
        IntText(int64_t{ToInt32(w.编辑框_快速消费_现有余额->Text())} - ToInt32(record.cost_money));
    const int fills_before = fills_;
    program_.members->RefreshSelectedMemberTotals();
    program_.members->SyncSpareMemberList(true);
    if (fills_ == fills_before) {
        // No selected row to refill from: start over anyway, so the stored
        // lines cannot be stored a second time against the old balance.
        ResetCheckout();
        w.编辑框_快速消费_现有余额->SetText(balance_after);
    }
}

data::Result Checkout::InsertConsumptionRecord(ConsumptionRecord& record) {
    record.cost_del = "0";
    const data::Write write = ConsumptionInsertWrite(record);
    const data::Result result = program_.WriteWhileWaiting(*program_.window().载入条_会员, [&] {
        auto session = program_.db.Acquire();
        return session.Write(write);
    });
    if (result.unsettled) {
        const std::string what =
            record.user_id + " " + record.user_name + " " + record.cost_money + "元";
        program_.KeepUnsettled({write, *result.unsettled, record.user_id,
                                "之前未能确认的结账已成功：" + what,
                                "之前未能确认的结账未成功：" + what});
    }
    return result;
}

// ---------------------------------------------------------------- service items

void Checkout::OpenServiceItemPanel() {
    auto& w = program_.window();
    program_.operators->HideSettingsSubPanels();
    RunPendingEvents();
    program_.operators->ShowSettingsSubPanel(*w.按钮_系统设置_修改消费项目, *w.外形框_修改消费项目);
    LoadServiceItemList();
}

void Checkout::LoadServiceItemList() {
    auto& w = program_.window();
    auto& list = *w.超级列表框_项目设置;
    list.DeleteAllRows();
    const auto items = ReadServiceItems(*w.载入条);
    if (!items) {
        return;
    }
    std::vector<std::vector<std::string>> rows;
    rows.reserve(items->size());
    for (const ServiceItemRecord& record : *items) {
        rows.push_back({record.xm_id, record.xm_name, record.xm_money, "", "", ""});
    }
    list.AddRows(std::move(rows));
}

void Checkout::ReloadServiceItems() {
    LoadServiceItemList();
}

void Checkout::AddServiceItem() {
    auto& w = program_.window();
    ServiceItemRecord record;
    record.xm_name = w.编辑框_项目名称->Text();
    record.xm_money = w.编辑框_项目金额->Text();
    record.xm_del = "0";
    if (record.xm_name.empty() || ToInt32(record.xm_money) == 0) {
        program_.dialogs.Message("项目名称和金额不能同时为空", "错误提示", MessageButtons::Ok,
                                 MessageIcon::None);
        return;
    }
    if (!program_.operators->PasswordReentry(kReentryPrompt, kReentryTitle)) {
        return;
    }
    const data::Write write = ServiceItemInsertWrite(record.xm_name, record.xm_money);
    const data::Result ok = program_.WriteWhileWaiting(*w.载入条, [&] {
        auto session = program_.db.Acquire();
        return session.Write(write);
    });
    if (ok.Unknown()) {
        program_.ShowBalloonTip(kItemAddUnknown);  // a retry could store it twice
        return;
    }
    if (!ok) {
        program_.ShowBalloonTip("操作失败，错误代码[561254545]");
        return;
    }
    program_.ShowBalloonTip("新增成功");
    w.编辑框_项目名称->SetText("");
    w.编辑框_项目金额->SetText("");
    LoadServiceItemList();
}

void Checkout::DeleteServiceItem() {
    auto& list = *program_.window().超级列表框_项目设置;
    const int row = list.SelectedRow();
    if (row < 0) {
        return;
    }
    const std::string id = list.Cell(row, 0);
    if (id.empty()) {
        return;
    }
    if (!program_.operators->PasswordReentry(kReentryPrompt, kReentryTitle)) {
        return;
    }
    data::Result ok;
    // The id stands bare: anything but a whole number counts as a failure.
    if (const auto write = ServiceItemDeletionWrite(id)) {
        ok = program_.WriteWhileWaiting(*program_.window().载入条, [&] {
            auto session = program_.db.Acquire();
            return session.Write(*write);
        });
    }
    if (ok.Unknown()) {
        program_.ShowBalloonTip(kItemDeleteUnknown);
        return;
    }
    if (!ok) {
        program_.dialogs.Message("操作失败", "错误提示[56522145]", MessageButtons::Ok,
                                 MessageIcon::None);
        return;
    }
    LoadServiceItemList();
}

}  // namespace kob
