#pragma once
#include "clubresult/ClubResult.h"
#include <QString>

namespace durvek {

class PagePrinter;

// Prints the club result: the club's name, the race, release point and
// release time, the number of fanciers and pigeons, then one line per ranked
// arrival (rank, fancier, band, distance, arrival, velocity, prize, and the
// nominated mark when the club marks them) and the entries listed apart with
// their reason. The heading of the columns is
// repeated on every page; each page ends with "Page n of m", within the
// margins of the race reports.
void printClubResult(PagePrinter& page, const ClubResult& result, const QString& clubName);

// "Club result <race> <dd-MM-yy>": the preview's title and PDF file name.
QString clubResultSubject(const ClubResult& result);

} // namespace durvek
