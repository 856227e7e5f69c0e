#pragma once
// The columns each report list of the window is created with: title and width.
#include <map>
#include <string>

#include "support/window_fixture.h"

namespace kob::test {

inline const Columns kMemberListColumns = {{"卡号", 80},     {"姓名", 100},     {"手机号", 120},
                                           {"充值次数", 80}, {"实付金额", 100}, {"充值总额", 100},
                                           {"消费次数", 80}, {"消费金额", 100}, {"卡余额", 100}};
inline const std::map<std::string, Columns> kListColumns = {
    {"超级列表框_会员管理_会员列表", kMemberListColumns},
    {"超级列表框_会员管理_会员列表备用", kMemberListColumns},
    {"超级列表框_会员充值_充值列表",
     {{"充值ID", 0},
      {"会员卡号", 80},
      {"姓名", 100},
      {"充值时间", 170},
      {"实付金额", 100},
      {"赠送", 60},
      {"充值总额", 100},
      {"充值方式", 100},
      {"备注", 80},
      {"操作员", 100}}},
    {"超级列表框_会员消费_消费列表",
     {{"消费ID", 0},
      {"会员卡号", 80},
      {"姓名", 100},
      {"消费时间", 170},
      {"项目", 100},
      {"金额", 60},
      {"卡扣款", 100},
      {"备注", 160},
      {"操作员", 100}}},
    {"超级列表框_项目设置",
     {{"ID", 60},
      {"项目名称", 170},
      {"项目金额", 80},
      {"近七日次数", 110},
      {"30日计", 70},
      {"总计", 50}}},
};

}  // namespace kob::test
