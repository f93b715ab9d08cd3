#pragma once
#include <QDate>
#include <QString>
#include <functional>

class QPagedPaintDevice;

namespace durvek {

// One printout ready to go to paper or to a PDF file: what it is about and
// how its pages are laid out. The layout may run several times (preview,
// printer, file), so it must not change what it prints from.
struct Printout {
    // What is printed and for whom, e.g. "Race 10234567 JANSSENS PIET": the
    // preview's title and the start of the PDF file name proposed.
    QString subject;
    // Lays out every page on the device and ends the document; returns what
    // went wrong with the printer, empty when all was printed.
    std::function<QString(QPagedPaintDevice* device)> print;
    // Tells the user of a printer failure the printing window's way; the
    // preview uses a warning of its own when this is empty.
    std::function<void(const QString& error)> reportFailure;
};

// The PDF file proposed for a printout: its subject and the day in folder,
// with the characters a file name cannot hold replaced by "-".
QString proposedPdfPath(const QString& subject, const QDate& day, const QString& folder);

// A page's place in its printout, from the catalogue's wording with %1 for
// the page and %2 for the number of pages ("Page %1 of %2").
QString pageOfPages(QString wording, int page, int pages);

// The user's documents folder (the home folder where there is none).
QString documentsFolder();

} // namespace durvek
