#include "records/records.h"

#include <malloc.h>

#include <algorithm>
#include <array>
#include <limits>
#include <span>
#include <utility>

#include "app/privileges.h"
#include "app/program.h"
#include "data/column_stream.h"
#include "data/db.h"
#include "members/members.h"
#include "platform/core/datetime.h"
#include "platform/core/text.h"
#include "platform/gui/report_list.h"
#include "platform/gui/services.h"
#include "ui/main_window.h"
#include "ui/menus.h"
#include "ui/sort.h"

namespace kob {
namespace {

// RecordQueryType values.
constexpr std::string_view kQueryAll = "所有用户";
constexpr std::string_view kQueryMember = "当前用户";

// The separator inside a composed consumption 备注: 20 blanks, then CR LF.
const std::string kNoteBreak = std::string(20, ' ') + "\r\n";
constexpr std::string_view kNoItems = "0个项目";
constexpr std::string_view kOneItem = "1个项目";

constexpr uint32_t kBusyPauseMs = 200;

// Sort key kinds per column; 0 for a header that does not sort.
constexpr std::array<int32_t, 10> kRechargeSortKinds = {
    0,           kSortNumber, kSortText, kSortDateTime, kSortNumber,
    kSortNumber, kSortNumber, kSortText, kSortText,     kSortText};
constexpr std::array<int32_t, 9> kConsumptionSortKinds = {
    0, kSortNumber, kSortText, kSortDateTime, kSortText, kSortNumber, kSortNumber, 0, 0};

// The controls and texts of one record page.
struct PageParts {
    int tab;  // its page of 选择夹1
    ReportList* list;
    std::span<const int32_t> sort_kinds;
    PictureBox* spinner;
    EditBox* query_type;
    Label* summary;
    CheckBox* range;
    Frame* panel;
    DateBox* start;
    DateBox* end;
    std::array<ColourButton*, 6> presets;
    // The deletion.
    const menus::PopupMenuSpec* menu;
    int menu_item;
    std::string_view deleted_balloon;
};

PageParts Parts(MainWindow& w, RecordPage page) {
    if (page == RecordPage::Recharge) {
        return {1,
                w.超级列表框_会员充值_充值列表,
                kRechargeSortKinds,
                w.载入条_充值记录,
                w.编辑框_充值管理_查询类型,
                w.标签_充值管理_汇总信息,
                w.选择框_充值管理_指定日期,
                w.外形框_充值管理_指定日期,
                w.日期框_充值管理_开始日期,
                w.日期框_充值管理_结束日期,
                {w.按钮_充值管理_今天, w.按钮_充值管理_昨天, w.按钮_充值管理_近7天,
                 w.按钮_充值管理_本月, w.按钮_充值管理_上月, w.按钮_充值管理_近30天},
                &menus::k充值操作,
                menus::k删除充值记录,
                "删除充值记录成功，ID为："};
    }
    return {2,
            w.超级列表框_会员消费_消费列表,
            kConsumptionSortKinds,
            w.载入条_消费记录,
            w.编辑框_消费管理_查询类型,
            w.标签_消费管理_汇总信息,
            w.选择框_消费管理_指定日期,
            w.外形框_消费管理_指定日期,
            w.日期框_消费管理_开始日期,
            w.日期框_消费管理_结束日期,
            {w.按钮_消费管理_今天, w.按钮_消费管理_昨天, w.按钮_消费管理_近7天,
             w.按钮_消费管理_本月, w.按钮_消费管理_上月, w.按钮_消费管理_近30天},
            &menus::k消费操作,
            menus::k删除消费记录,
            "删除消费记录成功，ID为："};
}

// Sums of a load: 32-bit, held at the limits rather than wrapping.
class Sum {
  public:
    void Add(std::string_view text) { total_ += ToInt32(text); }
    int32_t Value() const {
        return static_cast<int32_t>(std::clamp<int64_t>(total_, std::numeric_limits<int32_t>::min(),
                                                        std::numeric_limits<int32_t>::max()));
    }

  private:
    int64_t total_ = 0;
};

// The fields of a record in this order; a row's fields are read by index,
// looked up by name once per load.
constexpr std::array<std::string_view, 12> kRechargeFields = {
    "pay_id",    "pay_time", "pay_money", "pay_give",  "pay_total", "pay_method",
    "pay_notes", "pay_del",  "user_id",   "user_name", "boss_id",   "boss_name"};
constexpr std::array<std::string_view, 12> kConsumptionFields = {
    "cost_id", "cost_notes", "cost_money", "cost_del",  "cost_date", "xm_id",
    "xm_name", "xm_money",   "user_id",    "user_name", "boss_id",   "boss_name"};

// One row's fields as the server sent them (GBK), in the order above.
using RawRow = data::StreamedRow;

// Adds the cell of one column for a row (scratch: a buffer of the thread's own).
using CellMaker = void (*)(RawRow row, size_t column, CellColumn& cells, std::string& scratch);

void AddOperatorCell(CellColumn& cells, std::string_view boss_id, std::string_view boss_name) {
    cells.Append("[");
    cells.AppendGbk(boss_id);
    cells.Append("]");
    cells.AppendGbk(boss_name);
    cells.EndCell();
}

void MakeRechargeCell(RawRow f, size_t column, CellColumn& cells, std::string& /*scratch*/) {
    // pay_id, user_id, user_name, pay_time, pay_money, pay_give, pay_total, pay_method, pay_notes
    static constexpr std::array<size_t, 9> kFieldOfColumn = {0, 8, 9, 1, 2, 3, 4, 5, 6};
    if (column == 9) {
        AddOperatorCell(cells, f[10], f[11]);
        return;
    }
    // A bonus of 0 shows empty. Digits, blanks and signs are the same bytes
    // in GBK, so the raw field reads as the converted one would.
    if (column == 5 && ToInt32(f[3]) == 0) {
        cells.EndCell();
        return;
    }
    cells.AppendGbk(f[kFieldOfColumn[column]]);
    cells.EndCell();
}

void MakeConsumptionCell(RawRow f, size_t column, CellColumn& cells, std::string& scratch) {
    // cost_id, user_id, user_name, cost_date, (item), xm_money, cost_money
    static constexpr std::array<size_t, 7> kFieldOfColumn = {0, 8, 9, 4, 6, 7, 2};
    auto item_name = [&]() -> std::string_view {
        scratch.clear();
        AppendGbkAsUtf8(scratch, f[6]);
        return scratch == kNoItems ? std::string_view() : std::string_view(scratch);
    };
    switch (column) {
        case 4:
            cells.Add(item_name());
            return;
        case 7: {
            const std::string_view notes = f[1];
            if (!f[5].empty()) {
                cells.Append(kOneItem);
                cells.Append(kNoteBreak);
            } else if (const std::string_view name = item_name(); !name.empty()) {
                cells.Append(name);
                if (!notes.empty()) {
                    cells.Append(kNoteBreak);
                }
            }
            cells.AppendGbk(notes);
            cells.EndCell();
            return;
        }
        case 8:
            if (f[10].empty()) {
                cells.EndCell();
            } else {
                AddOperatorCell(cells, f[10], f[11]);
            }
            return;
        default:
            cells.AppendGbk(f[kFieldOfColumn[column]]);
            cells.EndCell();
    }
}

// A large result, once freed, leaves its blocks inside the heap under the
// cells built after it, as do the rows a load replaced; only a trim gives
// those pages back to the system.
void ReturnFreedMemory(int32_t rows_replaced, int32_t rows_loaded) {
    constexpr int32_t kLargeLoad = 100000;
    if (rows_replaced >= kLargeLoad || rows_loaded >= kLargeLoad) {
        malloc_trim(0);
    }
}

// A row count as the summary shows it: 0 for a failed statement, held at
// the 32-bit limit.
int32_t ClampCount(int64_t rows) {
    return static_cast<int32_t>(std::clamp<int64_t>(rows, 0, std::numeric_limits<int32_t>::max()));
}

// Runs sql and turns its rows into cells as they arrive (on_row sees each
// row on this thread); helper threads convert them column by column. The
// cells are left empty when the rows could not be read.
data::Rows StreamColumns(data::SharedSession& session, const std::string& sql,
                         const std::array<std::string_view, 12>& names,
                         std::vector<CellColumn>& cells, CellMaker make,
                         const std::function<void(RawRow)>& on_row) {
    data::ColumnConversion conversion;
    conversion.columns = cells.size();
    conversion.on_row = on_row;
    // The columns get their room on this thread, so that a trim gives their
    // memory back whole.
    conversion.before_batch = [&cells](const data::RowBatch& batch) {
        const size_t rows = batch.RowCount();
        const size_t raw_per_row = batch.ByteCount() / rows + 1;
        for (auto& column : cells) {
            const size_t per_row = column.CellCount() > 0
                                       ? column.ByteCount() / column.CellCount() + 1
                                       : raw_per_row * 3 / 2;
            column.ReserveMore(rows, per_row * rows * 5 / 4 + 4096);
        }
    };
    conversion.convert = [&cells, make](const data::RowBatch& batch, size_t column,
                                        std::string& scratch) {
        CellColumn& out = cells[column];
        for (size_t r = 0, n = batch.RowCount(); r < n; ++r) {
            make(batch.Row(r), column, out, scratch);
        }
    };
    const data::Rows rows = data::StreamIntoColumns(session, sql, names, conversion);
    if (rows.Failed()) {
        for (auto& column : cells) {
            column.Release();
        }
    }
    return rows;
}

// Empties list and fills it with the rows of sql (none to run when sql is
// empty), the window running meanwhile with spinner; Failed when the rows
// could not be read (the list is then left empty).
data::Rows LoadColumns(Program& program, QWidget& spinner, ReportList& list, const std::string& sql,
                       const std::array<std::string_view, 12>& fields, size_t columns,
                       CellMaker make, const std::function<void(RawRow)>& on_row) {
    const int32_t replaced = list.RowCount();
    list.DeleteAllRows(false);  // the rows reuse its pages; trimmed after the load
    std::vector<CellColumn> cells(columns);
    const data::Rows n = program.ReadWhileWaiting(spinner, [&] {
        auto session = program.db.Acquire();
        session.GetDbConnection();
        return sql.empty() ? data::Rows{true, 0}
                           : StreamColumns(session, sql, fields, cells, make, on_row);
    });
    ReturnFreedMemory(replaced, ClampCount(n.count));
    list.AddColumns(std::move(cells));
    return n;
}

}  // namespace

std::string FormatFirstDayOfMonth(double date) {
    return FormatDateTimeText(date, "yyyy/MM/01");
}

std::string FormatLastDayOfMonth(double date) {
    const auto civil = OleToCivil(date);
    if (!civil) {
        return {};
    }
    int m = civil->month;
    int y = civil->year;
    m = m + 1;
    if (m == 13) {
        m = 1;
        y = y + 1;
    }
    const std::string t = IntText(y) + "/" + IntText(m) + "/1";
    double d = ParseDateTimeText(t);
    d = AddDays(d, -1);
    return FormatDateTimeText(d, "yyyy/MM/dd");
}

std::string FormatFirstDayOfPreviousMonth(double date) {
    double f = ParseDateTimeText(FormatDateTimeText(date, "yyyy/MM/01"));
    f = AddDays(f, -1);
    return FormatDateTimeText(f, "yyyy/MM/01");
}

std::string FormatLastDayOfPreviousMonth(double date) {
    double f = ParseDateTimeText(FormatDateTimeText(date, "yyyy/MM/01"));
    f = AddDays(f, -1);
    return FormatDateTimeText(f, "yyyy/MM/dd");
}

std::string ConsumptionNoteBalloonText(std::string_view cell) {
    static const std::string blanks(20, ' ');
    static const std::string line = "\r\n————————";
    std::string text;
    size_t from = 0;
    for (size_t at = cell.find(blanks); at != std::string_view::npos;
         at = cell.find(blanks, from)) {
        text.append(cell.substr(from, at - from));
        text += line;
        from = at + blanks.size();
    }
    text.append(cell.substr(from));
    return text;
}

Records::Records(Program& program) : program_(program) {}

void Records::BindEvents() {
    auto& w = program_.window();
    w.按钮_会员充值->on_clicked = [this] { ShowRechargePage(); };
    w.按钮_会员消费->on_clicked = [this] { ShowConsumptionPage(); };
    w.按钮_充值管理_所有用户->on_clicked = [this] { QueryAllRecharges(); };
    w.按钮_充值管理_当前用户->on_clicked = [this] { QueryMemberRecharges(); };
    w.按钮_消费管理_所有用户->on_clicked = [this] { QueryAllConsumption(); };
    w.按钮_消费管理_当前用户->on_clicked = [this] { QueryMemberConsumption(); };
    for (RecordPage page : {RecordPage::Recharge, RecordPage::Consumption}) {
        PageParts p = Parts(w, page);
        p.range->on_clicked = [this, page] { ToggleCustomDateRange(page); };
        p.start->on_value_changed = [this, page] { OnRecordDateBoxChanged(page); };
        p.end->on_value_changed = [this, page] { OnRecordDateBoxChanged(page); };
        for (size_t i = 0; i < p.presets.size(); ++i) {
            const auto preset = static_cast<DatePreset>(i);
            p.presets[i]->on_left_button_down = [this, page, preset](int, int, int) {
                ApplyDatePreset(page, preset);
            };
        }
    }
    auto& recharges = *w.超级列表框_会员充值_充值列表;
    recharges.on_key_down = [this](int key, int state) { OnRechargeListKeyDown(key, state); };
    recharges.on_right_click = [this] { ShowRechargeRecordMenu(); };
    recharges.on_column_click = [this](int column) { SortRechargeList(column); };
    auto& consumption = *w.超级列表框_会员消费_消费列表;
    consumption.on_key_down = [this](int key, int state) { OnConsumptionListKeyDown(key, state); };
    consumption.on_right_click = [this] { ShowConsumptionRecordMenu(); };
    consumption.on_column_click = [this](int column) { SortConsumptionList(column); };
    consumption.on_current_row_changed = [this] { ShowConsumptionNote(); };
}

// ---- side buttons, queries, loading

void Records::ShowRechargePage() {
    ShowPage(RecordPage::Recharge);
}

void Records::ShowConsumptionPage() {
    ShowPage(RecordPage::Consumption);
}

void Records::ShowPage(RecordPage page) {
    if (program_.LoggedIn == 0) {
        return;
    }
    auto& w = program_.window();
    const PageParts p = Parts(w, page);
    w.选择夹1->SetCurrentPage(p.tab);
    p.list->DeleteAllRows();
    if (w.外形框_当前用户->Visible()) {
        QueryMember(page);
    }
}

void Records::QueryAllRecharges() {
    QueryAll(RecordPage::Recharge);
}

void Records::QueryAllConsumption() {
    QueryAll(RecordPage::Consumption);
}

void Records::QueryMemberRecharges() {
    QueryMember(RecordPage::Recharge);
}

void Records::QueryMemberConsumption() {
    QueryMember(RecordPage::Consumption);
}

void Records::QueryAll(RecordPage page) {
    auto& w = program_.window();
    const PageParts p = Parts(w, page);
    p.list->Hide();
    RunPendingEvents();
    p.spinner->Show();
    w.repaint();
    program_.clock.Sleep(kBusyPauseMs);  // a plain pause: no event runs meanwhile
    p.query_type->SetText(std::string(kQueryAll));
    p.summary->SetCaption("");
    const bool use_range = p.range->Ticked();
    std::string start;
    std::string end;
    if (use_range) {
        FormDayRange(page, start, end);
    }
    if (page == RecordPage::Recharge) {
        LoadRechargeRecords(*p.list, "", use_range, start, end);
    } else {
        LoadConsumptionRecords(*p.list, "", use_range, start, end);
    }
    p.spinner->Hide();
    RunPendingEvents();
    p.list->Show();
    w.repaint();
}

void Records::QueryMember(RecordPage page) {
    auto& w = program_.window();
    const PageParts p = Parts(w, page);
    p.query_type->SetText(std::string(kQueryMember));
    p.summary->SetCaption("");
    if (!w.外形框_当前用户->Visible()) {
        p.list->DeleteAllRows();
        return;
    }
    const bool use_range = p.range->Ticked();
    std::string start;
    std::string end;
    if (use_range) {
        FormDayRange(page, start, end);
    }
    const std::string card = w.编辑框_全局_卡号->Text();
    if (page == RecordPage::Recharge) {
        LoadRechargeRecords(*p.list, card, use_range, start, end);
    } else {
        LoadConsumptionRecords(*p.list, card, use_range, start, end);
    }
}

void Records::FormDayRange(RecordPage page, std::string& start, std::string& end) {
    const PageParts p = Parts(program_.window(), page);
    start = FormatDateTimeText(p.start->Value(), "yyyy-MM-dd") + " 00:00:00";
    end = FormatDateTimeText(p.end->Value(), "yyyy-MM-dd") + " 23:59:59";
}

// An empty statement (a card that is not a whole number) counts as failed.
void Records::AnnounceLoadStatement(const std::string& sql) {
    if (!sql.empty() && on_statement) {
        on_statement(sql);
    }
}

void Records::LoadRechargeRecords(ReportList& list, const std::string& card, bool use_range,
                                  const std::string& start, const std::string& end) {
    auto& w = program_.window();
    Sum paid;
    Sum bonus;
    Sum total;
    const std::string sql =
        RechargeQueryStatement(card, use_range, start, end, w.选择框_新纪录在最前->Ticked());
    AnnounceLoadStatement(sql);
    const PageParts p = Parts(w, RecordPage::Recharge);
    const data::Rows n = LoadColumns(program_, *p.spinner, list, sql, kRechargeFields, 10,
                                     MakeRechargeCell, [&](RawRow f) {
                                         paid.Add(f[2]);
                                         bonus.Add(f[3]);  // a bonus shown empty adds its 0
                                         total.Add(f[4]);
                                     });
    if (n.Failed()) {
        // No summary of rows that were never read.
        p.summary->SetCaption("");
        program_.TellReadFailed();
        return;
    }
    p.summary->SetCaption("充值" + IntText(ClampCount(n.count)) + "次，实付" +
                          IntText(paid.Value()) + "元，赠送" + IntText(bonus.Value()) + "元，合计" +
                          IntText(total.Value()) + "元");
}

void Records::LoadConsumptionRecords(ReportList& list, const std::string& card, bool use_range,
                                     const std::string& start, const std::string& end) {
    auto& w = program_.window();
    Sum money;
    const std::string sql =
        ConsumptionQueryStatement(card, use_range, start, end, w.选择框_新纪录在最前->Ticked());
    AnnounceLoadStatement(sql);
    const PageParts p = Parts(w, RecordPage::Consumption);
    const data::Rows n = LoadColumns(program_, *p.spinner, list, sql, kConsumptionFields, 9,
                                     MakeConsumptionCell, [&](RawRow f) { money.Add(f[2]); });
    if (n.Failed()) {
        p.summary->SetCaption("");
        program_.TellReadFailed();
        return;
    }
    p.summary->SetCaption("消费总计" + IntText(ClampCount(n.count)) + "次，合计总额" +
                          IntText(money.Value()) + "元");
}

void Records::RerunRecordQuery(RecordPage page) {
    const std::string type = Parts(program_.window(), page).query_type->Text();
    if (type == kQueryAll) {
        QueryAll(page);
    } else if (type == kQueryMember) {
        QueryMember(page);
    }
}

// ---- date filter

void Records::ApplyDatePreset(RecordPage page, DatePreset preset) {
    const PageParts p = Parts(program_.window(), page);
    Clock& clock = program_.clock;
    // Each box reads now for itself, in the order the preset writes them.
    auto now = [&clock] { return clock.Now(); };
    bool& writing = writing_dates_[static_cast<size_t>(page)];
    writing = true;
    switch (preset) {
        case DatePreset::Today:
            p.start->SetValue(now());
            p.end->SetValue(now());
            break;
        case DatePreset::Yesterday:
            p.start->SetValue(AddDays(now(), -1));
            p.end->SetValue(AddDays(now(), -1));
            break;
        case DatePreset::Last7Days:
            p.start->SetValue(AddDays(now(), -7));
            p.end->SetValue(now());
            break;
        case DatePreset::ThisMonth:
            p.start->SetValue(ParseDateTimeText(FormatFirstDayOfMonth(now())));
            p.end->SetValue(ParseDateTimeText(FormatLastDayOfMonth(now())));
            break;
        case DatePreset::LastMonth:
            p.start->SetValue(ParseDateTimeText(FormatFirstDayOfPreviousMonth(now())));
            p.end->SetValue(ParseDateTimeText(FormatLastDayOfPreviousMonth(now())));
            break;
        case DatePreset::Last30Days:
            p.end->SetValue(now());
            p.start->SetValue(AddDays(now(), -30));
            break;
    }
    writing = false;
    RerunRecordQuery(page);
}

void Records::OnRecordDateBoxChanged(RecordPage page) {
    if (writing_dates_[static_cast<size_t>(page)]) {
        return;  // the preset reruns once it has written both boxes
    }
    RerunRecordQuery(page);
}

void Records::ToggleCustomDateRange(RecordPage page) {
    const PageParts p = Parts(program_.window(), page);
    if (p.range->Ticked()) {
        p.panel->Show();
    } else {
        p.panel->Hide();
    }
    RerunRecordQuery(page);
}

// ---- list events and the deletion

void Records::ShowRechargeRecordMenu() {
    if (menus::PopUp(program_.dialogs, menus::k充值操作) == menus::k删除充值记录) {
        DeleteRechargeRecord();
    }
}

void Records::ShowConsumptionRecordMenu() {
    if (menus::PopUp(program_.dialogs, menus::k消费操作) == menus::k删除消费记录) {
        DeleteConsumptionRecord();
    }
}

void Records::SortRechargeList(int column) {
    SortList(RecordPage::Recharge, column);
}

void Records::SortConsumptionList(int column) {
    SortList(RecordPage::Consumption, column);
}

void Records::SortList(RecordPage page, int column) {
    const PageParts p = Parts(program_.window(), page);
    if (column < 0 || static_cast<size_t>(column) >= p.sort_kinds.size()) {
        return;
    }
    const int32_t kind = p.sort_kinds[static_cast<size_t>(column)];
    if (kind != 0) {
        SortListByColumn(program_, *p.list, column, kind);
    }
}

void Records::OnRechargeListKeyDown(int key_code, int /*key_state*/) {
    if (key_code == kKeyDelete) {
        DeleteRechargeRecord();
    }
}

void Records::OnConsumptionListKeyDown(int key_code, int /*key_state*/) {
    if (key_code == kKeyDelete) {
        DeleteConsumptionRecord();
    }
}

void Records::DeleteRechargeRecord() {
    DeleteRecord(RecordPage::Recharge);
}

void Records::DeleteConsumptionRecord() {
    DeleteRecord(RecordPage::Consumption);
}

void Records::DeleteRecord(RecordPage page) {
    if (!IsPrivilegedOperator(program_)) {
        return;
    }
    const PageParts p = Parts(program_.window(), page);
    const int r = p.list->SelectedRow();
    if (r == -1) {
        return;
    }
    const std::string id = p.list->Cell(r, 0);
    const std::string name = p.list->Cell(r, 2);
    const std::string card = p.list->Cell(r, 1);
    if (id.empty()) {
        return;
    }
    if (!DangerConfirmation(program_)) {
        return;
    }
    const std::string note =
        RecordDeletionNote(page, program_.CurrentOperator, program_.clock.Now());
    data::Result deleted;
    const bool recharge = page == RecordPage::Recharge;
    if (const auto write = RecordDeletionWrite(page, note, id)) {
        if (on_statement) {
            on_statement(write->sql);
        }
        deleted = program_.WriteWhileWaiting(*p.spinner, [&] {
            data::PrivateConnection connection;
            return connection.Write(*write);
        });
        if (deleted.unsettled) {
            const std::string card = p.list->Cell(r, 1);
            const std::string what = std::string(recharge ? "充值" : "消费") + "记录ID为" + id +
                                     " " + card + " " + name + " " +
                                     p.list->Cell(r, recharge ? 4 : 6) + "元";
            program_.KeepUnsettled({*write, *deleted.unsettled, card,
                                    "之前未能确认的删除已成功：" + what,
                                    "之前未能确认的删除未成功：" + what});
        }
    }
    if (deleted.Unknown()) {
        program_.ShowBalloonTip("网络异常，无法确认是否已删除，请稍后刷新查看");
    }
    if (deleted) {
        program_.ShowBalloonTip(std::string(p.deleted_balloon) + id + "、用户姓名为：" + name);
        RerunRecordQuery(page);
        program_.members->RefreshSelectedMemberTotals();
        // The record's own member, when another one is selected.
        program_.members->RefreshMemberTotalsOfCard(card);
    }
}

void Records::ShowConsumptionNote() {
    auto& w = program_.window();
    const ReportList& list = *w.超级列表框_会员消费_消费列表;
    const int r = list.SelectedRow();
    if (r == -1) {
        return;
    }
    const std::string text = ConsumptionNoteBalloonText(list.Cell(r, 7));
    const int x = w.Left() + 660;
    const int y = program_.pointer.Position().y();
    // Popped directly: not lifted the way ShowBalloonTip lifts it.
    w.气球提示框1->ShowAt(text, QPoint(x, y));
}

}  // namespace kob
