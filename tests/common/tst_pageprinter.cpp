#include "common/PagePrinter.h"
#include "support/PdfWords.h"
#include <QImage>
#include <QPdfWriter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

using namespace durvek;
using durvek::testing::PdfWords;

namespace {

const QString kFont = QStringLiteral("Times New Roman");

void setUpA4(QPdfWriter& writer)
{
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
}

// Plain 12-point text unless told otherwise, colour left out.
void printPlain(PagePrinter& printer, double x, double y, const QString& text, int alignment,
                bool endLine = false, double size = 12.0)
{
    printer.PrintText(x, y, text, false, false, false, size, kFont, alignment, endLine);
}

} // namespace

class TestPagePrinter : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void positionsInPdf();
    void colourIsBlackUnlessGiven();
    void pagesAndPageSize();
    void everyFontChangeReachesTheWidths();
    void unwritableFileEndsQuietly();

private:
    QTemporaryDir m_dir;
};

void TestPagePrinter::initTestCase()
{
    QVERIFY(m_dir.isValid());
    if (!PdfWords::toolAvailable())
        QSKIP("pdftotext (poppler-utils) is not installed");
}

void TestPagePrinter::positionsInPdf()
{
    const QString path = m_dir.filePath(QStringLiteral("positions.pdf"));
    double sizeFor20mm = 0;
    double afterFirst = 0;
    {
        QPdfWriter writer(path);
        setUpA4(writer);
        PagePrinter printer(&writer);

        // A size at which "Rightaligned" is exactly 20 mm wide.
        printPlain(printer, 10, 10, QStringLiteral("Measure"), 0, false, 10.0);
        sizeFor20mm = 10.0 * 20.0 / printer.textWidth(QStringLiteral("Rightaligned"));
        printPlain(printer, 100, 30, QStringLiteral("Rightaligned"), 1, false, sizeFor20mm);
        QCOMPARE(printer.currentX(), 100.0);
        QVERIFY(qAbs(printer.textWidth(QStringLiteral("Rightaligned")) - 20.0) < 0.02);

        printPlain(printer, 105, 50, QStringLiteral("Centred"), 2);
        printPlain(printer, 20, 70, QStringLiteral("Starting"), 0);
        // endLine false, then a call with its own x and y.
        printPlain(printer, 150, 90, QStringLiteral("Elsewhere"), 0);
        // endLine false, then an alignment that keeps the print position.
        printPlain(printer, 30, 110, QStringLiteral("First "), 0);
        afterFirst = printer.currentX();
        printPlain(printer, 999, 110, QStringLiteral("Follows"), 7);
        // endLine true moves to the start of the next line.
        printPlain(printer, 40, 130, QStringLiteral("Ended"), 0, true);
        QCOMPARE(printer.currentX(), 0.0);
        QVERIFY(printer.currentY() > 130.0 && printer.currentY() < 140.0);
        printPlain(printer, 999, 140, QStringLiteral("Linestart"), 3);
        printer.PrintText(60, 160, QStringLiteral("Boldunder"), true, true, true, 14, kFont, 0, false);
        QVERIFY(!printer.failed());
    }

    const PdfWords words = PdfWords::read(path);
    for (const char* printed : {"Rightaligned", "Centred", "Starting", "Elsewhere", "First", "Follows", "Linestart", "Boldunder"})
        QVERIFY2(words.contains(QLatin1String(printed)), printed);
    const double tolerance = 0.05;

    const QRectF right = words.find(QStringLiteral("Rightaligned")).mm;
    QVERIFY2(qAbs(right.right() - 100.0) < tolerance, qPrintable(QString::number(right.right())));
    QVERIFY2(qAbs(right.left() - 80.0) < tolerance, qPrintable(QString::number(right.left())));

    const QRectF centred = words.find(QStringLiteral("Centred")).mm;
    QVERIFY2(qAbs(centred.center().x() - 105.0) < tolerance, qPrintable(QString::number(centred.center().x())));

    const QRectF starting = words.find(QStringLiteral("Starting")).mm;
    QVERIFY2(qAbs(starting.left() - 20.0) < tolerance, qPrintable(QString::number(starting.left())));
    // y is the top of the line.
    QVERIFY2(qAbs(starting.top() - 70.0) < tolerance, qPrintable(QString::number(starting.top())));

    const QRectF elsewhere = words.find(QStringLiteral("Elsewhere")).mm;
    QVERIFY(qAbs(elsewhere.left() - 150.0) < tolerance);
    QVERIFY(qAbs(elsewhere.top() - starting.top() - 20.0) < tolerance);

    const QRectF first = words.find(QStringLiteral("First")).mm;
    const QRectF follows = words.find(QStringLiteral("Follows")).mm;
    QVERIFY2(qAbs(follows.left() - afterFirst) < tolerance,
             qPrintable(QStringLiteral("%1 vs %2").arg(follows.left()).arg(afterFirst)));
    QVERIFY(follows.left() > first.right());
    QVERIFY(qAbs(follows.top() - first.top()) < tolerance);

    const QRectF linestart = words.find(QStringLiteral("Linestart")).mm;
    QVERIFY2(linestart.left() < tolerance, qPrintable(QString::number(linestart.left())));

    QVERIFY(words.contains(QStringLiteral("Boldunder")));
    QVERIFY(qAbs(words.find(QStringLiteral("Boldunder")).mm.left() - 60.0) < tolerance);
}

void TestPagePrinter::colourIsBlackUnlessGiven()
{
    if (QStandardPaths::findExecutable(QStringLiteral("pdftoppm")).isEmpty())
        QSKIP("pdftoppm (poppler-utils) is not installed");
    const QString path = m_dir.filePath(QStringLiteral("colour.pdf"));
    {
        QPdfWriter writer(path);
        setUpA4(writer);
        PagePrinter printer(&writer);
        printer.PrintText(20, 20, QStringLiteral("MMMM"), false, true, false, 40, kFont, 0, false, QColor(Qt::red));
        printer.PrintText(20, 60, QStringLiteral("MMMM"), false, true, false, 40, kFont, 0, false);
    }
    const QString imageBase = m_dir.filePath(QStringLiteral("colour"));
    QProcess render;
    render.start(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QStringLiteral("50"), QStringLiteral("-png"),
                                              QStringLiteral("-singlefile"), path, imageBase});
    QVERIFY(render.waitForFinished(30000));
    QImage image(imageBase + QStringLiteral(".png"));
    QVERIFY(!image.isNull());

    // Ink in a band of the page: how many pixels are reddish, how many dark grey.
    auto inkIn = [&](double topMm, double bottomMm) {
        const double pxPerMm = image.height() / 297.0;
        int red = 0, black = 0;
        for (int y = int(topMm * pxPerMm); y < int(bottomMm * pxPerMm); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                const QColor c = image.pixelColor(x, y);
                if (c.red() > 150 && c.green() < 100 && c.blue() < 100)
                    ++red;
                else if (c.red() < 80 && c.green() < 80 && c.blue() < 80)
                    ++black;
            }
        }
        return std::pair{red, black};
    };
    const auto [redOfFirst, blackOfFirst] = inkIn(18, 40);
    const auto [redOfSecond, blackOfSecond] = inkIn(58, 80);
    QVERIFY2(redOfFirst > 50 && blackOfFirst == 0, qPrintable(QStringLiteral("%1 %2").arg(redOfFirst).arg(blackOfFirst)));
    QVERIFY2(blackOfSecond > 50 && redOfSecond == 0, qPrintable(QStringLiteral("%1 %2").arg(redOfSecond).arg(blackOfSecond)));
}

void TestPagePrinter::pagesAndPageSize()
{
    const QString path = m_dir.filePath(QStringLiteral("pages.pdf"));
    {
        QPdfWriter writer(path);
        setUpA4(writer);
        PagePrinter printer(&writer);
        QCOMPARE(printer.pageNumber(), 0);
        QVERIFY(qAbs(printer.pageHeight() - 297.0) < 0.1);
        QVERIFY(qAbs(printer.pageWidth() - 210.0) < 0.1);
        printPlain(printer, 10, 10, QStringLiteral("Pageone"), 0);
        QCOMPARE(printer.pageNumber(), 1);
        printer.newPage();
        QCOMPARE(printer.pageNumber(), 2);
        QCOMPARE(printer.currentY(), 0.0);
        printPlain(printer, 10, 280, QStringLiteral("Pagetwo"), 0);
        printer.endDocument();
        QVERIFY(!printer.failed());
    }
    const PdfWords words = PdfWords::read(path);
    QCOMPARE(words.find(QStringLiteral("Pageone")).page, 1);
    QCOMPARE(words.find(QStringLiteral("Pagetwo")).page, 2);
    QVERIFY(qAbs(words.find(QStringLiteral("Pagetwo")).mm.left() - 10.0) < 0.05);
}

// The font is set and measured once for a run of texts in it; a change of
// size, weight or slant, also back to an earlier font and into a new
// document, must still reach the widths.
void TestPagePrinter::everyFontChangeReachesTheWidths()
{
    QPdfWriter writer(m_dir.filePath(QStringLiteral("fonts.pdf")));
    setUpA4(writer);
    PagePrinter printer(&writer);
    const auto widthOf = [&](double size, bool bold, bool italic) {
        printer.PrintText(0, 0, QStringLiteral("Wide MMMM"), false, bold, italic, size, kFont, 0, false);
        return printer.currentX();
    };
    const double plain = widthOf(10, false, false);
    QCOMPARE(widthOf(10, false, false), plain);
    QVERIFY(widthOf(20, false, false) > 1.8 * plain);
    QCOMPARE(widthOf(10, false, false), plain);
    QVERIFY(widthOf(10, true, false) > plain);
    QVERIFY(widthOf(10, false, true) != widthOf(10, true, false));
    // A text behind the previous one starts where that one ended in its own font.
    const double wide = widthOf(20, false, false);
    printer.PrintText(0, 0, QStringLiteral("Wide MMMM"), false, false, false, 20, kFont, 0, false);
    printer.PrintText(0, 0, QStringLiteral("behind"), false, false, false, 10, kFont, 7, false);
    QCOMPARE(printer.currentX() - printer.textWidth(QStringLiteral("behind")), wide);
    printer.PrintText(0, 0, QStringLiteral("x"), false, false, false, 20, kFont, 0, false);
    QVERIFY(printer.textWidth(QStringLiteral("Wide MMMM")) > 1.8 * plain);
    printer.endDocument();
    QCOMPARE(printer.textWidth(QStringLiteral("Wide MMMM")), widthOf(20, false, false));
}

void TestPagePrinter::unwritableFileEndsQuietly()
{
    QPdfWriter writer(m_dir.filePath(QStringLiteral("no/such/folder/out.pdf")));
    PagePrinter printer(&writer);
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("QPainter::begin"));
    printPlain(printer, 10, 10, QStringLiteral("Lost"), 0);
    QVERIFY(printer.failed());
    QVERIFY(!printer.errorText().isEmpty());
    QCOMPARE(printer.pageNumber(), 0);
    PagePrinter nowhere(nullptr);
    printPlain(nowhere, 10, 10, QStringLiteral("Lost"), 0);
    QVERIFY(nowhere.failed());
    QCOMPARE(nowhere.textWidth(QStringLiteral("Lost")), 0.0);
}

QTEST_MAIN(TestPagePrinter)
#include "tst_pageprinter.moc"
