#pragma once
#include "clocklink/JobContext.h"
#include <QSqlDatabase>
#include <QString>
#include <cstdint>

namespace durvek {

class JobHost;

// True when a pigeon of a fancier other than fancierId holds the first 8
// characters of code as its chip code in the club database. A chip code
// belongs to one pigeon only, and the grid of one fancier cannot show that
// it is taken: the user is told whose pigeon has it and that a pigeon that
// changed hands leaves its former owner's list first, with the grid row in
// the title and stopNote, when there is one, after the message.
bool ChipCodeOfAnotherFancier(const QString& code, const QSqlDatabase& db, int32_t fancierId, int row, JobHost& host,
                              const TextLookup& text, const QString& stopNote = QString());

} // namespace durvek
