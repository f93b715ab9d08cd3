#include "common/ui/PrinterChooser.h"
#include <QApplication>
#include <QPrintDialog>
#include <QPrinterInfo>
#include <QTimer>
#include <QtTest>

using namespace durvek;

namespace {

// Answers the print dialog once it is up; false when no dialog came.
class DialogAnswerer : public QObject {
public:
    explicit DialogAnswerer(bool accept)
        : m_accept(accept)
    {
        QTimer::singleShot(50, this, [this] { answer(); });
    }
    bool sawDialog() const { return m_sawDialog; }

private:
    void answer()
    {
        auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget());
        if (!dialog) {
            if (++m_tries < 100)
                QTimer::singleShot(50, this, [this] { answer(); });
            return;
        }
        m_sawDialog = true;
        if (m_accept)
            dialog->accept();
        else
            dialog->reject();
    }
    bool m_accept;
    bool m_sawDialog = false;
    int m_tries = 0;
};

} // namespace

class TestPrinterChooser : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cancelGivesNoPrinter();
    void acceptGivesHighResolutionPrinter();
};

void TestPrinterChooser::initTestCase()
{
    if (!QPrinterInfo::defaultPrinter().isNull())
        QSKIP("A default printer is configured here; the dialog is not offered");
}

void TestPrinterChooser::cancelGivesNoPrinter()
{
    DialogAnswerer answerer(false);
    const std::unique_ptr<QPrinter> printer = choosePrinter(nullptr);
    QVERIFY(answerer.sawDialog());
    QVERIFY(!printer);
}

void TestPrinterChooser::acceptGivesHighResolutionPrinter()
{
    QTemporaryDir home;
    QVERIFY(home.isValid());
    QDir::setCurrent(home.path());
    DialogAnswerer answerer(true);
    const QString proposed = home.filePath(QStringLiteral("Race 10234567 2026-06-15.pdf"));
    const std::unique_ptr<QPrinter> printer = choosePrinter(nullptr, proposed);
    QVERIFY(answerer.sawDialog());
    QVERIFY(printer);
    // No printer installed: the dialog's choice is a PDF file, the one the printout proposes.
    QCOMPARE(printer->outputFormat(), QPrinter::PdfFormat);
    QCOMPARE(printer->outputFileName(), proposed);
    QVERIFY(printer->resolution() >= 300);
}

QTEST_MAIN(TestPrinterChooser)
#include "tst_printerchooser.moc"
