#pragma once
// wyf.ini: where it lives and its three keys.
#include <string>
#include <string_view>

namespace kob::data {

// A stable per-user folder followed by "/wyf.ini"; built again for every use.
std::string ConfigFilePath();

inline constexpr std::string_view kSectionConfig = "配置";
inline constexpr std::string_view kKeyLastLoginName = "最近登录的用户名";
inline constexpr std::string_view kSectionListDisplay = "列表显示配置";
inline constexpr std::string_view kKeyNewestFirst = "新纪录在最前";
inline constexpr std::string_view kSectionRecharge = "充值";
inline constexpr std::string_view kKeyDefaultPaymentMethod = "默认充值方式";

std::string ReadConfig(std::string_view section, std::string_view key);
void WriteConfig(std::string_view section, std::string_view key, std::string_view value);

}  // namespace kob::data
