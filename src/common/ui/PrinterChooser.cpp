#include "common/ui/PrinterChooser.h"
#include <QDialog>
#include <QPrintDialog>
#include <QPrinterInfo>

namespace durvek {

std::unique_ptr<QPrinter> choosePrinter(QWidget* parent, const QString& pdfPath)
{
    const QPrinterInfo defaultPrinter = QPrinterInfo::defaultPrinter();
    if (!defaultPrinter.isNull())
        return std::make_unique<QPrinter>(defaultPrinter, QPrinter::HighResolution);

    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    if (!pdfPath.isEmpty() && QPrinterInfo::availablePrinters().isEmpty())
        printer->setOutputFileName(pdfPath);
    QPrintDialog dialog(printer.get(), parent);
    if (dialog.exec() != QDialog::Accepted)
        return nullptr;
    return printer;
}

} // namespace durvek
