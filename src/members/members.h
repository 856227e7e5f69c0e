#pragma once
// Members and recharge entry: member list and totals worker, search,
// current-member box, new-member/recharge panel, member actions.
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "data/db.h"
#include "members/member_statements.h"
#include "platform/core/pinyin.h"

namespace kob {

class Program;
class ReportList;
namespace data {
class RecordSet;
}

// One userlist row as texts, in column order.
struct MemberRecord {
    std::string user_id;
    std::string user_del;
    std::string user_name;
    std::string user_tel;
    std::string user_key;
    std::string user_add;
    std::string user_wxid;
    std::string user_notes;
};

// Moves set to row_number - 1 (1-based rows) and reads the eight columns by name.
void ReadMemberRow(data::RecordSet& set, MemberRecord& record, int row_number);

// Columns of the member list and the spare list; 3 to 8 are the totals.
enum MemberColumn : int {
    kMemberCard = 0,
    kMemberName = 1,
    kMemberPhone = 2,
    kMemberPayCount = 3,
    kMemberPayMoney = 4,
    kMemberPayTotal = 5,
    kMemberCostCount = 6,
    kMemberCostMoney = 7,
    kMemberBalance = 8,
    kMemberColumns = 9,
};
// Columns 3 to 8 of a member's row.
using TotalsTexts = std::array<std::string, kMemberColumns - kMemberPayCount>;

// What one run of the totals worker found. A pass that did not run (no card
// to ask for, or no connection) changes nothing; a pass whose statement
// failed ran and found nothing, so its members count as 0.
struct MemberTotalsResult {
    std::vector<int32_t> cards;  // the card numbers asked for: sorted, unique, not 0
    bool pay_ran = false;        // read: its groups hold the truth, absent ones are 0
    std::unordered_map<int32_t, PayTotals> pay;
    bool cost_ran = false;
    std::unordered_map<int32_t, CostTotals> cost;
    // A pass could not be read (one flag a pass: they run side by side).
    bool pay_unread = false;
    bool cost_unread = false;
    bool Unread() const { return pay_unread || cost_unread; }
};

// The worker's two passes, each one GROUP BY statement over all members on a
// private connection of its own. Touches no widget; runs on any thread.
MemberTotalsResult ComputeMemberTotals(std::vector<int32_t> cards);

// Writes columns 3 to 8 of row from the totals of its card number; false
// when the row's card is not among those asked for.
bool WriteMemberTotals(ReportList& list, int row, const MemberTotalsResult& result);

class Members {
  public:
    explicit Members(Program& program);
    ~Members();
    Members(const Members&) = delete;
    Members& operator=(const Members&) = delete;

    // Binds this subsystem's handlers to the window's controls.
    void BindEvents();

    // The members page as the login and the side button leave it.
    void ShowMembersPage();
    // The selected member-list row, -1 for none.
    int SelectedMemberRow() const;
    // False when the members could not be read: the lists keep what they
    // showed and the operator has been told.
    bool LoadMemberList();
    // Starts the totals worker for the list as it is now.
    void RefreshAllMemberTotals();
    // LoadMemberList, then, when it was read, RefreshAllMemberTotals.
    void ReloadMemberList();
    // Recomputes the selected row's totals on a private connection. The fill
    // of the checkout panel passes true, so its own refresh never refills it.
    // False when they could not be read: the row keeps its cells and the
    // operator has been told.
    bool RefreshSelectedMemberTotals(bool asked_by_checkout_fill = false);
    // The same for the member-list row of card when it is not the selected
    // one (a record of another member was deleted); its spare row follows.
    void RefreshMemberTotalsOfCard(const std::string& card);
    // Copies the selected row (or every row) into the spare list.
    void SyncSpareMemberList(bool selected_only);
    void RefreshCurrentMemberBox();
    void OnMemberListItemChanged();

    // The new-member/recharge panel.
    void OpenNewMemberPanel();
    void OpenRechargePanel();
    void SaveDefaultPaymentMethod();
    // False when the number could not be read (told; the box is emptied).
    bool FillNextCardNumber();
    void OnRechargeAmountChanged();
    void OnRechargeBonusChanged();
    void ConfirmMemberPanel();
    // True when an earlier money write of card was left unsettled: it is
    // settled now if it can be and its outcome told, or the operator is told
    // that it still is being confirmed. Either way nothing new is stored.
    bool WaitsForAnEarlierWrite(const std::string& card);
    void CreateMember(bool with_first_recharge);
    void RechargeMember();
    void CloseMemberPanel();

    // Search, menu, sort, keys and the privileged member actions.
    void ResetMemberSearch();
    void FilterMemberList();
    void ShowMemberMenu();
    void SortMemberList(int column);
    void OnMemberListKeyDown(int key_code, int key_state);
    void DeleteMember();
    void RenameMember();
    void ChangeMemberPhone();

    // Hook for the checkout subsystem: its OpenCheckoutPanel. The member-list
    // row change and the refresh of the selected member's totals call it
    // while 外形框_快速消费 is visible; unset, nothing is refilled.
    std::function<void()> open_checkout_panel;

    // For tests and benchmarks.
    bool TotalsWorkerRunning() const { return worker_running_; }
    int TotalsWorkersStarted() const { return workers_started_; }
    uint64_t LoadGeneration() const { return load_generation_; }
    // Runs on the worker thread once the totals are computed, before they are
    // handed to the window thread (a test can hold a worker there).
    std::function<void(uint64_t generation)> before_totals_handoff;
    // Runs on the window thread after a handoff was written or discarded.
    std::function<void(uint64_t generation, bool written)> after_totals_handoff;
    // Runs between the free-card check and the insert of a new member.
    std::function<void()> before_member_insert;

  private:
    struct TotalsRequest {
        uint64_t generation = 0;
        std::vector<int32_t> cards;
    };
    struct WorkerSync;

    // A member's name or phone number, changed through an input box.
    struct MemberTextChange {
        int column;
        const char* prompt;
        const char* title;
        int max_chars;
        bool refuse_empty;
        const char* unknown;  // the balloon when the outcome cannot be learnt
        const char* done;
        std::optional<data::Write> (*write)(const std::string& card, const std::string& old_text,
                                            const std::string& typed);
    };
    // The privileged change of the selected member's text in change.column,
    // stored, then shown in both lists; the member's card once it is done.
    std::optional<std::string> ChangeMemberText(const MemberTextChange& change);
    bool RefreshMemberRowTotals(int row, bool asked_by_checkout_fill);
    void LaunchTotalsWorker(TotalsRequest request);
    void OnTotalsComputed(uint64_t generation, const MemberTotalsResult& result);
    data::Result InsertRecharge(const std::string& card, const std::string& name);
    // An open recharge or checkout panel that works on card: closed once the
    // member is gone, filled again from its row once it is renamed.
    void ClosePanelsOfMember(const std::string& card);
    void RefillPanelsOfMember(const std::string& card);
    void RebuildSpareIndex();
    void UpdateSearchKey(int spare_row);
    int SpareRowOfCard(const std::string& card) const;
    // Columns 3 to 8 of card as the server holds them now, kept for the
    // worker's handoff when it runs; none when they could not be read (the
    // operator has been told).
    std::optional<TotalsTexts> ReadTotalsTexts(const std::string& card);

    Program& program_;
    // Totals worker: one at a time; a load while it runs queues one more run.
    bool worker_running_ = false;
    // Rows recomputed while the worker runs, by card: columns 3 to 8 as the
    // recomputation wrote them. The handoff writes these, not its older sums,
    // into both lists, so the spare row gets them too.
    std::unordered_map<int32_t, TotalsTexts> refreshed_during_worker_;
    // The refill that a recomputation asks for reads the totals it just
    // wrote: its own recomputation would read them again.
    bool refilling_after_refresh_ = false;
    int workers_started_ = 0;
    uint64_t load_generation_ = 0;
    std::optional<TotalsRequest> pending_request_;
    std::shared_ptr<WorkerSync> sync_;
    std::shared_ptr<int> alive_ = std::make_shared<int>(0);
    // Per spare row, made at the load: the search keys, and the first spare
    // row of each card number.
    std::vector<MemberSearchKey> search_keys_;
    std::unordered_map<std::string, int> spare_row_of_card_;
};

}  // namespace kob
