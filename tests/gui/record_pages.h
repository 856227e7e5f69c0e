#pragma once
// Pages 1 and 2 are built alike: the controls the record tests use on each.
#include <string>
#include <vector>

#include "ui/main_window.h"

namespace kob::test {

struct RecordPage {
    int page;
    ReportList* list;
    CheckBox* range;
    Frame* panel;
    DateBox* start;
    DateBox* end;
    std::vector<ColourButton*> presets;  // 今天 昨天 近7天 本月 上月 近30天
    ImageButton* all;
    std::string table;
};

// clang-format off
inline std::vector<RecordPage> RecordPages(MainWindow& w) {
    return {
        {1, w.超级列表框_会员充值_充值列表, w.选择框_充值管理_指定日期, w.外形框_充值管理_指定日期,
         w.日期框_充值管理_开始日期, w.日期框_充值管理_结束日期,
         {w.按钮_充值管理_今天, w.按钮_充值管理_昨天, w.按钮_充值管理_近7天, w.按钮_充值管理_本月, w.按钮_充值管理_上月, w.按钮_充值管理_近30天},
         w.按钮_充值管理_所有用户, "paylist"},
        {2, w.超级列表框_会员消费_消费列表, w.选择框_消费管理_指定日期, w.外形框_消费管理_指定日期,
         w.日期框_消费管理_开始日期, w.日期框_消费管理_结束日期,
         {w.按钮_消费管理_今天, w.按钮_消费管理_昨天, w.按钮_消费管理_近7天, w.按钮_消费管理_本月, w.按钮_消费管理_上月, w.按钮_消费管理_近30天},
         w.按钮_消费管理_所有用户, "costlist"},
    };
}
// clang-format on

}  // namespace kob::test
