#include "platform/gui/page_stack.h"

#include <QPalette>
#include <QResizeEvent>
#include <algorithm>

namespace kob {

namespace {
constexpr int kTabHeight = 32;  // within the 34 pixels the strip may take
}

PageStack::PageStack(QWidget* parent, const std::vector<std::string>& captions, FontSpec tab_font)
    : QWidget(parent), tabs_(new QTabBar(this)) {
    setFont(MakeFont({}));
    for (size_t i = 0; i < captions.size(); ++i) {
        auto* page = new QWidget(this);
        page->setAutoFillBackground(true);
        QPalette palette = page->palette();
        palette.setColor(QPalette::Window, Qt::white);
        page->setPalette(palette);
        pages_.push_back(page);
    }
    tabs_->setFont(MakeFont(tab_font));
    tabs_->setDrawBase(false);
    tabs_->setExpanding(false);
    tabs_->setUsesScrollButtons(false);
    tabs_->setFocusPolicy(Qt::ClickFocus);  // not a tab stop; keys work once clicked
    tabs_->setStyleSheet(
        QStringLiteral(
            "QTabBar::tab { height: %1px; padding: 0px 10px; color: #000000; background: #F0F0F0;"
            " border: 1px solid #ACACAC; border-bottom: none; margin-right: -1px; }"
            "QTabBar::tab:selected { background: #FFFFFF; }")
            .arg(kTabHeight - 1));
    for (const auto& caption : captions) {
        tabs_->addTab(QString::fromStdString(caption));
    }
    tabs_->raise();
    ShowOnly(tabs_->currentIndex());
    connect(tabs_, &QTabBar::currentChanged, this, [this](int page) {
        ShowOnly(page);
        if (!setting_ && on_page_changed) {
            on_page_changed();
        }
    });
    Arrange();
}

int PageStack::CurrentPage() const {
    return tabs_->currentIndex();
}

void PageStack::SetCurrentPage(int page) {
    if (page < 0 || page >= PageCount()) {
        return;
    }
    const bool was_setting = setting_;
    setting_ = true;
    tabs_->setCurrentIndex(page);
    setting_ = was_setting;
    ShowOnly(page);
}

void PageStack::ShowOnly(int page) {
    for (int i = 0; i < PageCount(); ++i) {
        pages_[static_cast<size_t>(i)]->setVisible(i == page);
    }
}

void PageStack::Arrange() {
    for (QWidget* page : pages_) {
        page->setGeometry(rect());
    }
    const QSize hint = tabs_->sizeHint();
    tabs_->setGeometry(0, 0, std::min(hint.width(), width()), std::min(hint.height(), 34));
}

void PageStack::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    Arrange();
}
}  // namespace kob
