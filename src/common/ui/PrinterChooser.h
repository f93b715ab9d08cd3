#pragma once
#include <QPrinter>
#include <memory>

class QWidget;

namespace durvek {

// The printer a printout goes to: the system's default printer when one is
// configured; otherwise the print dialog is offered (it can also print to a
// PDF file) rather than failing silently. Null when the user cancels.
// pdfPath, when given, is the file the dialog offers on a computer without
// any printer, instead of a fixed name in the home folder.
std::unique_ptr<QPrinter> choosePrinter(QWidget* parent, const QString& pdfPath = QString());

} // namespace durvek
