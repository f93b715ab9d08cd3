// The printout of the linking list, read back from a PDF: where every text
// lands in millimetres, the two-column order, page breaks and page numbers.
#include "GridFixture.h"
#include "common/PagePrinter.h"
#include "linking/LinkingPrintout.h"
#include "support/PdfWords.h"
#include <QFile>
#include <QPdfWriter>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace durvek;
using namespace durvek::test;
using namespace durvek::testing;

namespace {

constexpr double kTolerance = 0.4; // mm

QString layoutOf(const QString& pdfPath)
{
    QProcess process;
    process.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdfPath, QStringLiteral("-")});
    process.waitForFinished(30000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

QString texts(int number)
{
    switch (number) {
    case 37: return QStringLiteral("Fed.band");
    case 38: return QStringLiteral("Sx.");
    case 39: return QStringLiteral("El.band");
    case 62: return QStringLiteral("Message");
    case 66: return QStringLiteral("PigeonData");
    case 68: return QStringLiteral("W");
    default: return QStringLiteral("T%1").arg(number);
    }
}

const QStringList kHeaderLines = {"Name : Jan  - Licence : 12345678", "Adress : Dorp 1",
                                  "Zip : 9000  - City : Gent  - District : Oost"};

} // namespace

class LinkingPrintoutTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    std::unique_ptr<EditBench> bench;
    PdfWords words;

    // Prints the bench's grid on A4 without margins and reads the words back.
    void print(const QString& name)
    {
        const QString path = dir.filePath(name + QStringLiteral(".pdf"));
        {
            QPdfWriter writer(path);
            writer.setPageSize(QPageSize(QPageSize::A4));
            writer.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
            PagePrinter printer(&writer);
            printLinkingList(printer, bench->grid, kHeaderLines, &texts);
            QVERIFY(!printer.failed());
        }
        words = PdfWords::read(path);
        QVERIFY(!words.all().isEmpty());
    }

    static bool near(double a, double b) { return qAbs(a - b) < kTolerance; }

    // True when a word with this text starts at x on the page with its line top at y.
    bool isAt(const QString& text, int page, double x, double y) const
    {
        for (const PdfWord& w : words.all())
            if (w.text == text && w.page == page && near(w.mm.left(), x) && near(w.mm.top(), y))
                return true;
        return false;
    }
    void expectAt(const QString& text, int page, double x, double y)
    {
        QVERIFY2(isAt(text, page, x, y),
                 qPrintable(QStringLiteral("no %1 on page %2 at (%3, %4)").arg(text).arg(page).arg(x).arg(y)));
    }
    // The words of a page whose line top is at y.
    QStringList line(int page, double y) const
    {
        QStringList found;
        for (const PdfWord& w : words.all())
            if (w.page == page && near(w.mm.top(), y))
                found << w.text;
        return found;
    }

    void fillRows(int pigeons)
    {
        QStringList rows;
        for (int i = 1; i <= pigeons; ++i)
            rows << QStringLiteral("BE|05|%1|||%2|").arg(i, 10, 10, QChar(u'0')).arg(i, 8, 16, QChar(u'0'));
        bench->setRows(rows);
    }

private slots:
    void initTestCase()
    {
        if (!PdfWords::toolAvailable())
            QSKIP("pdftotext (poppler-utils) is not installed");
    }
    void init() { bench = std::make_unique<EditBench>(); }

    void pageHeaderAndRowPairs()
    {
        bench->setRows({"BE|05|0123456789||W|0A1B2C3D|", "NL|24|     12345|BLAU||1122AABB|X", "DE|23|0000000007|||          |"});
        print("pairs");
        // The title stands alone: no message printed over it.
        QCOMPARE(line(1, 5), QStringList({"PigeonData"}));
        expectAt("PigeonData", 1, 2, 5);
        expectAt("Name", 1, 2, 13);
        expectAt("Adress", 1, 2, 19);
        expectAt("Zip", 1, 2, 25);
        for (double offset : {0.0, 100.0}) {
            // " #": the number sign follows a space.
            QVERIFY(isAt("#", 1, offset + 2.9, 31));
            expectAt("Fed.band", 1, offset + 10, 31);
            expectAt("Sx.", 1, offset + 50, 31);
            expectAt("El.band", 1, offset + 60, 31);
        }
        // Rows 1 and 2 share the first line, 3 and 4 the next.
        expectAt("1", 1, 2, 36);
        expectAt("BE-05-0123456789", 1, 10, 36);
        expectAt("W", 1, 50, 36);
        expectAt("0A1B2C3D", 1, 60, 36);
        expectAt("2", 1, 102, 36);
        expectAt("NL-24-12345", 1, 110, 36);
        expectAt("1122AABB", 1, 160, 36);
        expectAt("3", 1, 2, 41);
        expectAt("DE-23-0000000007", 1, 10, 41);
        expectAt("4", 1, 102, 41);
        // The empty last row: its number and two hyphens.
        QCOMPARE(line(1, 41), QStringList({"3", "DE-23-0000000007", "4", "-", "-"}));
        QCOMPARE(line(1, 36), QStringList({"1", "BE-05-0123456789", "W", "0A1B2C3D", "2", "NL-24-12345", "1122AABB"}));
        // Title, header lines and texts: nothing else on the page, no page number.
        const QString layout = layoutOf(dir.filePath("pairs.pdf"));
        QCOMPARE(layout.count(QStringLiteral("\f")), 1);
        QVERIFY(!layout.contains(QStringLiteral("T6")));
    }

    void aFullLastPageIsFollowedByAHeaderOnlyPage()
    {
        // 101 pigeons and the empty row fill the first page exactly.
        fillRows(101);
        print("full");
        expectAt("101", 1, 2, 36 + 50 * 5);
        expectAt("102", 1, 102, 36 + 50 * 5);
        // The full page ends with its number, its top 6 mm above the page's bottom edge.
        QCOMPARE(line(1, 297 - 6), QStringList({"1"}));
        // The second page carries the header only, and no number.
        expectAt("PigeonData", 2, 2, 5);
        expectAt("El.band", 2, 160, 31);
        QCOMPARE(words.wordsOnPage(2), words.wordsOnPage(1) - 102 * 3 - 1);
        QCOMPARE(words.wordsOnPage(3), 0);
    }

    void rowsGoOnBelowTheHeaderOfTheNextPage()
    {
        fillRows(104);
        print("three");
        expectAt("103", 2, 2, 36);
        expectAt("BE-05-0000000103", 2, 10, 36);
        expectAt("104", 2, 102, 36);
        expectAt("105", 2, 2, 41);
        QCOMPARE(line(1, 297 - 6), QStringList({"1"}));
        QVERIFY(line(2, 297 - 6).isEmpty());
        QCOMPARE(words.all().last().page, 2);
    }
};

QTEST_MAIN(LinkingPrintoutTest)
#include "tst_linking_printout.moc"
