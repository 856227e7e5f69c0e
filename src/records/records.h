#pragma once
// Recharge and consumption records: the two twin record pages with their
// queries, summary line, date filter, column sort, consumption note balloon
// and the privileged soft deletion of a record.
#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "data/table_rows.h"
#include "records/record_statements.h"

namespace kob {

class Program;
class ReportList;
namespace data {
class RecordSet;
class SharedSession;
}  // namespace data

// The six date presets of a page, in the order of their buttons.
enum class DatePreset : int { Today, Yesterday, Last7Days, ThisMonth, LastMonth, Last30Days };

// Month bounds of the month of date (or the month before): "yyyy/MM/01" for a
// first day, "yyyy/MM/dd" for a last day.
std::string FormatFirstDayOfMonth(double date);
std::string FormatLastDayOfMonth(double date);
std::string FormatFirstDayOfPreviousMonth(double date);
std::string FormatLastDayOfPreviousMonth(double date);

// A 备注 cell of the consumption list as the note balloon shows it.
std::string ConsumptionNoteBalloonText(std::string_view cell);

class Records {
  public:
    explicit Records(Program& program);
    // Binds this subsystem's handlers to the window's controls.
    void BindEvents();

    // Side buttons, queries and loading.
    void ShowRechargePage();
    void ShowConsumptionPage();
    void QueryAllRecharges();
    void QueryAllConsumption();
    void QueryMemberRecharges();
    void QueryMemberConsumption();
    // Tells on_statement the statement a load runs (none for a card that is
    // no number: an empty text).
    void AnnounceLoadStatement(const std::string& sql);
    void LoadRechargeRecords(ReportList& list, const std::string& card, bool use_range,
                             const std::string& start, const std::string& end);
    void LoadConsumptionRecords(ReportList& list, const std::string& card, bool use_range,
                                const std::string& start, const std::string& end);
    // Runs the page's last query again; nothing before its first query.
    void RerunRecordQuery(RecordPage page);

    // Date filter.
    void ApplyDatePreset(RecordPage page, DatePreset preset);
    void OnRecordDateBoxChanged(RecordPage page);
    void ToggleCustomDateRange(RecordPage page);

    // List events and the deletion.
    void ShowRechargeRecordMenu();
    void ShowConsumptionRecordMenu();
    void SortRechargeList(int column);
    void SortConsumptionList(int column);
    void OnRechargeListKeyDown(int key_code, int key_state);
    void OnConsumptionListKeyDown(int key_code, int key_state);
    void DeleteRechargeRecord();
    void DeleteConsumptionRecord();
    void ShowConsumptionNote();

    // For tests: every statement just before it is sent.
    std::function<void(const std::string& sql)> on_statement;

  private:
    void ShowPage(RecordPage page);
    void SortList(RecordPage page, int column);
    void QueryAll(RecordPage page);
    void QueryMember(RecordPage page);
    void DeleteRecord(RecordPage page);
    // Day range texts from the page's date boxes.
    void FormDayRange(RecordPage page, std::string& start, std::string& end);

    Program& program_;
    // Set while a preset writes a page's date boxes: their change events then
    // rerun nothing, and the preset reruns once when both are written.
    std::array<bool, 3> writing_dates_{};
};

}  // namespace kob
