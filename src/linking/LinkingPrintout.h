#pragma once
#include "clocklink/JobContext.h"
#include <QStringList>

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

} // namespace durvek
