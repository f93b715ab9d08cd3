#pragma once
#include "clocklink/JobContext.h"
#include <QSqlDatabase>
#include <cstdint>
#include <functional>

namespace durvek {

class JobHost;
class PigeonGrid;

// "Update Database" (and the store inside "Update Clock"): the grid's
// complete rows become the fancier's pigeon list, the former list going to
// the backup table, all in one transaction. Then, when the Printout box is
// ticked and the user says Yes to text 60 (title 61), printList runs.
// Returns how many pigeons were stored. revision is the fancier's when the
// grid was loaded, and becomes the stored one. Throws FancierChangedElsewhere
// when another PC stored the fancier since, DatabaseError when the engine
// refuses; nothing is stored then and nothing printed.
int SaveLinking(const QSqlDatabase& db, int32_t fancierId, qint64& revision, const PigeonGrid& grid,
                bool printoutTicked, JobHost& host, const TextLookup& text, const std::function<void()>& printList);

} // namespace durvek
