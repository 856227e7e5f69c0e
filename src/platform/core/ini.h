#pragma once
// Profile (INI) files with Windows semantics, stored in GBK: each call reads
// or writes one key of the file as it is on disk at that moment.
#include <string>
#include <string_view>

namespace kob {

// The value of [section] key=value; "" for a missing file, section or key.
// Section and key names compare without regard to ASCII case, as Windows does.
std::string ReadProfileString(const std::string& path, std::string_view section,
                              std::string_view key);

// Sets key in section, creating the file (and its folder), the section or the
// key as needed and keeping every other line. False when it could not be written.
bool WriteProfileString(const std::string& path, std::string_view section, std::string_view key,
                        std::string_view value);

}  // namespace kob
