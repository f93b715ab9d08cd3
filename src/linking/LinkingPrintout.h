#pragma once
#include "clocklink/JobContext.h"
#include <QSqlDatabase>
#include <QStringList>
#include <cstdint>

namespace durvek {

class PagePrinter;
class PigeonGrid;

// Prints the pigeon grid as a two-column list of federation bands and chip
// codes: odd rows on the left, even rows on the right, every grid row
// whether stored or not. Each page starts with the title, the fancier's
// three header lines and the column headings; every page but the last ends
// with its number. The document is ended.
void printLinkingList(PagePrinter& printer, const PigeonGrid& grid, const QStringList& fancierLines,
                      const TextLookup& text);

// What the pigeon list printout is about, for its preview and file name:
// the printout's title (text 66), the fancier's licence and name.
QString linkingListSubject(const QSqlDatabase& db, int32_t fancierId, const TextLookup& text);

} // namespace durvek
