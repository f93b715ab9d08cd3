#pragma once
#include <QSqlDatabase>
#include <cstdint>

namespace durvek {

// Gives the pigeons the numbers 1..n in their present nr order, in one
// transaction. Rows with equal nr, or none, keep the order in which they were
// stored (NULL sorts first). Only rows whose number changes are written, so
// a start with pigeons already numbered 1..n costs one read of the table and
// writes nothing. A database opened read only keeps its numbers: the pigeons
// are listed in the same order either way.
// Throws DatabaseError when the engine refuses.
void RenumberPigeons(const QSqlDatabase& db);

// The number a new pigeon gets: the highest nr plus one, 1 when there is none.
int32_t NextPigeonNr(const QSqlDatabase& db);

} // namespace durvek
