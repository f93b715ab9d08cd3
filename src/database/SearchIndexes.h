#pragma once
#include <QSqlDatabase>

namespace durvek {

// The indexes that let the fancier search read its first page of matches in
// sort order without visiting the fanciers that do not match: the sort key
// and id (the order of the list) followed by the searched field.
// Throws DatabaseError when the engine refuses.
void AddFancierSearchIndexes(const QSqlDatabase& db);

} // namespace durvek
