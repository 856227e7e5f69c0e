#pragma once
// The one privileged login name and the warning every privileged action asks.
#include <string>
#include <string_view>

namespace kob {

class Program;

inline constexpr std::string_view PrivilegedLoginName = "Rudal";

// The developer's contact number quoted in the warning.
inline constexpr std::string_view kDeveloperPhone = "400-812-1705";

// True when the logged-in operator's stored login name is the privileged one.
bool IsPrivilegedOperator(const Program& program);

// OK/Cancel "危险提示！！！". True for OK; otherwise the balloon "未进行操作"
// has been shown and the caller stops.
bool DangerConfirmation(Program& program);

}  // namespace kob
