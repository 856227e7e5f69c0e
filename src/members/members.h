#pragma once
// Members and recharge entry: member list and totals worker, search,
// current-member box, new-member/recharge panel, member actions.
#include <string>

namespace kob {

class Program;

class Members {
public:
    explicit Members(Program& program) : program_(program) {}
    ~Members();
    // Binds this subsystem's handlers to the window's controls.
    void BindEvents();

    // The members page as the login and the side button leave it.
    void ShowMembersPage();
    // The selected member-list row, -1 for none.
    int SelectedMemberRow() const;
    // Recomputes the selected row's totals on a private connection.
    void RefreshSelectedMemberTotals();
    // Copies the selected row (or every row) into the spare list.
    void SyncSpareMemberList(bool selected_only);

private:
    Program& program_;
};

}  // namespace kob
