#include "common/PageFrame.h"
#include "common/PagePrinter.h"
#include "common/Printout.h"

namespace durvek::PageFrame {

namespace {

constexpr double kFootSize = 8.0;
constexpr double kFootRise = 5.0; // from the bottom of the printable area

} // namespace

void printFoot(PagePrinter& printer, const QString& pageOfWording, int page, int pages, const QString& fontName)
{
    printer.PrintText(printer.pageWidth() - kRight, printer.pageHeight() - kFootRise,
                      pageOfPages(pageOfWording, page, pages), false, false, false, kFootSize, fontName,
                      PagePrinter::AlignEnd, false);
}

} // namespace durvek::PageFrame
