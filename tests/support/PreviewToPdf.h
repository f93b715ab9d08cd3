#pragma once
// Stands in for the user at the print preview: opens the real preview of each
// printout without showing it, notes the PDF file it proposes and saves the
// pages into a PDF of the test's own folder.
#include "common/ui/PrintPreviewWindow.h"
#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QStringList>

namespace durvek::testing {

struct PreviewToPdf {
    // The day the previews take as today, so proposed names are known.
    static QDate today() { return QDate(2026, 6, 15); }

    QString folder;
    QStringList proposed; // one per printout, in order
    QString lastPdf;

    PrintoutHandler handler()
    {
        return [this](QWidget* parent, const Printout& printout) {
            PrintPreviewWindow preview(printout, parent, today());
            proposed << preview.proposedPdfPath();
            lastPdf = QDir(folder).filePath(QStringLiteral("print%1.pdf").arg(proposed.size()));
            preview.saveAsPdf(lastPdf);
        };
    }

    // The name alone of the last file proposed.
    QString lastProposedName() const { return proposed.isEmpty() ? QString() : QFileInfo(proposed.last()).fileName(); }
};

} // namespace durvek::testing
