#pragma once
#include <QSqlDatabase>
#include <QString>
#include <cstdint>
#include <functional>

namespace durvek {

// A yes/no question put to the user; true means Yes. The caller shows it with
// the question icon and No as the default button.
using AskYesNo = std::function<bool(const QString& message, const QString& title)>;

// Removes the fancier and every pigeon of the fancier together: both deletes
// run in one transaction, so a failure leaves both tables as they were.
// Throws DatabaseError when the engine refuses.
void deleteFancierAndPigeons(const QSqlDatabase& db, int32_t id);

// Asks catalogue text 69 followed by " ?" (title text 1); on Yes deletes the
// fancier with the fancier's pigeons. Returns true when they were deleted.
bool DeleteFancier(const QSqlDatabase& db, int32_t id, const AskYesNo& ask);

} // namespace durvek
