#pragma once
#include <QString>
#include <optional>

namespace durvek {

// The server club database this computer starts on, kept in the user's own
// settings (never in the club database: it says where that is). Empty: the
// club database file beside the program. Passwords are never kept.
QString rememberedServer();
void rememberServer(const QString& uri);

// What typed text asks to remember: empty for the file, else the server
// address without its password; nothing when the text is neither blank nor
// a postgresql:// address naming a database.
std::optional<QString> serverToRemember(const QString& typed);

} // namespace durvek
