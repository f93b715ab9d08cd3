#pragma once
#include <QSqlDatabase>
#include <QString>
#include <cstdint>

namespace durvek {

// The id of a fancier (active or not; the first in sort-key order) whose sort
// key starts with text, letter case ignored; 0 when there is none. The text
// matches literally: wildcard characters in it match only themselves.
// Throws DatabaseError.
int32_t FindFancierBySortKey(const QSqlDatabase& db, const QString& text);

} // namespace durvek
