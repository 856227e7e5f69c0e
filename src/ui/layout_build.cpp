// Turns the layout tables into the window's widgets.
#include <QHeaderView>
#include <QPalette>
#include <QtGlobal>
#include <map>
#include <type_traits>

#include "ui/layout.h"
#include "ui/main_window.h"

namespace kob::layout {

namespace {

std::vector<std::string> SplitItems(const std::string& text) {
    std::vector<std::string> items;
    if (text.empty()) {
        return items;
    }
    size_t start = 0;
    for (;;) {
        size_t bar = text.find('|', start);
        items.push_back(text.substr(start, bar - start));
        if (bar == std::string::npos) {
            return items;
        }
        start = bar + 1;
    }
}

void SetBackground(QWidget* widget, Rgb colour) {
    if (colour == kNone) {
        return;
    }
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, ToQColor(colour));
    palette.setColor(widget->backgroundRole(), ToQColor(colour));  // Button for buttons
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

// The enabled look only: a disabled control keeps the style's greyed colours.
void SetTextAndBase(QWidget* widget, Rgb text, Rgb base) {
    QPalette palette = widget->palette();
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        if (text != kNone) {
            palette.setColor(group, QPalette::Text, ToQColor(text));
            palette.setColor(group, QPalette::ButtonText, ToQColor(text));
        }
        if (base != kNone) {
            palette.setColor(group, QPalette::Base, ToQColor(base));
        }
    }
    widget->setPalette(palette);
}

// Which kinds a member type can hold.
template <class T>
bool KindFits(Kind kind) {
    if constexpr (std::is_same_v<T, Label>) {
        return kind == Kind::Label || kind == Kind::TransparentLabel;
    } else {
        constexpr Kind expected = std::is_same_v<T, PageStack>          ? Kind::PageStack
                                  : std::is_same_v<T, Frame>            ? Kind::Frame
                                  : std::is_same_v<T, GroupBox>         ? Kind::GroupBox
                                  : std::is_same_v<T, EditBox>          ? Kind::EditBox
                                  : std::is_same_v<T, MultiLineEditBox> ? Kind::MultiLineEditBox
                                  : std::is_same_v<T, PushButton>       ? Kind::PushButton
                                  : std::is_same_v<T, ImageButton>      ? Kind::ImageButton
                                  : std::is_same_v<T, ColourButton>     ? Kind::ColourButton
                                  : std::is_same_v<T, CheckBox>         ? Kind::CheckBox
                                  : std::is_same_v<T, ComboBox>         ? Kind::ComboBox
                                  : std::is_same_v<T, ListBox>          ? Kind::ListBox
                                  : std::is_same_v<T, DateBox>          ? Kind::DateBox
                                  : std::is_same_v<T, ReportList>       ? Kind::ReportList
                                  : std::is_same_v<T, PictureBox>       ? Kind::PictureBox
                                  : std::is_same_v<T, Timer>            ? Kind::Timer
                                                                        : Kind::BalloonTip;
        return kind == expected;
    }
}

class Builder {
  public:
    Builder(MainWindow& window, double now) : window_(window), now_(now) {}

    void Add(const Row& row) {
        std::visit([&](auto member) { Create(row, member); }, row.member);
    }

    void Raise(const std::string& name) { Named(name)->raise(); }

  private:
    template <class T>
    void Create(const Row& row, T* MainWindow::*member) {
        if (!KindFits<T>(row.kind)) {
            qFatal("layout: %s has the wrong kind", row.name.c_str());
        }
        if (window_.*member != nullptr || named_.count(row.name) != 0) {
            qFatal("layout: %s built twice", row.name.c_str());
        }
        QWidget* parent = Container(row.container);
        T* control = Make<T>(row, parent);
        control->setObjectName(QString::fromStdString(row.name));
        window_.*member = control;
        if constexpr (std::is_base_of_v<QWidget, T>) {
            named_[row.name] = control;
            if constexpr (!std::is_same_v<T, BalloonTip>) {
                control->setGeometry(row.left, row.top, row.width, row.height);
                if (row.font.face != '-' && !std::is_same_v<T, PageStack>) {
                    control->setFont(MakeFont(row.font));
                }
                if constexpr (std::is_same_v<T, Label> || std::is_same_v<T, EditBox>) {
                    control->SetShrinkToFit(row.look.shrink_to_fit);
                }
                control->setHidden((row.state & kHidden) != 0);
                control->setEnabled((row.state & kDisabled) == 0);
            }
        }
    }

    QWidget* Container(const std::string& name) {
        if (name == kWindow) {
            return &window_;
        }
        for (int page = 0; page < 4; ++page) {
            if (name == "page " + std::to_string(page)) {
                return window_.选择夹1->Page(page);
            }
        }
        return Named(name);
    }

    QWidget* Named(const std::string& name) {
        auto it = named_.find(name);
        if (it == named_.end()) {
            qFatal("layout: no control %s", name.c_str());
        }
        return it->second;
    }

    template <class T>
    T* Make(const Row& row, QWidget* parent);

    MainWindow& window_;
    double now_;
    std::map<std::string, QWidget*> named_;
};

template <>
PageStack* Builder::Make<PageStack>(const Row& row, QWidget* parent) {
    auto* stack = new PageStack(parent, SplitItems(row.text), row.font);
    for (int page = 0; page < stack->PageCount(); ++page) {
        SetBackground(stack->Page(page), row.look.bg);
    }
    return stack;
}

template <>
Frame* Builder::Make<Frame>(const Row& row, QWidget* parent) {
    auto* frame = new Frame(parent);
    frame->SetFill(row.look.bg != kNone, row.look.bg == kNone ? 0xFFFFFF : row.look.bg);
    frame->SetOutline(row.look.outline, row.look.outline_colour, row.look.outline_width);
    return frame;
}

template <>
GroupBox* Builder::Make<GroupBox>(const Row& row, QWidget* parent) {
    auto* box = new GroupBox(parent);
    box->SetCaption(row.text);
    box->SetColours(row.look.fg, row.look.bg);
    return box;
}

template <>
Label* Builder::Make<Label>(const Row& row, QWidget* parent) {
    const bool transparent = row.kind == Kind::TransparentLabel;
    auto* label = new Label(parent, transparent);
    label->SetCaption(row.text);
    if (transparent) {
        label->SetTextColour(row.look.fg == kNone ? 0x000000 : row.look.fg);
    } else {
        label->SetColours(row.look.fg, row.look.bg);
    }
    label->SetAlign(row.look.align);
    label->SetWrap(row.look.wrap);
    return label;
}

template <>
EditBox* Builder::Make<EditBox>(const Row& row, QWidget* parent) {
    auto* edit = new EditBox(parent);
    edit->SetEntryMode(row.look.entry);
    edit->SetColumnChars(row.look.column_chars);
    edit->SetBorder(row.look.border);
    edit->SetAlign(row.look.align);
    if (row.look.fg != kNone && row.look.bg != kNone) {
        edit->SetColours(row.look.fg, row.look.bg);
    }
    edit->SetText(row.text);
    return edit;
}

template <>
MultiLineEditBox* Builder::Make<MultiLineEditBox>(const Row& row, QWidget* parent) {
    auto* edit = new MultiLineEditBox(parent);
    edit->SetColumnChars(row.look.column_chars);
    edit->SetBorder(row.look.border);
    if (row.look.fg != kNone && row.look.bg != kNone) {
        edit->SetColours(row.look.fg, row.look.bg);
    }
    edit->SetVerticalScrollBar(row.look.vscroll);
    edit->SetText(row.text);
    return edit;
}

template <>
PushButton* Builder::Make<PushButton>(const Row& row, QWidget* parent) {
    auto* button = new PushButton(parent);
    button->SetCaption(row.text);
    return button;
}

template <>
ImageButton* Builder::Make<ImageButton>(const Row& row, QWidget* parent) {
    auto* button = new ImageButton(parent);
    button->SetFaces(row.look.picture, row.look.hover_picture ? row.look.hover_picture : "",
                     row.look.hover_right, row.look.hover_up);
    SetBackground(button, row.look.bg);
    return button;
}

template <>
ColourButton* Builder::Make<ColourButton>(const Row& row, QWidget* parent) {
    auto* button = new ColourButton(parent);
    button->SetCaption(row.text);
    button->SetColours(row.look.fg, row.look.bg, row.look.hover);
    return button;
}

template <>
CheckBox* Builder::Make<CheckBox>(const Row& row, QWidget* parent) {
    auto* box = new CheckBox(parent);
    box->SetCaption(row.text);
    box->SetTicked((row.state & kTicked) != 0);
    SetBackground(box, row.look.bg);
    return box;
}

template <>
ComboBox* Builder::Make<ComboBox>(const Row& row, QWidget* parent) {
    auto* combo = new ComboBox(parent);
    combo->SetColumnChars(row.look.column_chars);
    for (const std::string& item : SplitItems(row.text)) {
        combo->AddItem(item);
    }
    combo->SetCurrentItem(row.look.current_item);
    SetTextAndBase(combo, row.look.fg, row.look.bg);
    return combo;
}

template <>
ListBox* Builder::Make<ListBox>(const Row& row, QWidget* parent) {
    auto* list = new ListBox(parent);
    list->SetBorder(row.look.border);
    SetTextAndBase(list, row.look.fg, row.look.bg);
    return list;
}

template <>
DateBox* Builder::Make<DateBox>(const Row& row, QWidget* parent) {
    auto* box = new DateBox(parent);
    if (row.look.date_picture != nullptr) {
        box->setDisplayFormat(QString::fromUtf8(row.look.date_picture));
    }
    box->SetValue(now_);
    return box;
}

template <>
ReportList* Builder::Make<ReportList>(const Row& row, QWidget* parent) {
    auto* list = new ReportList(parent);
    if (row.look.columns != nullptr) {
        list->SetColumns(*row.look.columns);
    }
    list->SetBorder(row.look.border);
    list->SetMultiSelect(row.look.multi_select);
    // The header titles take the list's font, as a list view's header does.
    list->horizontalHeader()->setFont(MakeFont(row.font));
    SetTextAndBase(list, row.look.fg, row.look.bg);
    return list;
}

template <>
PictureBox* Builder::Make<PictureBox>(const Row& row, QWidget* parent) {
    auto* box = new PictureBox(parent);
    if (row.look.animated) {
        box->SetAnimation(row.look.picture, kSpinnerFrameHeight, kSpinnerFrameMs);
    } else {
        box->SetScaledPicture(row.look.picture);
    }
    return box;
}

template <>
Timer* Builder::Make<Timer>(const Row& row, QWidget* parent) {
    auto* timer = new Timer(parent);
    timer->setInterval(row.look.interval_ms);
    timer->start();
    return timer;
}

template <>
BalloonTip* Builder::Make<BalloonTip>(const Row&, QWidget* parent) {
    return new BalloonTip(parent);
}

}  // namespace

void Build(MainWindow& window, double now) {
    Builder builder(window, now);
    const std::vector<Table> tables = AllTables();
    for (const Table& table : tables) {
        for (const Row& row : table.rows) {
            builder.Add(row);
        }
    }
    for (const Table& table : tables) {
        for (const std::string& name : table.on_top) {
            builder.Raise(name);
        }
    }
}

}  // namespace kob::layout
