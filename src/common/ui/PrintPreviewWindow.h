#pragma once
#include "common/Printout.h"
#include <QDialog>
#include <QPrinter>
#include <functional>

class QPrintPreviewWidget;
class QPushButton;

namespace durvek {

// Shows a printout's pages before they go anywhere, with Print (to the
// printer) and Save as PDF (to a file, proposed in the documents folder
// under the printout's subject and today's date). Every printout of the
// program opens it.
class PrintPreviewWindow : public QDialog {
    Q_OBJECT

public:
    enum Button { Print = 0, SaveAsPdf = 1, Exit = 2 };
    static constexpr int kButtonCount = 3;

    PrintPreviewWindow(Printout printout, QWidget* parent = nullptr, const QDate& today = QDate::currentDate());

    QString proposedPdfPath() const { return m_proposedPdfPath; }
    QPushButton* button(int index) const { return m_buttons.at(index); }
    QPrintPreviewWidget* pages() const { return m_pages; }

    // Writes the printout into the PDF file; false (after telling the user)
    // when the file cannot be written.
    bool saveAsPdf(const QString& path);

private:
    void printOnPrinter();
    void chooseFileAndSave();
    bool printOn(QPrinter& printer);

    Printout m_printout;
    QString m_proposedPdfPath;
    QPrinter m_pageSetup; // the paper the preview and the PDF file use
    QPrintPreviewWidget* m_pages = nullptr;
    QList<QPushButton*> m_buttons;
};

// Where a window's printouts go: the preview, or what a test puts instead.
using PrintoutHandler = std::function<void(QWidget* parent, const Printout& printout)>;

// Opens the preview of the printout modally over parent.
void showPrintPreview(QWidget* parent, const Printout& printout);

} // namespace durvek
