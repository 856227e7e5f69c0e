#include "records/records.h"

#include <algorithm>
#include <limits>
#include <utility>

#include "app/program.h"
#include "data/db.h"
#include "members/members.h"
#include "platform/core/datetime.h"
#include "platform/core/text.h"
#include "platform/gui/controls.h"
#include "platform/gui/services.h"
#include "records/privileges.h"
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
    ReportList* list;
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
    std::string_view update_head;
    std::string_view update_tail;
    std::string_view note_last_piece;
    std::string_view deleted_balloon;
};

PageParts Parts(MainWindow& w, RecordPage page) {
    if (page == RecordPage::Recharge) {
        return {w.超级列表框_会员充值_充值列表,
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
                "UPDATE `kobrelan`.`paylist` SET `pay_del` = 1,`pay_notes`='",
                "' WHERE `pay_id` = ",
                "删除了本条充值记录",
                "删除充值记录成功，ID为："};
    }
    return {w.超级列表框_会员消费_消费列表,
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
            "UPDATE `kobrelan`.`costlist` SET `cost_del` = 1,`cost_notes`='",
            "' WHERE `cost_id` = ",
            "删除了本条消费记录",
            "删除消费记录成功，ID为："};
}

// Sums of a load: 32-bit, held at the limits rather than wrapping.
class Sum {
  public:
    void Add(const std::string& text) { total_ += ToInt32(text); }
    int32_t Value() const {
        return static_cast<int32_t>(std::clamp<int64_t>(total_, std::numeric_limits<int32_t>::min(),
                                                        std::numeric_limits<int32_t>::max()));
    }

  private:
    int64_t total_ = 0;
};

void AddOperatorCell(CellColumn& cells, const std::string& boss_id, const std::string& boss_name) {
    cells.Append("[");
    cells.Append(boss_id);
    cells.Append("]");
    cells.Append(boss_name);
    cells.EndCell();
}

// The fields of a record in the order of their columns' names below.
constexpr std::array<std::string_view, 12> kRechargeFields = {
    "pay_id",    "pay_time", "pay_money", "pay_give",  "pay_total", "pay_method",
    "pay_notes", "pay_del",  "user_id",   "user_name", "boss_id",   "boss_name"};
constexpr std::array<std::string_view, 12> kConsumptionFields = {
    "cost_id", "cost_notes", "cost_money", "cost_del",  "cost_date", "xm_id",
    "xm_name", "xm_money",   "user_id",    "user_name", "boss_id",   "boss_name"};

std::array<std::string*, 12> FieldsOf(RechargeRecord& r) {
    return {&r.pay_id,    &r.pay_time, &r.pay_money, &r.pay_give,  &r.pay_total, &r.pay_method,
            &r.pay_notes, &r.pay_del,  &r.user_id,   &r.user_name, &r.boss_id,   &r.boss_name};
}
std::array<std::string*, 12> FieldsOf(ConsumptionRecord& r) {
    return {&r.cost_id, &r.cost_notes, &r.cost_money, &r.cost_del,  &r.cost_date, &r.xm_id,
            &r.xm_name, &r.xm_money,   &r.user_id,    &r.user_name, &r.boss_id,   &r.boss_name};
}

// The columns' indexes in the result, looked up by name once per load.
std::array<int, 12> ColumnIndexes(const data::RecordSet& set,
                                  const std::array<std::string_view, 12>& names) {
    std::array<int, 12> at{};
    for (size_t i = 0; i < names.size(); ++i) {
        at[i] = set.ColumnIndex(names[i]);
    }
    return at;
}

// Refills all twelve fields from the current row; the texts keep their
// buffers from row to row.
void ReadFields(const data::RecordSet& set, const std::array<int, 12>& at,
                const std::array<std::string*, 12>& fields) {
    for (size_t i = 0; i < fields.size(); ++i) {
        fields[i]->clear();
        AppendGbkAsUtf8(*fields[i], set.RawText(at[i]));
    }
}

// Once the first rows are in, room for all of them at their average size,
// so the columns are not copied while they grow.
void ReserveLikeFirstRows(std::vector<CellColumn>& cells, size_t rows_done, size_t rows) {
    for (auto& column : cells) {
        const size_t average = column.ByteCount() / std::max<size_t>(rows_done, 1);
        column.Reserve(rows, (average + average / 4 + 1) * rows);
    }
}

constexpr size_t kSampleRows = 1024;

// The statement of a load, from its page's fragments.
std::string QueryStatement(std::string_view head, std::string_view time_column,
                           std::string_view order, const std::string& card, bool use_range,
                           const std::string& start, const std::string& end, bool newest_first) {
    std::string sql(head);
    if (!card.empty()) {
        if (!IsWholeNumber(card)) {
            return {};
        }
        sql += " AND `user_id` =" + card;
    }
    if (use_range) {
        sql += " AND `";
        sql += time_column;
        sql += "` > '" + EscapeSqlText(start) + "' AND `";
        sql += time_column;
        sql += "` < '" + EscapeSqlText(end) + "'";
    }
    if (newest_first) {
        sql += order;
    }
    return sql;
}

}  // namespace

void ReadRechargeRow(data::RecordSet& set, RechargeRecord& record, int row_number) {
    set.MoveTo(static_cast<uint64_t>(row_number - 1));
    ReadFields(set, ColumnIndexes(set, kRechargeFields), FieldsOf(record));
}

void ReadConsumptionRow(data::RecordSet& set, ConsumptionRecord& record, int row_number) {
    set.MoveTo(static_cast<uint64_t>(row_number - 1));
    ReadFields(set, ColumnIndexes(set, kConsumptionFields), FieldsOf(record));
}

void AddRechargeCells(const RechargeRecord& r, std::vector<CellColumn>& cells) {
    cells.resize(10);
    cells[0].Add(r.pay_id);
    cells[1].Add(r.user_id);
    cells[2].Add(r.user_name);
    cells[3].Add(r.pay_time);
    cells[4].Add(r.pay_money);
    cells[5].Add(r.pay_give);
    cells[6].Add(r.pay_total);
    cells[7].Add(r.pay_method);
    cells[8].Add(r.pay_notes);
    AddOperatorCell(cells[9], r.boss_id, r.boss_name);
}

void AddConsumptionCells(const ConsumptionRecord& r, std::vector<CellColumn>& cells) {
    cells.resize(9);
    cells[0].Add(r.cost_id);
    cells[1].Add(r.user_id);
    cells[2].Add(r.user_name);
    cells[3].Add(r.cost_date);
    cells[4].Add(r.xm_name);
    cells[5].Add(r.xm_money);
    cells[6].Add(r.cost_money);
    CellColumn& notes = cells[7];
    if (!r.xm_id.empty()) {
        notes.Append(kOneItem);
        notes.Append(kNoteBreak);
        notes.Append(r.cost_notes);
    } else if (r.xm_name.empty() || r.cost_notes.empty()) {
        notes.Append(r.xm_name);  // one of them, or nothing
        notes.Append(r.cost_notes);
    } else {
        notes.Append(r.xm_name);
        notes.Append(kNoteBreak);
        notes.Append(r.cost_notes);
    }
    notes.EndCell();
    if (r.boss_id.empty()) {
        cells[8].EndCell();
    } else {
        AddOperatorCell(cells[8], r.boss_id, r.boss_name);
    }
}

std::string RechargeQueryStatement(const std::string& card, bool use_range,
                                   const std::string& start, const std::string& end,
                                   bool newest_first) {
    return QueryStatement("SELECT * FROM `kobrelan`.`paylist` WHERE `pay_del` <> 1", "pay_time",
                          " ORDER BY `pay_id` DESC", card, use_range, start, end, newest_first);
}

std::string ConsumptionQueryStatement(const std::string& card, bool use_range,
                                      const std::string& start, const std::string& end,
                                      bool newest_first) {
    return QueryStatement("SELECT * FROM `kobrelan`.`costlist` WHERE `cost_del` <> 1", "cost_date",
                          " ORDER BY `cost_id` DESC", card, use_range, start, end, newest_first);
}

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

std::string DeletionNote(const OperatorTexts& op, double now, std::string_view last_piece) {
    std::string note = "管理员";
    note += op.boss_name;
    note += "[";
    note += op.boss_tel;
    note += "][";
    note += op.boss_id;
    note += "]于";
    note += FormatDateTimeText(now, "yyyy-MM-dd ", "hh:mm:ss");
    note += last_piece;
    return note;
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
    if (program_.LoggedIn == 0) {
        return;
    }
    auto& w = program_.window();
    w.选择夹1->SetCurrentPage(1);
    w.超级列表框_会员充值_充值列表->DeleteAllRows();
    if (w.外形框_当前用户->Visible()) {
        QueryMemberRecharges();
    }
}

void Records::ShowConsumptionPage() {
    if (program_.LoggedIn == 0) {
        return;
    }
    auto& w = program_.window();
    w.选择夹1->SetCurrentPage(2);
    w.超级列表框_会员消费_消费列表->DeleteAllRows();
    if (w.外形框_当前用户->Visible()) {
        QueryMemberConsumption();
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
int32_t Records::RunLoadStatement(data::SharedSession& session, const std::string& sql) {
    if (sql.empty()) {
        return 0;
    }
    if (on_statement) {
        on_statement(sql);
    }
    return session.RunQuery(sql);
}

void Records::LoadRechargeRecords(ReportList& list, const std::string& card, bool use_range,
                                  const std::string& start, const std::string& end) {
    auto& w = program_.window();
    list.DeleteAllRows();
    auto session = program_.db.Acquire();
    session.GetDbConnection();
    const int32_t n = RunLoadStatement(
        session,
        RechargeQueryStatement(card, use_range, start, end, w.选择框_新纪录在最前->Ticked()));
    data::RecordSet& set = session.SharedRecordSet();
    const std::array<int, 12> at = ColumnIndexes(set, kRechargeFields);
    std::vector<CellColumn> cells(10);
    RechargeRecord record;
    const auto fields = FieldsOf(record);
    int32_t count = 0;
    Sum paid;
    Sum bonus;
    Sum total;
    for (int32_t i = 1; i <= n; ++i) {
        set.MoveTo(static_cast<uint64_t>(i - 1));
        ReadFields(set, at, fields);
        if (ToInt32(record.pay_give) == 0) {
            record.pay_give.clear();
        }
        AddRechargeCells(record, cells);
        ++count;
        paid.Add(record.pay_money);
        bonus.Add(record.pay_give);
        total.Add(record.pay_total);
        if (static_cast<size_t>(i) == kSampleRows) {
            ReserveLikeFirstRows(cells, kSampleRows, static_cast<size_t>(n));
        }
    }
    session.FreeSharedRecordSet();
    list.AddColumns(std::move(cells));
    Parts(w, RecordPage::Recharge)
        .summary->SetCaption("充值" + IntText(count) + "次，实付" + IntText(paid.Value()) +
                             "元，赠送" + IntText(bonus.Value()) + "元，合计" +
                             IntText(total.Value()) + "元");
}

void Records::LoadConsumptionRecords(ReportList& list, const std::string& card, bool use_range,
                                     const std::string& start, const std::string& end) {
    auto& w = program_.window();
    list.DeleteAllRows();
    auto session = program_.db.Acquire();
    session.GetDbConnection();
    const int32_t n = RunLoadStatement(
        session,
        ConsumptionQueryStatement(card, use_range, start, end, w.选择框_新纪录在最前->Ticked()));
    data::RecordSet& set = session.SharedRecordSet();
    const std::array<int, 12> at = ColumnIndexes(set, kConsumptionFields);
    std::vector<CellColumn> cells(9);
    ConsumptionRecord record;
    const auto fields = FieldsOf(record);
    int32_t count = 0;
    Sum money;
    for (int32_t i = 1; i <= n; ++i) {
        set.MoveTo(static_cast<uint64_t>(i - 1));
        ReadFields(set, at, fields);
        if (record.xm_name == kNoItems) {
            record.xm_name.clear();
        }
        AddConsumptionCells(record, cells);
        ++count;
        money.Add(record.cost_money);
        if (static_cast<size_t>(i) == kSampleRows) {
            ReserveLikeFirstRows(cells, kSampleRows, static_cast<size_t>(n));
        }
    }
    session.FreeSharedRecordSet();
    list.AddColumns(std::move(cells));
    Parts(w, RecordPage::Consumption)
        .summary->SetCaption("消费总计" + IntText(count) + "次，合计总额" + IntText(money.Value()) +
                             "元");
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
    if (column < 0 || static_cast<size_t>(column) >= kRechargeSortKinds.size()) {
        return;
    }
    const int32_t kind = kRechargeSortKinds[static_cast<size_t>(column)];
    if (kind != 0) {
        SortListByColumn(program_, *program_.window().超级列表框_会员充值_充值列表, column, kind);
    }
}

void Records::SortConsumptionList(int column) {
    if (column < 0 || static_cast<size_t>(column) >= kConsumptionSortKinds.size()) {
        return;
    }
    const int32_t kind = kConsumptionSortKinds[static_cast<size_t>(column)];
    if (kind != 0) {
        SortListByColumn(program_, *program_.window().超级列表框_会员消费_消费列表, column, kind);
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
    if (id.empty()) {
        return;
    }
    if (!DangerConfirmation(program_)) {
        return;
    }
    data::PrivateConnection connection;
    const std::string note =
        DeletionNote(program_.CurrentOperator, program_.clock.Now(), p.note_last_piece);
    // The note carries operator texts: escaped, so a quote cannot break it.
    const std::string sql =
        std::string(p.update_head) + EscapeSqlText(note) + std::string(p.update_tail) + id;
    bool deleted = false;
    if (IsWholeNumber(id)) {
        if (on_statement) {
            on_statement(sql);
        }
        deleted = connection.Execute(sql);
    }
    if (deleted) {
        program_.ShowBalloonTip(std::string(p.deleted_balloon) + id + "、用户姓名为：" + name);
        RerunRecordQuery(page);
        program_.members->RefreshSelectedMemberTotals();
    }
    // The connection closes here, after success as after failure.
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
