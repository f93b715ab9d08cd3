#include "common/ui/PrintPreviewWindow.h"
#include "common/TextCatalogue.h"
#include "common/ui/Captions.h"
#include "common/ui/PrinterChooser.h"
#include "common/ui/WindowSetUp.h"
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QMessageBox>
#include <QPageSize>
#include <QPrintPreviewWidget>
#include <QPrinterInfo>
#include <QPushButton>
#include <QVBoxLayout>

namespace durvek {

namespace {

constexpr int kPreviewTitleText = 130;

struct ButtonDesign {
    const char* caption;
    int number;
};

const ButtonDesign kButtons[PrintPreviewWindow::kButtonCount] = {
    {"Print", 91},
    {"Save as PDF", 131},
    {"Exit", 6},
};

// The paper of the default printer, A4 where there is none. The page is laid
// out from its very edge, as the printouts' millimetres are meant.
void setUpPaper(QPrinter& printer)
{
    const QPrinterInfo defaultPrinter = QPrinterInfo::defaultPrinter();
    printer.setPageSize(defaultPrinter.isNull() ? QPageSize(QPageSize::A4) : defaultPrinter.defaultPageSize());
    printer.setPageOrientation(QPageLayout::Portrait);
    printer.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
}

} // namespace

PrintPreviewWindow::PrintPreviewWindow(Printout printout, QWidget* parent, const QDate& today)
    : QDialog(parent)
    , m_printout(std::move(printout))
    , m_proposedPdfPath(durvek::proposedPdfPath(m_printout.subject, today, documentsFolder()))
    , m_pageSetup(QPrinter::HighResolution)
{
    setObjectName(QStringLiteral("PrintPreview"));
    setWindowTitle(GetText(kPreviewTitleText) + QStringLiteral(" - ") + m_printout.subject);
    setModal(true);
    m_pageSetup.setOutputFormat(QPrinter::PdfFormat);
    setUpPaper(m_pageSetup);

    m_pages = new QPrintPreviewWidget(&m_pageSetup, this);
    m_pages->setZoomMode(QPrintPreviewWidget::FitToWidth);
    connect(m_pages, &QPrintPreviewWidget::paintRequested, this, [this](QPrinter* printer) { printOn(*printer); });

    auto* row = new QHBoxLayout;
    row->addStretch(1);
    for (int index = 0; index < kButtonCount; ++index) {
        auto* button = new QPushButton(QString::fromLatin1(kButtons[index].caption), this);
        button->setObjectName(QStringLiteral("Command1_%1").arg(index));
        button->setAutoDefault(false);
        button->setMinimumWidth(110);
        setCaptionNumber(button, kButtons[index].number);
        m_buttons.append(button);
        row->addWidget(button);
    }
    connect(m_buttons[Print], &QPushButton::clicked, this, &PrintPreviewWindow::printOnPrinter);
    connect(m_buttons[SaveAsPdf], &QPushButton::clicked, this, &PrintPreviewWindow::chooseFileAndSave);
    connect(m_buttons[Exit], &QPushButton::clicked, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pages, 1);
    layout->addLayout(row);
    applyCaptions(this);
    // A page of A4 at a readable size on a 1024x768 screen, the first time.
    resize(720, 700);
    finishWindowSetUp(this);
}

bool PrintPreviewWindow::printOn(QPrinter& printer)
{
    const QString error = m_printout.print ? m_printout.print(&printer) : QString();
    if (error.isEmpty())
        return true;
    if (m_printout.reportFailure) {
        m_printout.reportFailure(error);
    } else {
        QMessageBox box(QMessageBox::Warning, GetText(kPreviewTitleText), error, QMessageBox::Ok, this);
        box.exec();
    }
    return false;
}

void PrintPreviewWindow::printOnPrinter()
{
    std::unique_ptr<QPrinter> printer = choosePrinter(this, m_proposedPdfPath);
    if (!printer)
        return;
    printer->setPageOrientation(QPageLayout::Portrait);
    if (printOn(*printer))
        accept();
}

void PrintPreviewWindow::chooseFileAndSave()
{
    // The catalogue's text, not the button's: a window title shows a mnemonic mark as it stands.
    QString path = QFileDialog::getSaveFileName(this, GetText(captionNumber(m_buttons[SaveAsPdf])), m_proposedPdfPath,
                                                QStringLiteral("PDF (*.pdf)"));
    if (path.isEmpty())
        return;
    // A name typed over the proposal loses the extension the file needs to open as a PDF.
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".pdf");
    if (saveAsPdf(path))
        accept();
}

bool PrintPreviewWindow::saveAsPdf(const QString& path)
{
    QPrinter file(QPrinter::HighResolution);
    file.setOutputFormat(QPrinter::PdfFormat);
    file.setPageLayout(m_pageSetup.pageLayout());
    file.setDocName(m_printout.subject);
    file.setOutputFileName(path);
    return printOn(file);
}

void showPrintPreview(QWidget* parent, const Printout& printout)
{
    PrintPreviewWindow window(printout, parent);
    window.exec();
}

} // namespace durvek
