#pragma once
#include <QSqlDatabase>
#include <QString>
#include <cstdint>

namespace durvek {

// The index on pigeons.Nr that lets start-up see without a sort whether the
// pigeons are numbered 1..n; the Nr field must exist. Throws DatabaseError
// when the engine refuses.
void AddPigeonNumberIndex(const QSqlDatabase& db);

// Gives the pigeons the numbers 1..n in their present nr order, in one
// transaction. Rows with equal nr, or none, keep the order in which they were
// stored (NULL sorts first). With the nr index, pigeons already numbered 1..n
// cost one walk of the index and no write at all; otherwise only rows whose
// number changes are written. On a server the numbering lock is taken first,
// so that a store on another PC numbers its pigeons before or after, never
// across it. A database opened read only keeps its numbers:
// the pigeons are listed in the same order either way.
// Throws DatabaseError when the engine refuses.
void RenumberPigeons(const QSqlDatabase& db);

// The ORDER BY of a fancier's pigeon list, as the grid shows it and the clock
// gets it: by year, country and band (sortByBand) or by number, pigeons
// without a value first and equal ones in the order they were stored, on
// either engine.
QString pigeonListOrder(bool sortByBand);

// The number a new pigeon gets: the highest nr plus one, 1 when there is none.
// To be called inside the transaction that inserts the pigeon, which has
// taken lockPigeonNumbering before it touched any pigeon: other connections
// numbering pigeons wait for that transaction's end. The lock is taken here
// too, for a transaction whose first pigeon statement this is.
int32_t NextPigeonNr(const QSqlDatabase& db);

} // namespace durvek
