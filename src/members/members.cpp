#include "members/members.h"

#include <algorithm>
#include <array>
#include <condition_variable>
#include <limits>
#include <mutex>
#include <system_error>
#include <thread>

#include "app/privileges.h"
#include "app/program.h"
#include "data/config.h"
#include "data/db.h"
#include "members/member_statements.h"
#include "platform/core/datetime.h"
#include "platform/core/text.h"
#include "platform/core/thread.h"
#include "platform/gui/services.h"
#include "ui/layout.h"
#include "ui/main_window.h"
#include "ui/menus.h"
#include "ui/sort.h"

namespace kob {
namespace {

// Texts the operator sees.
constexpr const char* kCardEmpty = "会员卡号不能为空";
constexpr const char* kCardNotNumber = "会员卡号只能是数字";
constexpr const char* kNameEmpty = "会员姓名不能为空";
constexpr const char* kCardTaken = "该会员卡号已经存在，请更换卡号";
constexpr const char* kMemberCreated = "新增会员成功";
constexpr const char* kMemberCreatedRecharged = "新增会员成功，充值成功";
constexpr const char* kMemberCreatedRechargeFailed = "新增会员成功，但充值失败，请为该会员重新充值";
constexpr const char* kRechargeDone = "充值成功";
constexpr const char* kRechargeFailed = "充值失败，请稍后重试";
// The server could not be reached to learn whether a write took effect.
constexpr const char* kRechargeUnknown = "网络异常，无法确认充值是否成功，请先查看充值记录再操作";
constexpr const char* kMemberCreatedRechargeUnknown =
    "新增会员成功，但无法确认充值是否成功，请先查看充值记录再操作";
constexpr const char* kMemberCreateFailed = "新增会员失败，请稍后重试";
constexpr const char* kMemberCreateUnknown = "网络异常，无法确认会员是否已添加，请刷新会员列表查看";
constexpr const char* kAddAnother = "会员添加成功，是否继续新增会员？";
constexpr const char* kTitleHint = "温馨提示";
constexpr const char* kEarlierRechargeDone = "之前未能确认的充值已成功：";
constexpr const char* kEarlierRechargeNotDone = "之前未能确认的充值未成功：";
constexpr const char* kEarlierMemberDone = "之前未能确认的新会员已添加：";
constexpr const char* kEarlierMemberNotDone = "之前未能确认的新会员未添加：";
constexpr const char* kMemberDeleteUnknown = "网络异常，无法确认会员是否已删除，请刷新会员列表查看";
constexpr const char* kRenameUnknown = "网络异常，无法确认姓名是否已修改，请刷新会员列表查看";
constexpr const char* kPhoneUnknown = "网络异常，无法确认手机号是否已修改，请刷新会员列表查看";
constexpr const char* kNoPermission = "您没有权限，请更换账号后使用";
constexpr const char* kNothingDone = "未进行操作";
constexpr const char* kMemberDeleted = "删除会员成功，卡号为：";
constexpr const char* kMemberDeletedName = "、会员姓名为：";
constexpr const char* kRenamePrompt = "请输入新的会员姓名";
constexpr const char* kRenameTitle = "修改姓名";
constexpr const char* kRenamed = "修改姓名成功";
constexpr const char* kPhonePrompt = "请输入新的手机号码";
constexpr const char* kPhoneTitle = "修改电话";
constexpr const char* kPhoneChanged = "修改电话成功";

// A count or sum of 0 shows as an empty cell.
std::string TotalText(int32_t v) {
    return v == 0 ? std::string() : IntText(v);
}

bool Contains(const std::vector<int32_t>& sorted, int32_t card) {
    return std::binary_search(sorted.begin(), sorted.end(), card);
}

}  // namespace

void ReadMemberRow(data::RecordSet& set, MemberRecord& record, int row_number) {
    set.MoveTo(static_cast<uint64_t>(row_number - 1));
    record.user_id = set.Text("user_id");
    record.user_del = set.Text("user_del");
    record.user_name = set.Text("user_name");
    record.user_tel = set.Text("user_tel");
    record.user_key = set.Text("user_key");
    record.user_add = set.Text("user_add");
    record.user_wxid = set.Text("user_wxid");
    record.user_notes = set.Text("user_notes");
}

MemberTotalsResult ComputeMemberTotals(std::vector<int32_t> cards) {
    MemberTotalsResult result;
    std::sort(cards.begin(), cards.end());
    cards.erase(std::unique(cards.begin(), cards.end()), cards.end());
    cards.erase(std::remove(cards.begin(), cards.end(), 0), cards.end());
    result.cards = std::move(cards);
    if (result.cards.empty()) {
        return result;  // no connection for a list without members
    }
    // Every member's records are needed: the covering (user_id, ...) indexes
    // hand each card's rows over in card order without reading the rows.
    // One pass: its own connection, one statement, the groups of the listed cards.
    auto run_pass = [&result](bool& ran, bool& unread, const std::string& sql, auto&& add_group) {
        data::PrivateConnection connection;
        data::RecordSet set = connection.Query(sql);
        if (set.Failed()) {
            unread = true;  // its cells keep what they show
            return;
        }
        ran = true;
        const uint64_t n = set.RowCount();
        for (uint64_t r = 0; r < n; ++r) {
            set.MoveTo(r);
            const int32_t card = set.Int32("user_id");
            if (Contains(result.cards, card)) {
                add_group(card, set);
            }
        }
    };
    auto pay_pass = [&] {
        run_pass(result.pay_ran, result.pay_unread, PayTotalsByMemberQuery(),
                 [&](int32_t card, const data::RecordSet& set) {
                     AddTotals(result.pay[card], ReadPayTotals(set));
                 });
    };
    auto cost_pass = [&] {
        run_pass(result.cost_ran, result.cost_unread, CostTotalsByMemberQuery(),
                 [&](int32_t card, const data::RecordSet& set) {
                     AddTotals(result.cost[card], ReadCostTotals(set));
                 });
    };
    // The two passes share nothing but the card numbers: side by side, each
    // on its own connection, the totals take the time of the longer one.
    std::thread cost_thread;
    try {
        cost_thread = std::thread(cost_pass);
    } catch (const std::system_error&) {
    }
    pay_pass();
    if (cost_thread.joinable()) {
        cost_thread.join();
    } else {
        cost_pass();
    }
    return result;
}

namespace {

void SetCellIfChanged(ReportList& list, int row, int column, std::string text) {
    if (list.Cell(row, column) != text) {
        list.SetCell(row, column, text);
    }
}

}  // namespace

namespace {

// Columns 3 to 8 from a member's totals, a count or sum of 0 empty; a pass
// that did not run (nullptr) leaves its cells' texts as they are.
void SetTotalsTexts(TotalsTexts& texts, const PayTotals* pay, const CostTotals* cost) {
    auto text = [&texts](int column) -> std::string& {
        return texts[static_cast<size_t>(column - kMemberPayCount)];
    };
    if (pay != nullptr) {
        text(kMemberPayCount) = TotalText(pay->count);
        text(kMemberPayMoney) = TotalText(pay->money);
        text(kMemberPayTotal) = TotalText(pay->total);
    }
    if (cost != nullptr) {
        text(kMemberCostCount) = TotalText(cost->count);
        text(kMemberCostMoney) = TotalText(cost->money);
        text(kMemberBalance) = IntText(int64_t{ToInt32(text(kMemberPayTotal))} - cost->money);
    }
}

// Columns 3 to 8 of row as the totals make them; a pass that did not run
// leaves its cells as they are, and so does a row whose card is not among
// those asked for (false).
bool MakeTotalsTexts(const ReportList& list, int row, const MemberTotalsResult& result,
                     TotalsTexts& texts) {
    for (int c = kMemberPayCount; c < kMemberColumns; ++c) {
        texts[static_cast<size_t>(c - kMemberPayCount)] = list.CellView(row, c);
    }
    const int32_t card = ToInt32(list.CellView(row, kMemberCard));
    if (card == 0 || !Contains(result.cards, card)) {
        return false;
    }
    PayTotals pay;
    if (auto it = result.pay.find(card); it != result.pay.end()) {
        pay = it->second;
    }
    CostTotals cost;
    if (auto it = result.cost.find(card); it != result.cost.end()) {
        cost = it->second;
    }
    SetTotalsTexts(texts, result.pay_ran ? &pay : nullptr, result.cost_ran ? &cost : nullptr);
    return true;
}

}  // namespace

bool WriteMemberTotals(ReportList& list, int row, const MemberTotalsResult& result) {
    TotalsTexts texts;
    if (!MakeTotalsTexts(list, row, result, texts)) {
        return false;
    }
    for (int c = kMemberPayCount; c < kMemberColumns; ++c) {
        SetCellIfChanged(list, row, c, texts[static_cast<size_t>(c - kMemberPayCount)]);
    }
    return true;
}

// Lets the destructor wait for a worker that still runs.
struct Members::WorkerSync {
    std::mutex mutex;
    std::condition_variable idle;
    int active = 0;
};

Members::Members(Program& program) : program_(program), sync_(std::make_shared<WorkerSync>()) {}

Members::~Members() {
    std::unique_lock lock(sync_->mutex);
    sync_->idle.wait(lock, [&] { return sync_->active == 0; });
}

void Members::BindEvents() {
    auto& w = program_.window();
    w.按钮_会员管理->on_clicked = [this] { ShowMembersPage(); };
    w.编辑框_会员管理_搜索->on_text_changed = [this] { FilterMemberList(); };
    w.按钮_会员管理_搜索->on_clicked = [this] { ResetMemberSearch(); };
    w.按钮_新增会员->on_clicked = [this] { OpenNewMemberPanel(); };
    w.按钮_充值->on_clicked = [this] { OpenRechargePanel(); };
    auto& list = *w.超级列表框_会员管理_会员列表;
    list.on_current_row_changed = [this] { OnMemberListItemChanged(); };
    list.on_key_down = [this](int key, int state) { OnMemberListKeyDown(key, state); };
    list.on_right_click = [this] { ShowMemberMenu(); };
    list.on_column_click = [this](int column) { SortMemberList(column); };
    w.按钮_会员管理_新增会员_获取卡号->on_clicked = [this] { FillNextCardNumber(); };
    w.组合框_充值管理_充值方式->on_item_chosen = [this] { SaveDefaultPaymentMethod(); };
    w.编辑框_新增会员_充值金额->on_text_changed = [this] { OnRechargeAmountChanged(); };
    w.编辑框_新增会员_充值赠送->on_text_changed = [this] { OnRechargeBonusChanged(); };
    w.按钮_会员管理_新增会员_确定->on_left_button_down = [this](int, int, int) {
        ConfirmMemberPanel();
    };
    w.按钮_会员管理_新增会员_取消->on_left_button_down = [this](int, int, int) {
        CloseMemberPanel();
    };
    w.时钟1->on_tick = [this] { RefreshCurrentMemberBox(); };
    // A member settled late (or a member that landed late) is read again,
    // with the search the operator typed kept.
    // A member whose write was settled late: its row is read again in
    // place, so a handler under way keeps its rows. A member that landed late
    // shows at the next load.
    program_.on_member_changed = [this](const std::string& card) {
        const int row = SelectedMemberRow();
        if (row >= 0 &&
            program_.window().超级列表框_会员管理_会员列表->Cell(row, kMemberCard) == card) {
            if (RefreshSelectedMemberTotals()) {
                SyncSpareMemberList(true);
            }
        } else {
            RefreshMemberTotalsOfCard(card);
        }
    };
}

void Members::ShowMembersPage() {
    auto& w = program_.window();
    w.载入条->Hide();
    if (program_.LoggedIn == 0) {
        return;
    }
    w.选择夹1->SetCurrentPage(0);
    if (w.编辑框_会员管理_搜索->Text().empty() && w.超级列表框_会员管理_会员列表->RowCount() == 0) {
        program_.MemberListRefreshing = 1;
        ReloadMemberList();
    }
}

void Members::ReloadMemberList() {
    if (LoadMemberList()) {
        RefreshAllMemberTotals();
    } else {
        program_.MemberListRefreshing = 0;
    }
}

int Members::SelectedMemberRow() const {
    return program_.main_window ? program_.window().超级列表框_会员管理_会员列表->SelectedRow()
                                : -1;
}

bool Members::LoadMemberList() {
    auto& w = program_.window();
    auto& list = *w.超级列表框_会员管理_会员列表;
    auto& spare = *w.超级列表框_会员管理_会员列表备用;
    const std::string sql = MemberListQuery(w.选择框_新纪录在最前->Ticked());
    std::vector<std::vector<std::string>> rows;
    const bool read = program_.ReadWhileWaiting(*w.载入条_会员, [&] {
        auto session = program_.db.Acquire();
        const data::Rows found = session.RunQuery(sql);
        const auto n = static_cast<int32_t>(std::min<int64_t>(found.count, INT32_MAX));
        rows.reserve(static_cast<size_t>(n));
        MemberRecord record;
        for (int32_t r = 1; r <= n; ++r) {
            ReadMemberRow(session.SharedRecordSet(), record, r);
            std::vector<std::string> cells(kMemberColumns);
            cells[kMemberCard] = std::move(record.user_id);
            cells[kMemberName] = std::move(record.user_name);
            cells[kMemberPhone] = std::move(record.user_tel);
            rows.push_back(std::move(cells));
        }
        session.FreeSharedRecordSet();
        return !found.Failed();
    });
    if (!read) {
        program_.TellReadFailed();
        return false;
    }
    list.DeleteAllRows();
    spare.DeleteAllRows();
    ++load_generation_;
    list.AddRows(rows);
    spare.AddRows(std::move(rows));
    RebuildSpareIndex();
    return true;
}

void Members::RebuildSpareIndex() {
    auto& spare = *program_.window().超级列表框_会员管理_会员列表备用;
    const int n = spare.RowCount();
    search_keys_.clear();
    search_keys_.reserve(static_cast<size_t>(n));
    spare_row_of_card_.clear();
    spare_row_of_card_.reserve(static_cast<size_t>(n));
    for (int r = 0; r < n; ++r) {
        search_keys_.push_back(MakeMemberSearchKey(spare.Cell(r, kMemberName)));
        spare_row_of_card_.emplace(spare.Cell(r, kMemberCard), r);  // keeps the first
    }
}

void Members::UpdateSearchKey(int spare_row) {
    if (spare_row >= 0 && static_cast<size_t>(spare_row) < search_keys_.size()) {
        search_keys_[static_cast<size_t>(spare_row)] = MakeMemberSearchKey(
            program_.window().超级列表框_会员管理_会员列表备用->Cell(spare_row, kMemberName));
    }
}

int Members::SpareRowOfCard(const std::string& card) const {
    auto it = spare_row_of_card_.find(card);
    return it == spare_row_of_card_.end() ? -1 : it->second;
}

void Members::RefreshAllMemberTotals() {
    auto& w = program_.window();
    w.载入条_会员->Show();
    w.repaint();
    TotalsRequest request;
    request.generation = load_generation_;
    const auto& list = *w.超级列表框_会员管理_会员列表;
    const int n = list.RowCount();
    request.cards.reserve(static_cast<size_t>(n));
    for (int r = 0; r < n; ++r) {
        request.cards.push_back(ToInt32(list.Cell(r, kMemberCard)));
    }
    if (worker_running_) {
        pending_request_ = std::move(request);  // a newer load replaces an older wish
        return;
    }
    LaunchTotalsWorker(std::move(request));
}

void Members::LaunchTotalsWorker(TotalsRequest request) {
    worker_running_ = true;
    refreshed_during_worker_.clear();
    {
        std::lock_guard lock(sync_->mutex);
        ++sync_->active;
    }
    const bool started =
        StartWorkerThread([this, sync = sync_, alive = std::weak_ptr<int>(alive_),
                           hook = before_totals_handoff, request = std::move(request)]() mutable {
            // Shared, so handing it over copies no map.
            auto result =
                std::make_shared<MemberTotalsResult>(ComputeMemberTotals(std::move(request.cards)));
            if (hook) {
                hook(request.generation);
            }
            RunOnWindowThread([this, alive, generation = request.generation, result] {
                if (alive.lock()) {
                    OnTotalsComputed(generation, *result);
                }
            });
            std::lock_guard lock(sync->mutex);
            --sync->active;
            sync->idle.notify_all();
        });
    if (started) {
        ++workers_started_;
        return;
    }
    // No thread: only this load's totals stay undone; the next load starts
    // a worker again.
    {
        std::lock_guard lock(sync_->mutex);
        --sync_->active;
        sync_->idle.notify_all();
    }
    worker_running_ = false;
    refreshed_during_worker_.clear();
    program_.window().载入条_会员->Hide();
    program_.MemberListRefreshing = 0;
}

void Members::OnTotalsComputed(uint64_t generation, const MemberTotalsResult& result) {
    worker_running_ = false;
    auto& w = program_.window();
    const bool current = generation == load_generation_;
    if (current) {
        // A row recomputed meanwhile keeps its newer totals, in both lists.
        // Each column is built whole and handed over at once: a cell at a
        // time costs a window-thread call and a repaint request per cell.
        auto write_list = [&](ReportList& list) {
            const int n = list.RowCount();
            std::array<CellColumn, kMemberColumns - kMemberPayCount> columns;
            for (auto& column : columns) {
                column.Reserve(static_cast<size_t>(n), static_cast<size_t>(n) * 4);
            }
            TotalsTexts texts;
            for (int r = 0; r < n; ++r) {
                const auto it =
                    refreshed_during_worker_.find(ToInt32(list.CellView(r, kMemberCard)));
                if (it != refreshed_during_worker_.end()) {
                    texts = it->second;
                } else {
                    MakeTotalsTexts(list, r, result, texts);
                }
                for (size_t c = 0; c < columns.size(); ++c) {
                    columns[c].Add(texts[c]);
                }
            }
            for (size_t c = 0; c < columns.size(); ++c) {
                list.SetColumnCells(kMemberPayCount + static_cast<int>(c), std::move(columns[c]));
            }
        };
        write_list(*w.超级列表框_会员管理_会员列表);
        // The copy into the spare list, by card number: rows that a search has
        // hidden meanwhile get their totals too.
        write_list(*w.超级列表框_会员管理_会员列表备用);
    }
    refreshed_during_worker_.clear();
    if (current && result.Unread()) {
        program_.TellReadFailed();
    }
    if (after_totals_handoff) {
        after_totals_handoff(generation, current);
    }
    if (pending_request_) {
        TotalsRequest next = std::move(*pending_request_);
        pending_request_.reset();
        LaunchTotalsWorker(std::move(next));
        return;
    }
    w.载入条_会员->Hide();
    program_.MemberListRefreshing = 0;
}

bool Members::RefreshSelectedMemberTotals(bool asked_by_checkout_fill) {
    return RefreshMemberRowTotals(SelectedMemberRow(), asked_by_checkout_fill);
}

void Members::RefreshMemberTotalsOfCard(const std::string& card) {
    auto& w = program_.window();
    const auto& list = *w.超级列表框_会员管理_会员列表;
    int row = -1;
    for (int r = 0, n = list.RowCount(); r < n && !card.empty(); ++r) {
        if (list.CellView(r, kMemberCard) == card) {
            row = r;
            break;
        }
    }
    if (row >= 0 && row == SelectedMemberRow()) {
        return;
    }
    const int spare_row = SpareRowOfCard(card);
    auto& spare = *w.超级列表框_会员管理_会员列表备用;
    if (row >= 0) {
        RefreshMemberRowTotals(row, false);
        if (spare_row >= 0) {
            for (int c = kMemberPayCount; c < kMemberColumns; ++c) {
                SetCellIfChanged(spare, spare_row, c, list.Cell(row, c));
            }
        }
        return;
    }
    // Hidden by a search: its spare row is what the list shows again once
    // the search is cleared.
    if (spare_row < 0 || ToInt32(card) == 0) {
        return;
    }
    if (const auto texts = ReadTotalsTexts(card)) {
        for (int c = kMemberPayCount; c < kMemberColumns; ++c) {
            SetCellIfChanged(spare, spare_row, c,
                             (*texts)[static_cast<size_t>(c - kMemberPayCount)]);
        }
    }
}

std::optional<TotalsTexts> Members::ReadTotalsTexts(const std::string& card) {
    PayTotals pay;
    CostTotals cost;
    // The card stands bare in the statement: a text that is not a whole
    // number has none, and its totals count as 0.
    if (const std::string sql = MemberTotalsQuery(card); !sql.empty()) {
        // Both sums in one statement on the shared connection: one wait for
        // the server, no connect.
        const bool read = program_.ReadWhileWaiting(*program_.window().载入条_会员, [&] {
            auto session = program_.db.Acquire();
            const data::RecordSet set = session.Query(sql);
            if (set.Failed()) {
                return false;
            }
            if (set.RowCount() > 0) {
                pay = ReadPayTotals(set);
                cost = ReadCostTotals(set);
            }
            return true;
        });
        if (!read) {
            program_.TellReadFailed();
            return std::nullopt;
        }
    }
    TotalsTexts texts;
    SetTotalsTexts(texts, &pay, &cost);
    if (worker_running_) {
        refreshed_during_worker_[ToInt32(card)] = texts;
    }
    return texts;
}

bool Members::RefreshMemberRowTotals(int row, bool asked_by_checkout_fill) {
    if (row < 0 || (asked_by_checkout_fill && refilling_after_refresh_)) {
        return true;
    }
    auto& w = program_.window();
    auto& list = *w.超级列表框_会员管理_会员列表;
    {
        const std::string card = list.Cell(row, kMemberCard);
        if (ToInt32(card) == 0) {
            return true;
        }
        const auto texts = ReadTotalsTexts(card);
        if (!texts) {
            return false;
        }
        for (int c = kMemberPayCount; c < kMemberColumns; ++c) {
            list.SetCell(row, c, (*texts)[static_cast<size_t>(c - kMemberPayCount)]);
        }
    }
    if (row == SelectedMemberRow() && w.外形框_快速消费->Visible() && !asked_by_checkout_fill) {
        w.编辑框_快速消费_现有余额->SetText(list.Cell(row, kMemberBalance));
        if (open_checkout_panel) {
            refilling_after_refresh_ = true;
            open_checkout_panel();
            refilling_after_refresh_ = false;
        }
    }
    return true;
}

void Members::SyncSpareMemberList(bool selected_only) {
    auto& w = program_.window();
    auto& list = *w.超级列表框_会员管理_会员列表;
    auto& spare = *w.超级列表框_会员管理_会员列表备用;
    auto copy_row = [&](int row) {
        const int target = SpareRowOfCard(list.Cell(row, kMemberCard));
        if (target < 0) {
            return;
        }
        bool renamed = false;
        for (int c = kMemberName; c < kMemberColumns; ++c) {
            const std::string& text = list.Cell(row, c);
            if (spare.Cell(target, c) != text) {
                renamed |= c == kMemberName;
                spare.SetCell(target, c, text);
            }
        }
        if (renamed) {
            UpdateSearchKey(target);
        }
    };
    if (selected_only) {
        const int row = SelectedMemberRow();
        if (row >= 0) {
            copy_row(row);
        }
        return;
    }
    for (int r = 0, n = list.RowCount(); r < n; ++r) {
        copy_row(r);
    }
}

void Members::RefreshCurrentMemberBox() {
    auto& w = program_.window();
    const int row = SelectedMemberRow();
    if (row < 0) {
        w.外形框_当前用户->Hide();
        return;
    }
    const auto& list = *w.超级列表框_会员管理_会员列表;
    w.外形框_当前用户->Show();
    w.编辑框_全局_姓名->SetText(list.Cell(row, kMemberName));
    w.编辑框_全局_卡号->SetText(list.Cell(row, kMemberCard));
    w.编辑框_全局_余额->SetText(IntText(ToInt32(list.Cell(row, kMemberBalance))));
}

void Members::OnMemberListItemChanged() {
    auto& w = program_.window();
    if (w.外形框_快速消费->Visible() && open_checkout_panel) {
        open_checkout_panel();
    }
    if (w.外形框_新增会员->Visible()) {
        OpenRechargePanel();
    }
}

void Members::OpenNewMemberPanel() {
    auto& w = program_.window();
    w.选择框_关闭时刷新用户列表->SetTicked(false);
    w.外形框_快速消费->Hide();
    w.编辑框_新增会员_卡号->SetDisabled(false);
    w.编辑框_新增会员_姓名->SetDisabled(false);
    w.编辑框_新增会员_手机号->SetDisabled(false);
    w.按钮_会员管理_新增会员_获取卡号->SetDisabled(false);
    w.标签_充值信息提示->SetCaption("");
    w.编辑框_新增会员_姓名->SetText("");
    w.编辑框_新增会员_手机号->SetText("");
    w.日期框_充值管理_自定义时间->SetValue(program_.clock.Now());
    w.组合框_充值管理_充值方式->SetText(
        data::ReadConfig(data::kSectionRecharge, data::kKeyDefaultPaymentMethod));
    auto& panel = *w.外形框_新增会员;
    const auto& button = *w.按钮_新增会员;
    panel.SetLeft(button.Left());
    panel.SetTop(layout::PanelTopBelow(button));
    panel.Show();
    panel.BringToFront();
    w.编辑框_新增会员_姓名->Focus();
    FillNextCardNumber();
}

void Members::OpenRechargePanel() {
    auto& w = program_.window();
    w.外形框_快速消费->Hide();
    const int row = SelectedMemberRow();
    if (row < 0) {
        return;
    }
    if (!RefreshSelectedMemberTotals()) {
        return;
    }
    const auto& list = *w.超级列表框_会员管理_会员列表;
    const std::string card = list.Cell(row, kMemberCard);
    const std::string name = list.Cell(row, kMemberName);
    if (card.empty()) {
        return;
    }
    auto& panel = *w.外形框_新增会员;
    const auto& button = *w.按钮_充值;
    panel.SetLeft(button.Left());
    panel.SetTop(layout::PanelTopBelow(button));
    panel.Show();
    panel.BringToFront();
    w.编辑框_新增会员_充值金额->SetText("");
    w.编辑框_新增会员_充值赠送->SetText("");
    w.组合框_充值管理_充值方式->SetText(
        data::ReadConfig(data::kSectionRecharge, data::kKeyDefaultPaymentMethod));
    w.日期框_充值管理_自定义时间->SetValue(program_.clock.Now());
    w.编辑框_新增会员_卡号->SetText(card);
    w.编辑框_新增会员_姓名->SetText(name);
    w.编辑框_新增会员_手机号->SetText(list.Cell(row, kMemberPhone));
    w.编辑框_新增会员_卡号->SetDisabled(true);
    w.编辑框_新增会员_姓名->SetDisabled(true);
    w.编辑框_新增会员_手机号->SetDisabled(true);
    w.按钮_会员管理_新增会员_获取卡号->SetDisabled(true);
    w.编辑框_新增会员_充值金额->Focus();
}

void Members::SaveDefaultPaymentMethod() {
    data::WriteConfig(data::kSectionRecharge, data::kKeyDefaultPaymentMethod,
                      program_.window().组合框_充值管理_充值方式->Text());
}

bool Members::FillNextCardNumber() {
    auto& w = program_.window();
    data::RecordSet set = program_.ReadWhileWaiting(*w.载入条_会员, [&] {
        auto session = program_.db.Acquire();
        return session.Query(NextCardNumberQuery());
    });
    if (set.Failed()) {
        w.编辑框_新增会员_卡号->SetText("");  // no number of an earlier panel offered
        program_.TellReadFailed();
        return false;
    }
    w.编辑框_新增会员_卡号->SetText(set.RowCount() > 0 ? set.Text("next_id") : std::string());
    return true;
}

void Members::OnRechargeAmountChanged() {
    auto& w = program_.window();
    const int64_t sum = int64_t{ToInt32(w.编辑框_新增会员_充值金额->Text())} +
                        ToInt32(w.编辑框_新增会员_充值赠送->Text());
    w.标签_充值信息提示->SetCaption("充值后可用余额:" + IntText(sum) + "元");
}

void Members::OnRechargeBonusChanged() {
    OnRechargeAmountChanged();
}

void Members::ConfirmMemberPanel() {
    auto& w = program_.window();
    const bool recharge_mode = w.编辑框_新增会员_姓名->Disabled();
    const bool zero_amount = ToInt32(w.编辑框_新增会员_充值金额->Text()) == 0;
    if (recharge_mode) {
        if (!zero_amount) {
            RechargeMember();
        }
        return;
    }
    CreateMember(!zero_amount);
}

data::Result Members::InsertRecharge(const std::string& card, const std::string& name) {
    auto& w = program_.window();
    RechargeRecord record;
    record.pay_time =
        FormatDateTimeText(w.日期框_充值管理_自定义时间->Value(), "yyyy-MM-dd ", "hh:mm:ss", true);
    record.pay_money = w.编辑框_新增会员_充值金额->Text();
    record.pay_give = w.编辑框_新增会员_充值赠送->Text();
    record.pay_total = IntText(int64_t{ToInt32(record.pay_money)} + ToInt32(record.pay_give));
    record.pay_method = w.组合框_充值管理_充值方式->Text();
    record.pay_notes = "";
    record.pay_del = "0";
    record.user_id = card;
    record.user_name = name;
    record.boss_id = program_.CurrentOperator.boss_id;
    record.boss_name = program_.CurrentOperator.boss_name;
    const data::Write write = RechargeInsertWrite(record);
    const data::Result result = program_.WriteWhileWaiting(*w.载入条_会员, [&] {
        auto session = program_.db.Acquire();
        return session.Write(write);
    });
    if (result.unsettled) {
        const std::string what = card + " " + name + " " + record.pay_money + "元";
        program_.KeepUnsettled({write, *result.unsettled, card, kEarlierRechargeDone + what,
                                kEarlierRechargeNotDone + what});
    }
    return result;
}

bool Members::WaitsForAnEarlierWrite(const std::string& card) {
    if (!program_.HasUnsettled(card)) {
        return false;
    }
    // The server may answer again by now. Once the earlier outcome is told,
    // the operator decides afresh: a second press may have been a retry.
    program_.SettleUnsettled();
    if (program_.HasUnsettled(card)) {
        program_.ShowBalloonTip(Program::kStillSettling);
    }
    return true;
}

void Members::CreateMember(bool with_first_recharge) {
    auto& w = program_.window();
    const std::string card = w.编辑框_新增会员_卡号->Text();
    const std::string name = w.编辑框_新增会员_姓名->Text();
    const std::string phone = w.编辑框_新增会员_手机号->Text();
    if (card.empty()) {
        program_.ShowBalloonTip(kCardEmpty);
        return;
    }
    // The card stands bare in the duplicate check, so it must be a number.
    if (!IsWholeNumber(card) || ToInt32(card) <= 0) {
        program_.ShowBalloonTip(kCardNotNumber);
        return;
    }
    if (name.empty()) {
        program_.ShowBalloonTip(kNameEmpty);
        return;
    }
    if (WaitsForAnEarlierWrite(card)) {
        return;  // this desk's own member may be landing under the card
    }
    const data::Rows found = program_.ReadWhileWaiting(*w.载入条_会员, [&] {
        auto session = program_.db.Acquire();
        const data::Rows rows = session.RunQuery(MemberOfCardQuery(card));
        session.FreeSharedRecordSet();
        return rows;
    });
    if (found.Failed()) {
        program_.TellReadFailed();  // nothing is stored without the check
        return;
    }
    if (found.count > 0) {
        program_.ShowBalloonTip(kCardTaken);
        return;
    }
    if (before_member_insert) {
        before_member_insert();
    }
    // The card is a whole number: checked above.
    const std::optional<data::Write> write = MemberInsertWrite(card, name, phone);
    const data::Result inserted = program_.WriteWhileWaiting(*w.载入条_会员, [&] {
        auto session = program_.db.Acquire();
        session.GetDbConnection();
        return session.Write(*write);
    });
    // Nothing was stored unless it says done; the panel keeps what was typed.
    if (inserted.DuplicateKey()) {
        program_.ShowBalloonTip(kCardTaken);  // taken by another desk meanwhile
        return;
    }
    if (inserted.unsettled) {
        // Its first recharge is never sent: told with the member's outcome.
        const std::string who = card + " " + name;
        const std::string money = w.编辑框_新增会员_充值金额->Text();
        const std::string first =
            with_first_recharge ? "，首次充值" + money + "元未存入，请为其重新充值" : "";
        program_.KeepUnsettled(
            {*write, *inserted.unsettled, card, kEarlierMemberDone + who + first,
             kEarlierMemberNotDone + who +
                 (with_first_recharge ? "，首次充值" + money + "元也未存入" : "")});
    }
    if (!inserted) {
        program_.ShowBalloonTip(inserted.Unknown() ? kMemberCreateUnknown : kMemberCreateFailed);
        return;
    }
    if (with_first_recharge) {
        const data::Result recharged = InsertRecharge(card, name);
        program_.ShowBalloonTip(recharged             ? kMemberCreatedRecharged
                                : recharged.Unknown() ? kMemberCreatedRechargeUnknown
                                                      : kMemberCreatedRechargeFailed);
    } else {
        program_.ShowBalloonTip(kMemberCreated);
    }
    w.选择框_关闭时刷新用户列表->SetTicked(true);
    if (program_.dialogs.Message(kAddAnother, kTitleHint, MessageButtons::OkCancel,
                                 MessageIcon::Question) == Answer::Ok) {
        // Ready for the next member; no money is carried over.
        w.编辑框_新增会员_姓名->SetText("");
        w.编辑框_新增会员_手机号->SetText("");
        w.编辑框_新增会员_充值金额->SetText("");
        w.编辑框_新增会员_充值赠送->SetText("");
        w.标签_充值信息提示->SetCaption("");
        w.日期框_充值管理_自定义时间->SetValue(program_.clock.Now());
        FillNextCardNumber();
        w.编辑框_新增会员_姓名->Focus();
        return;
    }
    w.外形框_新增会员->Hide();
    ReloadMemberList();
}

void Members::RechargeMember() {
    auto& w = program_.window();
    if (WaitsForAnEarlierWrite(w.编辑框_新增会员_卡号->Text())) {
        return;
    }
    const data::Result recharged =
        InsertRecharge(w.编辑框_新增会员_卡号->Text(), w.编辑框_新增会员_姓名->Text());
    if (recharged.Unknown()) {
        // Closed, so that a second press cannot store it twice.
        program_.ShowBalloonTip(kRechargeUnknown);
        w.外形框_新增会员->Hide();
        return;
    }
    if (!recharged) {
        program_.ShowBalloonTip(kRechargeFailed);
        return;
    }
    program_.ShowBalloonTip(kRechargeDone);
    w.外形框_新增会员->Hide();
    RefreshSelectedMemberTotals();
    SyncSpareMemberList(true);
}

void Members::CloseMemberPanel() {
    auto& w = program_.window();
    w.外形框_新增会员->Hide();
    if (w.选择框_关闭时刷新用户列表->Ticked()) {
        ReloadMemberList();
    }
}

void Members::ResetMemberSearch() {
    program_.window().编辑框_会员管理_搜索->SetText("");
    program_.MemberListRefreshing = 1;
    ReloadMemberList();
}

void Members::FilterMemberList() {
    auto& w = program_.window();
    auto& list = *w.超级列表框_会员管理_会员列表;
    auto& spare = *w.超级列表框_会员管理_会员列表备用;
    const MemberSearchQuery query(w.编辑框_会员管理_搜索->Text());
    list.DeleteAllRows();
    const int n = std::min<int>(spare.RowCount(), static_cast<int>(search_keys_.size()));
    std::vector<int> matches;
    if (query.kind() != MemberSearchQuery::Kind::Empty) {
        for (int r = 0; r < n; ++r) {
            if (query.Matches(search_keys_[static_cast<size_t>(r)],
                              spare.CellView(r, kMemberPhone))) {
                matches.push_back(r);
            }
        }
    }
    // The spare list marks the matching members.
    std::vector<char> marked(static_cast<size_t>(spare.RowCount()), 0);
    for (int r : matches) {
        marked[static_cast<size_t>(r)] = 1;
    }
    spare.SetRowsSelected(marked);
    list.AddRowsFrom(spare, matches);
}

void Members::ShowMemberMenu() {
    switch (menus::PopUp(program_.dialogs, menus::k会员操作)) {
        case menus::k删除会员:
            DeleteMember();
            break;
        case menus::k修改姓名:
            RenameMember();
            break;
        case menus::k修改电话:
            ChangeMemberPhone();
            break;
        default:
            break;
    }
}

void Members::SortMemberList(int column) {
    if (program_.MemberListRefreshing == 1) {
        return;
    }
    const int32_t kind =
        (column == kMemberName || column == kMemberPhone) ? kSortText : kSortNumber;
    SortListByColumn(program_, *program_.window().超级列表框_会员管理_会员列表, column, kind);
}

void Members::OnMemberListKeyDown(int key_code, int /*key_state*/) {
    if (key_code == kKeyDelete && IsPrivilegedOperator(program_)) {
        DeleteMember();
    }
}

void Members::DeleteMember() {
    if (!IsPrivilegedOperator(program_)) {
        program_.dialogs.Message(kNoPermission, "", MessageButtons::Ok, MessageIcon::None);
        return;
    }
    const int row = SelectedMemberRow();
    if (row < 0) {
        return;
    }
    const auto& list = *program_.window().超级列表框_会员管理_会员列表;
    const std::string card = list.Cell(row, kMemberCard);
    const std::string name = list.Cell(row, kMemberName);
    if (card.empty() || !DangerConfirmation(program_)) {
        return;
    }
    data::Result deleted;
    if (const auto write = MemberDeletionWrite(card)) {
        deleted = program_.WriteWhileWaiting(*program_.window().载入条_会员, [&] {
            data::PrivateConnection connection;
            return connection.Write(*write);
        });
    }
    if (deleted.Unknown()) {
        program_.ShowBalloonTip(kMemberDeleteUnknown);
        return;
    }
    if (!deleted) {
        return;  // a failed deletion ends silently
    }
    ClosePanelsOfMember(card);
    program_.ShowBalloonTip(kMemberDeleted + card + kMemberDeletedName + name);
    ResetMemberSearch();
}

void Members::RenameMember() {
    static const MemberTextChange kRename = {
        .column = kMemberName,
        .prompt = kRenamePrompt,
        .title = kRenameTitle,
        .max_chars = layout::kNameChars,
        .refuse_empty = true,
        .unknown = kRenameUnknown,
        .done = kRenamed,
        .write = [](const std::string& card, const std::string& old_name,
                    const std::string& new_name) {
            return MemberRenameWrite(card, old_name, new_name);
        }};
    if (const auto card = ChangeMemberText(kRename)) {
        RefillPanelsOfMember(*card);
    }
}

std::optional<std::string> Members::ChangeMemberText(const MemberTextChange& change) {
    if (!IsPrivilegedOperator(program_)) {
        return std::nullopt;
    }
    const int row = SelectedMemberRow();
    if (row < 0) {
        return std::nullopt;
    }
    auto& list = *program_.window().超级列表框_会员管理_会员列表;
    const std::string card = list.Cell(row, kMemberCard);
    const std::string old_text = list.Cell(row, change.column);
    if (card.empty()) {
        return std::nullopt;
    }
    const auto typed =
        program_.dialogs.Input(change.prompt, change.title, old_text, false, change.max_chars);
    if (!typed || *typed == old_text) {
        program_.ShowBalloonTip(kNothingDone);
        return std::nullopt;
    }
    if (change.refuse_empty && typed->empty()) {
        program_.ShowBalloonTip(kNameEmpty);
        return std::nullopt;
    }
    if (!DangerConfirmation(program_)) {
        return std::nullopt;
    }
    data::Result changed;
    if (const auto write = change.write(card, old_text, *typed)) {
        changed = program_.WriteWhileWaiting(*program_.window().载入条_会员, [&] {
            data::PrivateConnection connection;
            return connection.Write(*write);
        });
    }
    if (changed.Unknown()) {
        program_.ShowBalloonTip(change.unknown);
        return std::nullopt;
    }
    if (!changed) {
        return std::nullopt;
    }
    list.SetCell(row, change.column, *typed);
    SyncSpareMemberList(true);
    program_.ShowBalloonTip(change.done);
    return card;
}

void Members::ClosePanelsOfMember(const std::string& card) {
    auto& w = program_.window();
    // A disabled name box marks recharge mode; a new-member panel works on no member.
    if (w.外形框_新增会员->Visible() && w.编辑框_新增会员_姓名->Disabled() &&
        w.编辑框_新增会员_卡号->Text() == card) {
        w.外形框_新增会员->Hide();
    }
    if (w.外形框_快速消费->Visible() && w.编辑框_快速消费_卡号->Text() == card) {
        w.外形框_快速消费->Hide();
    }
}

void Members::RefillPanelsOfMember(const std::string& card) {
    auto& w = program_.window();
    // The same fill as a change of the selected row: what was typed for the
    // old name starts over, so nothing is stored under it.
    if (w.外形框_新增会员->Visible() && w.编辑框_新增会员_姓名->Disabled() &&
        w.编辑框_新增会员_卡号->Text() == card) {
        OpenRechargePanel();
    }
    if (w.外形框_快速消费->Visible() && w.编辑框_快速消费_卡号->Text() == card &&
        open_checkout_panel) {
        open_checkout_panel();
    }
}

void Members::ChangeMemberPhone() {
    static const MemberTextChange kPhone = {
        .column = kMemberPhone,
        .prompt = kPhonePrompt,
        .title = kPhoneTitle,
        .max_chars = layout::kPhoneChars,
        .refuse_empty = false,
        .unknown = kPhoneUnknown,
        .done = kPhoneChanged,
        .write = [](const std::string& card, const std::string&, const std::string& phone) {
            return MemberPhoneWrite(card, phone);
        }};
    ChangeMemberText(kPhone);
}

}  // namespace kob
