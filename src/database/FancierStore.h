#pragma once
#include <QSqlDatabase>
#include <QString>
#include <cstdint>
#include <functional>

namespace durvek {

// A yes/no question put to the user; true means Yes. The caller shows it with
// the question icon and No as the default button.
using AskYesNo = std::function<bool(const QString& message, const QString& title)>;

// Removes the fancier with every pigeon of the fancier, and empties every
// combine place the fancier held; all in one transaction, so a failure leaves
// the tables as they were. revision is the fancier's when it was shown.
// Throws FancierChangedElsewhere when another PC stored the fancier since
// (or deleted it), DatabaseError when the engine refuses.
void deleteFancierAndPigeons(const QSqlDatabase& db, int32_t id, qint64 revision);

// The three places L1, L2, L3 of the combine table as SELECT columns: the
// fancier id, or null where the place is empty or names a fancier who is
// gone (databases of older versions kept such ids when a fancier was deleted).
QString combineMemberColumns();

// Asks catalogue text 69 followed by " ?" (title text 1); on Yes deletes the
// fancier as deleteFancierAndPigeons does. Returns true when it was deleted.
bool DeleteFancier(const QSqlDatabase& db, int32_t id, qint64 revision, const AskYesNo& ask);

} // namespace durvek
