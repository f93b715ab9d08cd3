#pragma once
#include "clocklink/JobContext.h"
#include <QString>

namespace durvek {

class JobHost;
class PigeonGridAccess;

// True when a grid row (the current one included) already holds the first 8
// characters of code as its electronic band; the user is warned with that
// row's number in the title, and told what happens next by stopNote, when
// there is one. A chip code belongs to one pigeon only.
bool ChipCodeInUse(const QString& code, const PigeonGridAccess& grid, JobHost& host, const TextLookup& text,
                 const QString& stopNote = QString());

} // namespace durvek
