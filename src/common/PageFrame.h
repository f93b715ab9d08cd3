#pragma once
#include <QString>

namespace durvek {

class PagePrinter;

// What every page of the program's reports shares, so that they look alike
// on paper: the margins, in millimetres from the edge of the printable area,
// and the foot with the page's place in the printout.
namespace PageFrame {

constexpr double kLeft = 10.0;
constexpr double kTop = 10.0;
constexpr double kRight = 10.0;
// A line that ends closer than this to the bottom goes to the next page.
constexpr double kBottom = 10.0;

// Prints "Page n of m" in the catalogue's wording (%1 the page, %2 the
// number of pages) at the foot of the current page, ending at the right margin.
void printFoot(PagePrinter& printer, const QString& pageOfWording, int page, int pages, const QString& fontName);

} // namespace PageFrame

} // namespace durvek
