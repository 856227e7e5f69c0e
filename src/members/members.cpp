#include "members/members.h"

#include "app/program.h"
#include "ui/main_window.h"

namespace kob {

Members::~Members() = default;

void Members::BindEvents() {}

void Members::ShowMembersPage() {
    auto& w = program_.window();
    w.载入条->Hide();
    if (program_.LoggedIn == 0) {
        return;
    }
    w.选择夹1->SetCurrentPage(0);
}

int Members::SelectedMemberRow() const {
    return program_.main_window ? program_.window().超级列表框_会员管理_会员列表->SelectedRow() : -1;
}

void Members::RefreshSelectedMemberTotals() {}

void Members::SyncSpareMemberList(bool) {}

}  // namespace kob
