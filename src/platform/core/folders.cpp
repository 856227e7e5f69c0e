#include "platform/core/folders.h"

#include <QStandardPaths>
#include <QString>

namespace kob {

std::string AppDataFolder() {
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    return folder.isEmpty() ? std::string(".") : folder.toStdString();
}

}  // namespace kob
