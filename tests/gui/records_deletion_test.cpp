// The record lists' own events: popup menu and privileged soft deletion,
// the Delete key, the column sort and the consumption note balloon, against
// the real server.
#include "records_fixture.h"
#include "support/report_rows.h"
#include "ui/menus.h"
#include "ui/sort.h"

namespace kob::test {
namespace {

const std::string B = std::string(20, ' ') + "\r\n";

struct DeletionPage {
    std::string name;
    ReportList* list;
    std::function<void()> query_all;
    std::function<void()> query_member;
    std::function<void()> menu;
    std::string caption;
    std::string item;
    std::string rows_sql;  // id, flag, notes of every record
    std::string balloon;
    std::string last_piece;
    Label* summary;
    std::string table;
};

class RecordDeletionTest : public RecordsTest {
  protected:
    void SetUp() override {
        RecordsTest::SetUp();
        AddMember(1, "Tom");
        AddMember(12, "李四");
        AddPay({.money = "100", .total = "100", .notes = "首充", .user_id = 1});
        AddPay({.money = "50", .total = "50", .user_id = 1});
        AddPay({.money = "70", .total = "70", .user_id = 12, .user_name = "李四"});
        AddCostRow({.notes = "加钟", .money = "30", .user_id = 1});
        AddCostRow({.money = "20", .user_id = 12, .user_name = "李四"});
    }
    std::vector<DeletionPage> Pages() {
        Records& r = records();
        return {
            {"recharge", &recharges(), [&r] { r.QueryAllRecharges(); },
             [&r] { r.QueryMemberRecharges(); }, [&r] { r.ShowRechargeRecordMenu(); }, "充值操作",
             "删除充值记录",
             "SELECT `pay_id`,`pay_del`,`pay_notes` FROM `paylist` ORDER BY `pay_id`",
             "删除充值记录成功，ID为：", "删除了本条充值记录", w().标签_充值管理_汇总信息,
             "paylist"},
            {"consumption", &consumption(), [&r] { r.QueryAllConsumption(); },
             [&r] { r.QueryMemberConsumption(); }, [&r] { r.ShowConsumptionRecordMenu(); },
             "消费操作", "删除消费记录",
             "SELECT `cost_id`,`cost_del`,`cost_notes` FROM `costlist` ORDER BY `cost_id`",
             "删除消费记录成功，ID为：", "删除了本条消费记录", w().标签_消费管理_汇总信息,
             "costlist"},
        };
    }
    // Right click, then the one item.
    void ChooseDelete(const DeletionPage& p) {
        harness().dialogs.NextMenuChoice(0);
        p.menu();
    }
    void SelectRecord(const DeletionPage& p, std::string_view id) {
        const int row = RowOfId(*p.list, id);
        ASSERT_GE(row, 0) << id;
        p.list->SetSelectedRow(row);
    }
    // Only the menus were asked, no message box.
    bool OnlyMenusAsked() {
        for (const AskedDialog& a : harness().dialogs.Asked()) {
            if (a.kind != AskedDialog::Kind::Menu) {
                return false;
            }
        }
        return true;
    }
};

TEST_F(RecordDeletionTest, MenuOpensWhateverTheSelectionAndTheOperator) {
    LogIn(false);
    for (const DeletionPage& p : Pages()) {
        SCOPED_TRACE(p.name);
        harness().dialogs.ClearAsked();
        p.menu();  // nothing chosen
        ASSERT_EQ(harness().dialogs.Asked().size(), 1u);
        const AskedDialog& asked = harness().dialogs.Asked()[0];
        EXPECT_EQ(asked.kind, AskedDialog::Kind::Menu);
        EXPECT_EQ(asked.text, p.caption);
        EXPECT_EQ(asked.items, std::vector<std::string>{p.item});
    }
}

TEST_F(RecordDeletionTest, OnlyThePrivilegedOperatorDeletes) {
    LogIn(false);
    for (const DeletionPage& p : Pages()) {
        p.query_all();
        const auto before = Rows(p.rows_sql);
        for (bool by_key : {false, true}) {
            SCOPED_TRACE(p.name + (by_key ? " Delete key" : " menu"));
            SelectRecord(p, "1");
            w().气球提示框1->hide();
            harness().dialogs.ClearAsked();
            statements_.clear();
            if (by_key) {
                p.list->setFocus();
                PressKey(p.list, Qt::Key_Delete);
            } else {
                ChooseDelete(p);
            }
            EXPECT_TRUE(OnlyMenusAsked()) << "no message, no prompt";
            EXPECT_FALSE(w().气球提示框1->Shown());
            EXPECT_TRUE(statements_.empty());
            EXPECT_EQ(Rows(p.rows_sql), before);
            EXPECT_EQ(RowOfId(*p.list, "1"), 0);
        }
    }
}

TEST_F(RecordDeletionTest, NothingSelectedOrNoIdAsksNothing) {
    LogIn();
    for (const DeletionPage& p : Pages()) {
        SCOPED_TRACE(p.name);
        p.query_all();
        const auto before = Rows(p.rows_sql);
        p.list->SetSelectedRow(-1);
        w().气球提示框1->hide();
        harness().dialogs.ClearAsked();
        ChooseDelete(p);
        records().OnRechargeListKeyDown(kKeyDelete, 0);
        records().OnConsumptionListKeyDown(kKeyDelete, 0);
        // A row whose id cell is empty.
        p.list->SetSelectedRow(AddRow(*p.list, {"", "1", "Tom"}));
        w().气球提示框1->hide();
        ChooseDelete(p);
        EXPECT_TRUE(OnlyMenusAsked());
        EXPECT_FALSE(w().气球提示框1->Shown());
        EXPECT_EQ(Rows(p.rows_sql), before);
    }
}

TEST_F(RecordDeletionTest, CancelOnTheWarningChangesNothing) {
    LogIn();
    for (const DeletionPage& p : Pages()) {
        SCOPED_TRACE(p.name);
        p.query_all();
        const auto before = Rows(p.rows_sql);
        const std::vector<std::string> ids = Ids(*p.list);
        SelectRecord(p, "1");
        harness().dialogs.ClearAsked();
        statements_.clear();
        // Not the previous page's balloon: this page must show its own.
        w().气球提示框1->ShowAt("stale", QPoint());
        w().气球提示框1->hide();
        harness().dialogs.NextMessage(Answer::Cancel);
        ChooseDelete(p);
        const AskedDialog* asked = LastAsked();
        ASSERT_NE(asked, nullptr);
        EXPECT_EQ(asked->kind, AskedDialog::Kind::Message);
        EXPECT_EQ(asked->title, "危险提示！！！");
        EXPECT_EQ(asked->buttons, MessageButtons::OkCancel);
        EXPECT_EQ(asked->icon, MessageIcon::None);
        EXPECT_EQ(asked->text,
                  "本操作非常危险，请您务必小心操作，如有疑问请首先致电开发者400-812-"
                  "1705，切记，你的数据务必重要\r\n————————————\r\n你可以点击取消终止操作");
        EXPECT_TRUE(w().气球提示框1->Shown());
        EXPECT_EQ(Balloon(), "未进行操作");
        EXPECT_TRUE(statements_.empty());
        EXPECT_EQ(Rows(p.rows_sql), before);
        EXPECT_EQ(Ids(*p.list), ids);
    }
}

TEST_F(RecordDeletionTest, DeletionFlagsTheRecordAndRerunsTheQuery) {
    LogIn();
    struct Expect {
        std::vector<std::vector<std::string>> rows;
        std::vector<std::string> ids_after;
        std::string summary_after;
        std::string statement;
    };
    const std::string recharge_note = "管理员老板[Rudal][7]于2024-05-17 02:05:09删除了本条充值记录";
    const std::string consumption_note =
        "管理员老板[Rudal][7]于2024-05-17 02:05:09删除了本条消费记录";
    const std::vector<Expect> expects = {
        {{{"1", "1", recharge_note}, {"2", "0", ""}, {"3", "0", ""}},
         {"2", "3"},
         "充值2次，实付120元，赠送0元，合计120元",
         "UPDATE `kobrelan`.`paylist` SET `pay_del` = 1,`pay_notes`='" + recharge_note +
             "' WHERE `pay_id` = 1"},
        {{{"1", "1", consumption_note}, {"2", "0", ""}},
         {"2"},
         "消费总计1次，合计总额20元",
         "UPDATE `kobrelan`.`costlist` SET `cost_del` = 1,`cost_notes`='" + consumption_note +
             "' WHERE `cost_id` = 1"},
    };
    const auto pages = Pages();
    for (size_t i = 0; i < pages.size(); ++i) {
        const DeletionPage& p = pages[i];
        const Expect& e = expects[i];
        SCOPED_TRACE(p.name);
        p.query_all();
        SelectRecord(p, "1");
        statements_.clear();
        harness().clock.SetNow(At(2024, 5, 17, 14, 5, 9));
        harness().dialogs.NextMessage(Answer::Ok);
        ChooseDelete(p);
        EXPECT_EQ(Rows(p.rows_sql), e.rows);
        EXPECT_EQ(Balloon(), p.balloon + "1、用户姓名为：Tom");
        EXPECT_EQ(w().气球提示框1->ShownAt(), QPoint(500, 390));
        ASSERT_EQ(statements_.size(), 2u) << "the deletion, then the rerun";
        EXPECT_EQ(statements_[0], e.statement);
        EXPECT_EQ(statements_[1].rfind("SELECT * FROM `kobrelan`.`" + p.table + "`", 0), 0u);
        EXPECT_EQ(Ids(*p.list), e.ids_after);
        EXPECT_EQ(p.summary->Caption(), e.summary_after);
    }
}

// Record 1 belongs to card 1 on both pages. The selected member is
// recomputed whoever it is, its spare row left as it was; when another
// member is selected, card 1's row is recomputed too, in both lists.
TEST_F(RecordDeletionTest, DeletionRecomputesTheSelectedMemberButNotItsSpareRow) {
    LogIn();
    // Card 1: recharges 100 + 50, consumption 30; card 12: 70 and 20.
    struct Case {
        std::string selected;
        int page;
        std::vector<std::string> totals;        // columns 3 to 8 after the deletion
        std::vector<std::string> owner_totals;  // card 1's, when card 12 is selected
    };
    const std::vector<Case> cases = {
        {"1", 0, {"1", "50", "50", "1", "30", "20"}, {}},  // the record's owner
        {"12", 0, {"1", "70", "70", "1", "20", "50"}, {"1", "50", "50", "1", "30", "20"}},
        {"1", 1, {"2", "150", "150", "", "", "150"}, {}},
        {"12", 1, {"1", "70", "70", "1", "20", "50"}, {"2", "150", "150", "", "", "150"}},
    };
    auto totals_of = [](const ReportList& l, int row) {
        std::vector<std::string> totals = RowCells(l, row);
        totals.erase(totals.begin(), totals.begin() + kMemberPayCount);
        return totals;
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.selected + " " + std::to_string(c.page));
        ASSERT_TRUE(ResetTables());
        AddMember(1, "Tom");
        AddMember(12, "李四");
        AddPay({.money = "100", .total = "100", .user_id = 1});
        AddPay({.money = "50", .total = "50", .user_id = 1});
        AddPay({.money = "70", .total = "70", .user_id = 12, .user_name = "李四"});
        AddCostRow({.money = "30", .user_id = 1});
        AddCostRow({.money = "20", .user_id = 12, .user_name = "李四"});
        members().ResetMemberSearch();
        WaitForTotals();
        Select(c.selected);
        const int row = list().SelectedRow();
        const int spare_row = RowOf(spare(), c.selected);
        const std::vector<std::string> spare_before = RowCells(spare(), spare_row);
        const int owner_row = RowOf(list(), "1");
        for (int col = kMemberPayCount; col <= kMemberBalance; ++col) {
            list().SetCell(row, col, "stale");
            list().SetCell(owner_row, col, "stale");
        }
        w().时钟1->on_tick();
        const DeletionPage p = Pages()[static_cast<size_t>(c.page)];
        p.query_all();
        SelectRecord(p, "1");
        harness().dialogs.NextMessage(Answer::Ok);
        ChooseDelete(p);
        EXPECT_EQ(totals_of(list(), row), c.totals);
        EXPECT_EQ(RowCells(spare(), spare_row), spare_before) << "the spare list is not updated";
        if (!c.owner_totals.empty()) {
            EXPECT_EQ(totals_of(list(), owner_row), c.owner_totals) << "the owner's row";
            EXPECT_EQ(totals_of(spare(), RowOf(spare(), "1")), c.owner_totals)
                << "the owner's spare row, which a search shows next";
        }
        // The current-member box follows the selected row at the next tick.
        w().时钟1->on_tick();
        EXPECT_EQ(w().编辑框_全局_卡号->Text(), c.selected);
        EXPECT_EQ(w().编辑框_全局_余额->Text(), c.totals.back());
    }
}

// The record's member hidden by a search: its spare row, from which a later
// search shows it again, gets the new totals too.
TEST_F(RecordDeletionTest, DeletionRecomputesTheSpareRowOfAMemberHiddenByASearch) {
    LogIn();
    // Card 1's totals after each page's deletion of record 1, one after the other.
    const std::vector<std::vector<std::string>> owner_totals = {{"1", "50", "50", "1", "30", "20"},
                                                                {"1", "50", "50", "", "", "50"}};
    auto search = [&](std::string_view text) {
        auto* box = w().编辑框_会员管理_搜索;
        box->SetText("");
        box->setFocus();
        Type(box, text);
        return Cards(list());
    };
    const auto pages = Pages();
    for (size_t page = 0; page < pages.size(); ++page) {
        const DeletionPage& p = pages[page];
        SCOPED_TRACE(p.name);
        members().ResetMemberSearch();
        WaitForTotals();
        ASSERT_EQ(search("ls"), std::vector<std::string>{"12"});
        Select("12");
        p.query_all();
        SelectRecord(p, "1");
        harness().dialogs.NextMessage(Answer::Ok);
        ChooseDelete(p);
        std::vector<std::string> spare_totals = RowCells(spare(), RowOf(spare(), "1"));
        spare_totals.erase(spare_totals.begin(), spare_totals.begin() + kMemberPayCount);
        EXPECT_EQ(spare_totals, owner_totals[page]);
        ASSERT_EQ(search("tom"), std::vector<std::string>{"1"});
        std::vector<std::string> shown = RowCells(list(), 0);
        shown.erase(shown.begin(), shown.begin() + kMemberPayCount);
        EXPECT_EQ(shown, owner_totals[page]) << "the row the search shows again";
    }
}

TEST_F(RecordDeletionTest, RerunAfterTheMemberWasUnselectedEmptiesTheList) {
    LogIn();
    for (const DeletionPage& p : Pages()) {
        SCOPED_TRACE(p.name);
        SelectMember("1");
        p.query_member();
        ASSERT_GT(p.list->RowCount(), 0);
        UnselectMember();
        SelectRecord(p, "1");
        harness().dialogs.NextMessage(Answer::Ok);
        ChooseDelete(p);
        EXPECT_EQ(Balloon(), p.balloon + "1、用户姓名为：Tom");
        EXPECT_EQ(p.list->RowCount(), 0);
        EXPECT_EQ(p.summary->Caption(), "");
    }
}

TEST_F(RecordDeletionTest, DeletionNoteUsesTheTwelveHourClock) {
    struct Case {
        double now;
        std::string time;
    };
    const std::vector<Case> cases = {
        {At(2024, 5, 17, 14, 5, 9), "2024-05-17 02:05:09"},
        {At(2024, 5, 17, 0, 30, 0), "2024-05-17 12:30:00"},
        {At(2024, 5, 17, 12, 0, 0), "2024-05-17 12:00:00"},
        {At(2024, 5, 17, 9, 7, 5), "2024-05-17 09:07:05"},
        {At(2024, 12, 31, 23, 59, 59), "2024-12-31 11:59:59"},
    };
    const OperatorTexts op{"7", "老板", "Rudal"};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.time);
        EXPECT_EQ(DeletionNote(op, c.now, "删除了本条充值记录"),
                  "管理员老板[Rudal][7]于" + c.time + "删除了本条充值记录");
    }
}

TEST_F(RecordDeletionTest, QuoteInTheOperatorsNameIsStoredIntact) {
    LogIn();
    program().CurrentOperator.boss_name = "O'Neil\\";
    for (const DeletionPage& p : Pages()) {
        SCOPED_TRACE(p.name);
        p.query_all();
        SelectRecord(p, "2");
        harness().clock.SetNow(At(2024, 5, 17, 9, 0, 0));
        harness().dialogs.NextMessage(Answer::Ok);
        ChooseDelete(p);
        EXPECT_EQ(Rows(p.rows_sql)[1],
                  (std::vector<std::string>{
                      "2", "1", "管理员O'Neil\\[Rudal][7]于2024-05-17 09:00:00" + p.last_piece}));
        EXPECT_EQ(Balloon().rfind(p.balloon + "2", 0), 0u);
    }
}

TEST_F(RecordDeletionTest, AnIdThatIsNoWholeNumberIsNotSent) {
    LogIn();
    for (const DeletionPage& p : Pages()) {
        SCOPED_TRACE(p.name);
        p.query_all();
        const auto before = Rows(p.rows_sql);
        p.list->SetCell(0, 0, "1 OR 1=1");
        SelectRecord(p, "1 OR 1=1");
        w().气球提示框1->hide();
        statements_.clear();
        harness().dialogs.NextMessage(Answer::Ok);
        ChooseDelete(p);
        EXPECT_TRUE(statements_.empty());
        EXPECT_FALSE(w().气球提示框1->Shown());
        EXPECT_EQ(Rows(p.rows_sql), before);
        EXPECT_EQ(p.list->Cell(0, 0), "1 OR 1=1") << "no rerun";
    }
}

TEST_F(RecordDeletionTest, FailedStatementShowsNothingAndKeepsTheList) {
    LogIn();
    for (const DeletionPage& p : Pages()) {
        SCOPED_TRACE(p.name);
        p.query_all();
        const std::vector<std::string> ids = Ids(*p.list);
        SelectRecord(p, "1");
        w().气球提示框1->hide();
        statements_.clear();
        ASSERT_TRUE(Exec("RENAME TABLE `" + p.table + "` TO `away`"));
        harness().dialogs.NextMessage(Answer::Ok);
        ChooseDelete(p);
        EXPECT_TRUE(Exec("RENAME TABLE `away` TO `" + p.table + "`"));
        EXPECT_EQ(statements_.size(), 1u) << "no rerun";
        EXPECT_FALSE(w().气球提示框1->Shown());
        EXPECT_EQ(Ids(*p.list), ids);
        EXPECT_EQ(Rows(p.rows_sql)[0][1], "0");
    }
}

TEST_F(RecordDeletionTest, ARecordDeletedElsewhereIsDeletedAgain) {
    LogIn();
    for (const DeletionPage& p : Pages()) {
        SCOPED_TRACE(p.name);
        p.query_all();
        const std::string id_column = p.table == "paylist" ? "pay" : "cost";
        ASSERT_TRUE(Exec("UPDATE `" + p.table + "` SET `" + id_column + "_del` = 1,`" + id_column +
                         "_notes` = 'elsewhere' WHERE `" + id_column + "_id` = 1"));
        SelectRecord(p, "1");
        harness().clock.SetNow(At(2024, 5, 17, 15, 0, 0));
        harness().dialogs.NextMessage(Answer::Ok);
        ChooseDelete(p);
        EXPECT_EQ(Balloon(), p.balloon + "1、用户姓名为：Tom");
        EXPECT_EQ(Rows(p.rows_sql)[0],
                  (std::vector<std::string>{
                      "1", "1", "管理员老板[Rudal][7]于2024-05-17 03:00:00" + p.last_piece}));
        EXPECT_EQ(RowOfId(*p.list, "1"), -1);
    }
}

TEST_F(RecordDeletionTest, DeleteKeyDeletesWhateverModifierIsHeld) {
    LogIn();
    struct Case {
        Qt::KeyboardModifiers modifiers;
        std::string id;
    };
    const std::vector<Case> cases = {
        {Qt::NoModifier, "1"}, {Qt::ShiftModifier, "2"}, {Qt::ControlModifier, "3"}};
    const DeletionPage p = Pages()[0];
    p.query_all();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.id);
        SelectRecord(p, c.id);
        harness().dialogs.NextMessage(Answer::Ok);
        p.list->setFocus();
        QTest::keyClick(p.list, Qt::Key_Delete, c.modifiers);
        EXPECT_EQ(RowOfId(*p.list, c.id), -1);
    }
    EXPECT_EQ(Scalar("SELECT COUNT(*) FROM `paylist` WHERE `pay_del` = 1"), "3");
    // Other keys do nothing, on either list.
    AddPay({});
    AddCostRow({});
    for (const DeletionPage& q : Pages()) {
        q.query_all();
        q.list->SetSelectedRow(0);
        harness().dialogs.ClearAsked();
        for (int key : {Qt::Key_Backspace, Qt::Key_Return, Qt::Key_D, Qt::Key_Insert}) {
            q.list->on_key_down(VirtualKeyOf(key), 0);
        }
        EXPECT_TRUE(harness().dialogs.Asked().empty());
    }
    EXPECT_EQ(Scalar("SELECT COUNT(*) FROM `costlist` WHERE `cost_del` = 1"), "0");
}

TEST_F(RecordDeletionTest, HeaderClickSortsByTheColumnsKind) {
    LogIn();
    records().QueryAllRecharges();
    records().QueryAllConsumption();
    constexpr int kNone = 0;
    const std::vector<int> recharge_kinds = {kNone,       kSortNumber, kSortText,   kSortDateTime,
                                             kSortNumber, kSortNumber, kSortNumber, kSortText,
                                             kSortText,   kSortText};
    const std::vector<int> consumption_kinds = {kNone,         kSortNumber, kSortText,
                                                kSortDateTime, kSortText,   kSortNumber,
                                                kSortNumber,   kNone,       kNone};
    struct Case {
        ReportList* list;
        const std::vector<int>* kinds;
    };
    for (const Case& c :
         {Case{&recharges(), &recharge_kinds}, Case{&consumption(), &consumption_kinds}}) {
        for (size_t col = 0; col < c.kinds->size(); ++col) {
            SCOPED_TRACE(c.list->objectName().toStdString() + " " + std::to_string(col));
            program().ListSortState = SortState{};
            program().ListSortState.direction = 1;
            c.list->on_column_click(static_cast<int>(col));
            const SortState& s = program().ListSortState;
            if ((*c.kinds)[col] == kNone) {
                EXPECT_EQ(s.list, nullptr) << "nothing happens";
                EXPECT_EQ(s.direction, 1);
            } else {
                EXPECT_EQ(s.list, c.list);
                EXPECT_EQ(s.column, static_cast<int>(col));
                EXPECT_EQ(s.kind, (*c.kinds)[col]);
                EXPECT_NE(s.direction, 1);
            }
        }
    }
}

TEST_F(RecordDeletionTest, CardNumbersSortAsNumbersAndNamesAsText) {
    ASSERT_TRUE(ResetTables());
    AddPay({.user_id = 9, .user_name = "王五"});
    AddPay({.user_id = 10, .user_name = "李四"});
    AddPay({.user_id = 100, .user_name = "张三"});
    LogIn();
    records().QueryAllRecharges();
    program().ListSortState.direction = 0;
    recharges().on_column_click(1);
    const std::vector<std::string> first = Column(recharges(), 1);
    recharges().on_column_click(1);
    const std::vector<std::string> second = Column(recharges(), 1);
    EXPECT_TRUE((first == std::vector<std::string>{"9", "10", "100"} &&
                 second == std::vector<std::string>{"100", "10", "9"}) ||
                (first == std::vector<std::string>{"100", "10", "9"} &&
                 second == std::vector<std::string>{"9", "10", "100"}));
    recharges().on_column_click(2);
    const std::vector<std::string> names = Column(recharges(), 2);
    EXPECT_TRUE(names == (std::vector<std::string>{"李四", "王五", "张三"}) ||
                names == (std::vector<std::string>{"张三", "王五", "李四"}));
}

TEST_F(RecordDeletionTest, SelectingAConsumptionRowShowsItsNote) {
    LogIn();
    const std::string dashes = "\r\n————————";
    struct Case {
        std::string cell;
        std::string balloon;
    };
    const std::vector<Case> cases = {
        {"1个项目" + B + "加钟", "1个项目" + dashes + "\r\n加钟"},
        {"1个项目" + B, "1个项目" + dashes + "\r\n"},
        {"2个项目" + B + "足疗*1\r\n推拿*1", "2个项目" + dashes + "\r\n足疗*1\r\n推拿*1"},
        {"只有备注", "只有备注"},
        {"", ""},
        {std::string(19, ' ') + "x", std::string(19, ' ') + "x"},
        {std::string(25, ' ') + "x", dashes + std::string(5, ' ') + "x"},
        {std::string(40, ' '), dashes + dashes},
    };
    w().选择夹1->SetCurrentPage(2);
    for (const Case& c : cases) {
        AddRow(consumption(), {"1", "1", "Tom", "", "", "", "", c.cell, ""});
    }
    const std::vector<QPoint> pointers = {{10, 300}, {900, 120}, {500, 400}};
    for (size_t i = 0; i < cases.size(); ++i) {
        SCOPED_TRACE(i);
        const QPoint at = pointers[i % pointers.size()];
        harness().pointer.MoveTo(at);
        w().气球提示框1->hide();
        consumption().SetSelectedRow(static_cast<int>(i));
        EXPECT_EQ(Balloon(), cases[i].balloon);
        EXPECT_EQ(w().气球提示框1->ShownAt(), QPoint(w().Left() + 660, at.y()));
    }
    // Losing the selection shows nothing.
    w().气球提示框1->hide();
    consumption().SetSelectedRow(-1);
    EXPECT_FALSE(w().气球提示框1->Shown());
}

TEST_F(RecordDeletionTest, ClickingAConsumptionRowShowsItsNote) {
    LogIn();
    records().QueryAllConsumption();
    w().选择夹1->SetCurrentPage(2);
    ASSERT_EQ(consumption().RowCount(), 2);
    const QRect cell = consumption().visualRect(consumption().model()->index(0, 3));
    QTest::mouseClick(consumption().viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
    EXPECT_EQ(consumption().SelectedRow(), 0);
    EXPECT_EQ(Balloon(), "1个项目\r\n————————\r\n加钟");
}

}  // namespace
}  // namespace kob::test
