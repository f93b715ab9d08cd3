// The editing rules of the pigeon grid: completing bands, years, countries
// and colours on leaving a cell, typed keys, Enter, the two marks, the
// federation band check and Generate Bands.
#include "GridFixture.h"
#include "linking/GenerateBands.h"
#include "linking/GridEditing.h"
#include <QTest>

using namespace durvek;
using namespace durvek::test;

namespace {

constexpr int kCountry = PigeonGrid::kCountryColumn;
constexpr int kYear = PigeonGrid::kYearColumn;
constexpr int kBand = PigeonGrid::kBandColumn;
constexpr int kColour = PigeonGrid::kColourColumn;

// Remembers the program's moves of the current cell.
class MoveRecorder : public PigeonGridObserver {
public:
    QStringList moves; // "row,column,top"
    void gridReset() override {}
    void rowsAppended(int, int) override {}
    void cellChanged(int, int) override {}
    void rowColourChanged(int) override {}
    void currentMoved(int row, int column, bool toTop) override
    {
        moves << QStringLiteral("%1,%2,%3").arg(row).arg(column).arg(toTop ? "top" : "-");
    }
    void refreshRequested() override {}
};

} // namespace

class GridEditingTest : public QObject {
    Q_OBJECT

    std::unique_ptr<EditBench> bench;

    void type(const QString& keys)
    {
        for (QChar key : keys)
            GridKeyPress(bench->grid, key, true, bench->context);
    }
    void enter() { GridKeyPress(bench->grid, kEnterKey, true, bench->context); }
    // Types text into (row, column) and leaves the cell as an arrow key would.
    void typeAndLeave(int row, int column, const QString& keys)
    {
        bench->grid.setCurrent(row, column);
        type(keys);
        LeaveCell(bench->grid, row, column, bench->context);
    }

private slots:
    void init() { bench = std::make_unique<EditBench>(); }

    void shortBandsAreCompletedFromTheBandLeftLast()
    {
        bench->setRows({"", "", "", ""});
        typeAndLeave(1, kBand, "123");
        QCOMPARE(bench->grid.cellText(1, kBand), QStringLiteral("0000000123"));
        typeAndLeave(2, kBand, "45");
        QCOMPARE(bench->grid.cellText(2, kBand), QStringLiteral("0000000145"));
        typeAndLeave(3, kBand, "BE12345678");
        typeAndLeave(4, kBand, "95");
        QCOMPARE(bench->grid.cellText(4, kBand), QStringLiteral("BE12345695"));
        QCOMPARE(bench->lastBand, QStringLiteral("BE12345695"));
    }

    void anEmptyBandLeftKeepsTheNextShortBandAsTyped()
    {
        bench->setRows({"", "", ""});
        typeAndLeave(1, kBand, "");
        QCOMPARE(bench->lastBand, QString());
        typeAndLeave(2, kBand, "77");
        QCOMPARE(bench->grid.cellText(2, kBand), QStringLiteral("77"));
        // The short band is what the next one is completed from.
        typeAndLeave(3, kBand, "5");
        QCOMPARE(bench->grid.cellText(3, kBand), QStringLiteral("775"));
    }

    void leavingABandFillsCountryAndYear()
    {
        bench->setRows({"", "", "", "DE|19|0000000004", ""});
        typeAndLeave(1, kBand, "1");
        QCOMPARE(bench->row(1), QStringLiteral("NL|31|0000000001||||"));
        typeAndLeave(5, kBand, "5");
        QCOMPARE(bench->row(5), QStringLiteral("DE|19|0000000005||||"));
        // Filled values are kept as they are.
        bench->grid.setCellText(2, kCountry, QStringLiteral("FR"));
        bench->grid.setCellText(2, kYear, QStringLiteral("20"));
        typeAndLeave(2, kBand, "2");
        QCOMPARE(bench->row(2), QStringLiteral("FR|20|0000000002||||"));
    }

    void yearsKeepTwoDigitsAndComeFromAbove()
    {
        bench->setRows({"NL|22", "NL|23", "", ""});
        typeAndLeave(3, kYear, "7");
        QCOMPARE(bench->grid.cellText(3, kYear), QStringLiteral("23"));
        typeAndLeave(4, kYear, "2024");
        QCOMPARE(bench->grid.cellText(4, kYear), QStringLiteral("24"));
        bench->grid.setCellText(1, kYear, QString());
        typeAndLeave(1, kYear, "");
        QCOMPARE(bench->grid.cellText(1, kYear), QStringLiteral("31"));
        bench->grid.setCellText(2, kYear, QString());
        typeAndLeave(2, kYear, "5");
        QCOMPARE(bench->grid.cellText(2, kYear), QStringLiteral("31"));
    }

    void countriesKeepTheirLastThreeCharacters()
    {
        bench->setRows({"", "", ""});
        typeAndLeave(1, kCountry, "BELG");
        QCOMPARE(bench->grid.cellText(1, kCountry), QStringLiteral("ELG"));
        typeAndLeave(2, kCountry, "");
        QCOMPARE(bench->grid.cellText(2, kCountry), QStringLiteral("ELG"));
        QCOMPARE(bench->grid.cellText(2, kYear), QString()); // the country rule alone
        bench->grid.setCellText(1, kCountry, QString());
        typeAndLeave(1, kCountry, "");
        QCOMPARE(bench->grid.cellText(1, kCountry), QStringLiteral("NL"));
    }

    void coloursKeepFourCharactersCompletedFromTheLastColour()
    {
        bench->setRows({"||0000000001", "||0000000002", "", ""});
        typeAndLeave(1, kColour, "BLAUW");
        QCOMPARE(bench->grid.cellText(1, kColour), QStringLiteral("BLAU"));
        QCOMPARE(bench->lastColour, QStringLiteral("BLAU"));
        QCOMPARE(bench->row(1), QStringLiteral("NL|31|0000000001|BLAU|||"));
        typeAndLeave(2, kColour, "K");
        QCOMPARE(bench->grid.cellText(2, kColour), QStringLiteral("BLAK"));
        QCOMPARE(bench->lastColour, QStringLiteral("BLAK"));
        // No band: neither country nor year is filled.
        typeAndLeave(3, kColour, "RO");
        QCOMPARE(bench->row(3), QStringLiteral("|||BLRO|||"));
        // An empty colour is left alone and forgets nothing.
        typeAndLeave(4, kColour, "");
        QCOMPARE(bench->grid.cellText(4, kColour), QString());
        QCOMPARE(bench->lastColour, QStringLiteral("BLRO"));
    }

    void aShortLastColourGivesFewerCharacters()
    {
        bench->setRows({"", ""});
        bench->lastColour = QStringLiteral("R");
        typeAndLeave(1, kColour, "B");
        QCOMPARE(bench->grid.cellText(1, kColour), QStringLiteral("RB"));
    }

    void keysPassTheColumnMaskAndAreUpperCased()
    {
        bench->setRows({""});
        bench->grid.setCurrent(1, kYear);
        type("2a4");
        QCOMPARE(bench->grid.cellText(1, kYear), QStringLiteral("24"));
        bench->grid.setCurrent(1, kCountry);
        type("b'e");
        QCOMPARE(bench->grid.cellText(1, kCountry), QString::fromUtf16(u"B\u00B4E"));
        bench->grid.setCurrent(1, kColour);
        type(QString::fromUtf16(u"gr\u00E9"));
        QCOMPARE(bench->grid.cellText(1, kColour), QString::fromUtf16(u"GR\u00C9"));
    }

    void anEleventhCharacterIsDroppedAndBackspaceRemovesOne()
    {
        bench->setRows({""});
        bench->grid.setCurrent(1, kBand);
        type("12345678901");
        QCOMPARE(bench->grid.cellText(1, kBand), QStringLiteral("1234567890"));
        GridKeyPress(bench->grid, kBackspaceKey, true, bench->context);
        QCOMPARE(bench->grid.cellText(1, kBand), QStringLiteral("123456789"));
        bench->grid.setCellText(1, kBand, QStringLiteral("1"));
        GridKeyPress(bench->grid, kBackspaceKey, true, bench->context);
        GridKeyPress(bench->grid, kBackspaceKey, true, bench->context);
        QCOMPARE(bench->grid.cellText(1, kBand), QString());
    }

    void keysChangeNothingWithoutAFancierOrOutsideTheTypedColumns()
    {
        bench->setRows({""});
        bench->grid.setCurrent(1, kBand);
        GridKeyPress(bench->grid, u'7', false, bench->context);
        GridKeyPress(bench->grid, kEnterKey, false, bench->context);
        QCOMPARE(bench->grid.cellText(1, kBand), QString());
        QCOMPARE(bench->grid.currentRow(), 1);
        for (int column : {0, 5, 6, 7}) {
            bench->grid.setCurrent(1, column);
            type("7");
            enter();
            QCOMPARE(bench->grid.cellText(1, column), column == 0 ? QStringLiteral("1") : QString());
            QCOMPARE(bench->grid.currentRow(), 1);
        }
        QCOMPARE(bench->grid.rowCount(), 3);
    }

    void enterCompletesTheCellAndMovesOneRowDown()
    {
        MoveRecorder moves;
        bench->setRows({"NL|24|0000000100"});
        bench->grid.setObserver(&moves);
        bench->grid.setCurrent(2, kBand);
        moves.moves.clear();
        type("1");
        enter();
        QCOMPARE(bench->row(2), QStringLiteral("NL|24|0000000001||||"));
        // The last row was current: a row is added and numbered.
        QCOMPARE(bench->grid.rowCount(), 4);
        QCOMPARE(bench->grid.cellText(3, 0), QStringLiteral("3"));
        QCOMPARE(bench->grid.currentRow(), 3);
        QCOMPARE(bench->grid.currentColumn(), kBand);
        QCOMPARE(moves.moves, QStringList({"3,3,top"}));
        // Enter higher up moves without adding a row.
        bench->grid.setCurrent(1, kColour);
        type("bl");
        enter();
        QCOMPARE(bench->grid.currentRow(), 2);
        QCOMPARE(bench->grid.rowCount(), 4);
        QCOMPARE(bench->grid.cellText(1, kColour), QStringLiteral("BL"));
        bench->grid.setObserver(nullptr);
    }

    void enterUpperCasesTheCellItArrivesAt()
    {
        bench->setRows({"NL|24|0000000100", "be|24|0000000200"});
        bench->grid.setCurrent(1, kCountry);
        enter();
        QCOMPARE(bench->grid.cellText(2, kCountry), QStringLiteral("BE"));
    }

    void enterOnAFederationBandInUseWarnsAndStays()
    {
        bench->setRows({"NL|24|0000000100", "NL|24|0000000200", "NL|24|0000000300"});
        bench->grid.setCurrent(3, kBand);
        bench->grid.setCellText(3, kBand, QStringLiteral("200"));
        bench->lastBand = QStringLiteral("0000000300");
        enter();
        QCOMPARE(bench->warnings, QStringList({"Reading El. band # 2|Fed. band NL240000000200 already used by this fancier"}));
        QCOMPARE(bench->grid.currentRow(), 3);
        QCOMPARE(bench->grid.rowCount(), 5);
        QCOMPARE(bench->row(3), QStringLiteral("NL|24|0000000200||||"));
    }

    void enterOnRowsWithoutABandNeverClashes()
    {
        // Two empty rows are no two pigeons with the same band.
        bench->setRows({"NL|24|0000000100", ""});
        bench->grid.setCurrent(2, kColour);
        enter();
        bench->grid.setCurrent(2, kColour);
        enter();
        QVERIFY(bench->warnings.isEmpty());
        QCOMPARE(bench->grid.currentRow(), 3);
    }

    void federationBandCheckFindsTheFirstOtherRow()
    {
        bench->setRows({"NL|24|0000000100", "NL|24|0000000100", "NL|24|0000000100"});
        QVERIFY(FedBandInUse(bench->grid, 2, bench->grid.federationBand(2), bench->context.warn));
        QVERIFY(FedBandInUse(bench->grid, 1, bench->grid.federationBand(1), bench->context.warn));
        QCOMPARE(bench->warnings.size(), 2);
        QVERIFY(bench->warnings[0].startsWith("Reading El. band # 1|"));
        QVERIFY(bench->warnings[1].startsWith("Reading El. band # 2|"));
        // Country, year and band count together, exactly.
        bench->warnings.clear();
        bench->setRows({"NL|24|0000000100", "NL|25|0000000100", "nl|24|0000000100"});
        QVERIFY(!FedBandInUse(bench->grid, 1, bench->grid.federationBand(1), bench->context.warn));
        QVERIFY(bench->warnings.isEmpty());
    }

    void clicksToggleTheSexAndDeleteMarks()
    {
        bench->setRows({"NL|24|0000000100"});
        bench->grid.setCurrent(1, PigeonGrid::kSexColumn);
        GridClick(bench->grid, bench->context);
        QCOMPARE(bench->grid.cellText(1, PigeonGrid::kSexColumn), QStringLiteral("W"));
        GridClick(bench->grid, bench->context);
        QCOMPARE(bench->grid.cellText(1, PigeonGrid::kSexColumn), QString());
        bench->grid.setCurrent(1, PigeonGrid::kDeleteColumn);
        GridClick(bench->grid, bench->context);
        QCOMPARE(bench->grid.cellText(1, PigeonGrid::kDeleteColumn), QStringLiteral("X"));
        GridClick(bench->grid, bench->context);
        QCOMPARE(bench->grid.cellText(1, PigeonGrid::kDeleteColumn), QString());
        for (int column : {0, 1, 2, 3, 4, 6}) {
            bench->grid.setCurrent(1, column);
            const QString before = bench->row(1);
            GridClick(bench->grid, bench->context);
            QCOMPARE(bench->row(1), before);
        }
    }

    void generateBandsFillsTheRowsFromTheEmptyLastRow()
    {
        bench->setRows({"DE|20|0000000001"});
        QCOMPARE(GenerateBands(bench->grid, "BE123", "125", bench->context), 3);
        QCOMPARE(bench->grid.rowCount(), 6);
        QCOMPARE(bench->row(2), QStringLiteral("NL|31|BE00000123||||"));
        QCOMPARE(bench->row(3), QStringLiteral("NL|31|BE00000124||||"));
        QCOMPARE(bench->row(4), QStringLiteral("NL|31|BE00000125||||"));
        QCOMPARE(bench->row(5), QStringLiteral("||||||"));
        QCOMPARE(bench->grid.cellText(4, 0), QStringLiteral("4"));
        QCOMPARE(bench->grid.currentRow(), 4);
        QCOMPARE(bench->lastBand, QStringLiteral("0000000000"));

        QCOMPARE(GenerateBands(bench->grid, "100", "102", bench->context), 3);
        QCOMPARE(bench->grid.cellText(5, kBand), QStringLiteral("0000000100"));
        QCOMPARE(bench->grid.cellText(7, kBand), QStringLiteral("0000000102"));
    }

    void generateBandsKeepsCountryAndYearAlreadyInTheRow()
    {
        bench->setRows({});
        bench->grid.setCellText(1, kCountry, QStringLiteral("FR"));
        bench->grid.setCellText(1, kYear, QStringLiteral("19"));
        QCOMPARE(GenerateBands(bench->grid, "7", "8", bench->context), 2);
        QCOMPARE(bench->row(1), QStringLiteral("FR|19|0000000007||||"));
        // The year is not copied from the row above.
        QCOMPARE(bench->row(2), QStringLiteral("NL|31|0000000008||||"));
    }

    void generateBandsNeedsARun_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::newRow("backwards") << "100" << "99";
        QTest::newRow("to zero") << "100" << "0";
        QTest::newRow("to empty") << "100" << "";
        QTest::newRow("from empty") << "" << "5";
        QTest::newRow("from zero") << "BE0" << "5";
        QTest::newRow("from ends in a letter") << "12A" << "20";
        QTest::newRow("prefix of ten") << "ABCDEFGHIJ1" << "2";
        QTest::newRow("numbers wider than the band") << "BE1" << "123456789";
        QTest::newRow("too long a run") << "1" << "99999999";
        QTest::newRow("beyond 32 bits") << "1" << "99999999999";
    }
    void generateBandsNeedsARun()
    {
        QFETCH(QString, from);
        QFETCH(QString, to);
        bench->setRows({"NL|24|0000000100"});
        QCOMPARE(GenerateBands(bench->grid, from, to, bench->context), 0);
        QCOMPARE(bench->grid.rowCount(), 3);
        QCOMPARE(bench->row(2), QStringLiteral("||||||"));
    }

    void generateBandsUsesTheWholeBandWidth()
    {
        bench->setRows({});
        QCOMPARE(GenerateBands(bench->grid, "BE12345678", "12345679", bench->context), 2);
        QCOMPARE(bench->grid.cellText(2, kBand), QStringLiteral("BE12345679"));
        QCOMPARE(GenerateBands(bench->grid, "1", "1", bench->context), 1);
    }

    void generateBandsSkipsBandsInUseAndReusesTheRow()
    {
        bench->setRows({"NL|31|0000000101"});
        QCOMPARE(GenerateBands(bench->grid, "100", "102", bench->context), 2);
        QCOMPARE(bench->warnings, QStringList({"Reading El. band # 1|Fed. band NL310000000101 already used by this fancier"}));
        QCOMPARE(bench->grid.cellText(2, kBand), QStringLiteral("0000000100"));
        QCOMPARE(bench->grid.cellText(3, kBand), QStringLiteral("0000000102"));
        QCOMPARE(bench->grid.rowCount(), 5);
        QCOMPARE(bench->grid.cellText(4, kBand), QString());
    }

    void generateBandsGivesAHeaderOnlyGridItsFirstRow()
    {
        bench->grid.setRowCount(1);
        QCOMPARE(GenerateBands(bench->grid, "5", "5", bench->context), 1);
        QCOMPARE(bench->grid.rowCount(), 3);
        QCOMPARE(bench->grid.cellText(1, 0), QStringLiteral("1"));
        QCOMPARE(bench->grid.cellText(1, kBand), QStringLiteral("0000000005"));
    }
};

QTEST_GUILESS_MAIN(GridEditingTest)
#include "tst_grid_editing.moc"
