#pragma once
// The page stack: pages under a tab strip.
#include <QTabBar>
#include <QWidget>
#include <functional>
#include <string>
#include <vector>

#include "platform/gui/control.h"

namespace kob {

// Pages whose origin is the stack's top-left corner, tab strip included:
// every page fills the whole stack (white) and the tab strip (at most 34
// pixels high) lies above them. Only the current page is shown.
// on_page_changed fires for changes the operator makes through the tab strip
// only (mouse or keyboard), after CurrentPage() has become the new page, so a
// handler may set another one; SetCurrentPage raises nothing.
class PageStack : public QWidget {
    Q_OBJECT
  public:
    PageStack(QWidget* parent, const std::vector<std::string>& captions, FontSpec tab_font);
    KOB_CONTROL_COMMON
    int CurrentPage() const;
    void SetCurrentPage(int page);
    int PageCount() const { return static_cast<int>(pages_.size()); }
    QWidget* Page(int index) const { return pages_.at(static_cast<size_t>(index)); }
    QTabBar* Tabs() const { return tabs_; }
    std::function<void()> on_page_changed;

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    void ShowOnly(int page);
    void Arrange();
    QTabBar* tabs_;
    std::vector<QWidget*> pages_;
    bool setting_ = false;
};

}  // namespace kob
