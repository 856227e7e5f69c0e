#pragma once
// Checkout and service items: the quick-checkout panel on the members page
// and the service item catalogue on the settings page.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "data/db.h"
#include "data/table_rows.h"

class QWidget;

namespace kob {

class Program;
class MainWindow;
class ListBox;
namespace data {
class RecordSet;
}

// One xmlist row as texts.
struct ServiceItemRecord {
    std::string xm_id;
    std::string xm_name;
    std::string xm_del;
    std::string xm_money;
    std::string xm_notes;
};

// Moves set to row_number - 1 (1-based rows) and reads the five columns by name.
void ReadServiceItemRow(data::RecordSet& set, ServiceItemRecord& record, int row_number);

// The text of a service item in the checkout lists: name[price].
std::string ItemLine(const std::string& xm_name, const std::string& xm_money);

class Checkout {
  public:
    explicit Checkout(Program& program) : program_(program) {}

    // Binds this subsystem's handlers to the window's controls.
    void BindEvents();

    // Quick-checkout panel.
    void OpenCheckoutPanel();
    void LoadCheckoutItemList(MainWindow& window, ListBox& list);
    // The service items as ServiceItemsQuery reads them; nullopt (told) when they
    // could not be read.
    std::optional<std::vector<ServiceItemRecord>> ReadServiceItems(QWidget& spinner);
    void OnCheckoutItemDoubleClick(int x, int y, int key_state);
    void AddItemToCheckout();
    void OnCheckoutTotalChanged();
    void ShowCheckoutLines(int x, int y, int key_state);
    void ClearCheckout(int x, int y, int key_state);
    void CloseCheckoutPanel(int x, int y, int key_state);
    // The notes text built from the checkout lines.
    std::string CheckoutNote() const;

    // Confirmation.
    void ConfirmCheckout(int x, int y, int key_state);
    data::Result InsertConsumptionRecord(ConsumptionRecord& record);

    // Service item catalogue.
    void OpenServiceItemPanel();
    void LoadServiceItemList();
    void ReloadServiceItems();
    void AddServiceItem();
    void DeleteServiceItem();

    // For tests: how many fills of the panel have run.
    int CheckoutFills() const { return fills_; }

  private:
    // Name and price of an item, kept beside each list entry: a name that
    // holds brackets itself must not decide the price.
    struct ItemTexts {
        std::string name;
        std::string money;
    };
    // Writes the total box without raising OnCheckoutTotalChanged: only the
    // operator's typing is checked against the balance.
    void SetTotalText(const std::string& text);
    // Steps of a fill before the member is read: lines, total, count, balance
    // after, notes and time start afresh.
    void ResetCheckout();
    std::string LinePrice(int line) const;
    std::string LineName(int line) const;

    Program& program_;
    std::vector<ItemTexts> offered_items_;  // per entry of 列表框_快速消费_消费项目清单
    std::vector<ItemTexts> line_items_;     // per entry of 列表框_快速消费_结账清单
    bool writing_total_ = false;
    int fills_ = 0;
};

}  // namespace kob
