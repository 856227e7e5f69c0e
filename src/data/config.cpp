#include "data/config.h"

#include "platform/core/folders.h"
#include "platform/core/ini.h"

namespace kob::data {

// Built anew each time: nothing of the file or its place is kept.
std::string ConfigFilePath() {
    return AppDataFolder() + "/wyf.ini";
}

std::string ReadConfig(std::string_view section, std::string_view key) {
    return ReadProfileString(ConfigFilePath(), section, key);
}

void WriteConfig(std::string_view section, std::string_view key, std::string_view value) {
    WriteProfileString(ConfigFilePath(), section, key, value);  // a failed write goes unnoticed
}

}  // namespace kob::data
