#pragma once
#include "shell/RememberedServer.h"
#include <QString>
#include <optional>

namespace durvek {

// What typed text asks rememberServer to keep: empty for the file, else the
// server address without its password; nothing when the text is neither
// blank nor a postgresql:// address naming a database.
std::optional<QString> serverToRemember(const QString& typed);

} // namespace durvek
