#pragma once
#include <string>

namespace kob {

// The per-user folder where the program keeps its own files (UTF-8 path,
// no trailing slash). Tests redirect it with QStandardPaths' test mode.
std::string AppDataFolder();

}  // namespace kob
