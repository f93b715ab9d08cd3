#include "FancierClub.h"
#include "support/ShownCaption.h"
#include "clocklink/Frames.h"
#include "common/AppState.h"
#include "common/ui/FilteredLineEdit.h"
#include "fanciers/ui/FancierSearchWindow.h"
#include <QApplication>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <memory>

using namespace durvek;
using durvek::testing::FancierClub;

namespace {

// The ids the grid lists, top to bottom.
QList<int> listedIds(const FancierSearchWindow& window)
{
    QAbstractItemModel* model = window.grid()->model();
    while (model->canFetchMore({}))
        model->fetchMore({});
    QList<int> ids;
    for (int row = 0; row < model->rowCount(); ++row)
        ids.append(model->index(row, SearchId).data().toInt());
    return ids;
}

void typeKeys(QWidget* box, const QString& text)
{
    // One key event per character, so each one is filtered and requeried.
    for (QChar c : text)
        QTest::keyClick(box, c.toLatin1() ? c.toLatin1() : char(0), Qt::NoModifier);
}

} // namespace

class FancierSearchWindowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<FancierClub> club;

private slots:
    void init()
    {
        club = std::make_unique<FancierClub>();
        linkBuffers().CancelRequested = false;
    }

    void cleanup() { club.reset(); }

    void windowTextsFollowTheMode_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("prompt");
        QTest::newRow("licence") << 0 << QStringLiteral("Search by licence");
        QTest::newRow("name") << 1 << QStringLiteral("Search by name");
        QTest::newRow("record number") << 2 << QStringLiteral("Search by record number");
    }

    void windowTextsFollowTheMode()
    {
        QFETCH(int, mode);
        QFETCH(QString, prompt);
        FancierSearchWindow window(nullptr, fancierSearchModeFromNumber(mode));
        QCOMPARE(window.windowTitle(), QStringLiteral("Searh Fancier-data"));
        QStringList labels;
        for (QLabel* label : window.findChildren<QLabel*>())
            labels.append(label->text());
        QVERIFY2(labels.contains(prompt), qPrintable(labels.join(u',')));
        QVERIFY(labels.contains(QStringLiteral("Enter your search - query below")));
        QCOMPARE(durvek::testing::shownCaption(window.exitButton()), QStringLiteral("Exit"));
        QCOMPARE(durvek::testing::shownCaption(window.selectButton()), QStringLiteral("Select"));
        QStringList headers;
        for (int column = 0; column < 9; ++column)
            headers.append(window.grid()->model()->headerData(column, Qt::Horizontal).toString());
        QCOMPARE(headers, (QStringList{"ID", "Licence", "Name", "Adress", "Zip", "City", "Telephone", "Fax",
                                       "E-Mail"}));
    }

    void emptyBoxListsEveryFancierBySortKeyExceptByRecordNumber()
    {
        FancierSearchWindow byLicence(nullptr, FancierSearchMode::ByLicence);
        // Sort keys: 100%LOFT, JANDEVRIES, JANSENPIET, O'BRIEN, PEETERS_JAN, VANDENBERG (inactive too).
        QCOMPARE(listedIds(byLicence), (QList<int>{5, 2, 1, 20, 17, 3}));
        FancierSearchWindow byName(nullptr, FancierSearchMode::ByName);
        QCOMPARE(listedIds(byName), (QList<int>{5, 2, 1, 20, 17, 3}));
        FancierSearchWindow byNumber(nullptr, FancierSearchMode::ByRecordNumber);
        QVERIFY(listedIds(byNumber).isEmpty());
    }

    void licenceSearchNarrowsWithEveryDigitAndTakesDigitsOnly()
    {
        FancierSearchWindow window(nullptr, FancierSearchMode::ByLicence);
        window.show();
        typeKeys(window.queryBox(), QStringLiteral("1"));
        QCOMPARE(listedIds(window), (QList<int>{2, 1, 17}));
        typeKeys(window.queryBox(), QStringLiteral("2"));
        QCOMPARE(listedIds(window), (QList<int>{2, 1}));
        typeKeys(window.queryBox(), QStringLiteral("-a'"));
        QCOMPARE(window.queryBox()->text(), QStringLiteral("12"));
        QCOMPARE(listedIds(window), (QList<int>{2, 1}));
        typeKeys(window.queryBox(), QStringLiteral("3"));
        QCOMPARE(listedIds(window), (QList<int>{1}));
    }

    void nameSearchIgnoresCaseAndBackspaceWidensAgain()
    {
        FancierSearchWindow window(nullptr, FancierSearchMode::ByName);
        window.show();
        typeKeys(window.queryBox(), QStringLiteral("JAN"));
        QCOMPARE(listedIds(window), (QList<int>{2, 1}));
        typeKeys(window.queryBox(), QStringLiteral("s"));
        QCOMPARE(listedIds(window), (QList<int>{1}));
        QTest::keyClick(window.queryBox(), Qt::Key_Backspace);
        QTest::keyClick(window.queryBox(), Qt::Key_Backspace);
        QCOMPARE(window.shownQuery(), QStringLiteral("JA"));
        QCOMPARE(listedIds(window), (QList<int>{2, 1}));
    }

    // Columns are sized once; a key narrows the rows but leaves the widths
    // (also those the user set) alone.
    void keysKeepTheColumnWidths()
    {
        FancierSearchWindow window(nullptr, FancierSearchMode::ByName);
        window.show();
        window.grid()->setColumnWidth(SearchName, 333);
        typeKeys(window.queryBox(), QStringLiteral("JAN"));
        QCOMPARE(listedIds(window), (QList<int>{2, 1}));
        QCOMPARE(window.grid()->columnWidth(SearchName), 333);
    }

    // The grid paints its cells as the style does: text elided to the column,
    // the current row selected and framed.
    void gridCellsLookAsTheStylePaintsThem()
    {
        FancierSearchWindow window(nullptr, FancierSearchMode::ByName);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        window.grid()->setFocus();
        window.grid()->setColumnWidth(SearchName, 40);
        const QImage painted = window.grid()->viewport()->grab().toImage();
        window.grid()->setItemDelegate(new QStyledItemDelegate(window.grid()));
        QCOMPARE(window.grid()->viewport()->grab().toImage(), painted);
    }

    void wildcardsInTheQueryMatchOnlyThemselves()
    {
        FancierSearchWindow window(nullptr, FancierSearchMode::ByName);
        window.show();
        typeKeys(window.queryBox(), QStringLiteral("1%"));
        QVERIFY(listedIds(window).isEmpty());
        window.queryBox()->clear();
        typeKeys(window.queryBox(), QStringLiteral("100%"));
        QCOMPARE(listedIds(window), (QList<int>{5}));
        window.queryBox()->clear();
        typeKeys(window.queryBox(), QStringLiteral("Peeters_"));
        QCOMPARE(listedIds(window), (QList<int>{17}));
        window.queryBox()->clear();
        typeKeys(window.queryBox(), QStringLiteral("["));
        QVERIFY(listedIds(window).isEmpty());
        window.queryBox()->clear();
        typeKeys(window.queryBox(), QStringLiteral("\\"));
        QVERIFY(listedIds(window).isEmpty());
    }

    void apostropheBecomesTheAccentSoOnlyThePartBeforeItFinds()
    {
        FancierSearchWindow window(nullptr, FancierSearchMode::ByName);
        window.show();
        typeKeys(window.queryBox(), QStringLiteral("O"));
        QCOMPARE(listedIds(window), (QList<int>{20}));
        typeKeys(window.queryBox(), QStringLiteral("'"));
        QCOMPARE(window.queryBox()->text(), QStringLiteral("O\u00B4"));
        QVERIFY(listedIds(window).isEmpty());
    }

    void recordNumberSearchFindsOneIdAtATime()
    {
        FancierSearchWindow window(nullptr, FancierSearchMode::ByRecordNumber);
        window.show();
        typeKeys(window.queryBox(), QStringLiteral("1"));
        QCOMPARE(listedIds(window), (QList<int>{1}));
        typeKeys(window.queryBox(), QStringLiteral("7"));
        QCOMPARE(listedIds(window), (QList<int>{17}));
        typeKeys(window.queryBox(), QStringLiteral("99999999999999999999"));
        QVERIFY(listedIds(window).isEmpty());
        window.queryBox()->clear();
        QVERIFY(listedIds(window).isEmpty());
    }

    void selectHandsBackTheCurrentRow()
    {
        FancierSearchWindow window(nullptr, FancierSearchMode::ByName);
        window.show();
        typeKeys(window.queryBox(), QStringLiteral("jan"));
        linkBuffers().CancelRequested = true;
        window.grid()->setCurrentIndex(window.grid()->model()->index(1, 2));
        QTest::mouseClick(window.selectButton(), Qt::LeftButton);
        QVERIFY(!window.isVisible());
        QCOMPARE(appState().currentFancierId, 1);
        QVERIFY(!linkBuffers().CancelRequested);
    }

    void enterChoosesTheFirstMatchAtOnce()
    {
        FancierSearchWindow window(nullptr, FancierSearchMode::ByLicence);
        window.show();
        QApplication::setActiveWindow(&window);
        typeKeys(window.queryBox(), QStringLiteral("17"));
        QTest::keyClick(window.queryBox(), Qt::Key_Return);
        QVERIFY(!window.isVisible());
        QCOMPARE(appState().currentFancierId, 17);
        QVERIFY(!linkBuffers().CancelRequested);
    }

    void upAndDownMoveTheListWhileTypingGoesOn()
    {
        FancierSearchWindow window(nullptr, FancierSearchMode::ByName);
        window.show();
        QApplication::setActiveWindow(&window);
        window.queryBox()->setFocus();
        const QList<int> ids = listedIds(window);
        QVERIFY(ids.size() >= 3);
        QTest::keyClick(window.queryBox(), Qt::Key_Down);
        QTest::keyClick(window.queryBox(), Qt::Key_Down);
        QTest::keyClick(window.queryBox(), Qt::Key_Up);
        QCOMPARE(window.grid()->currentIndex().row(), 1);
        QVERIFY(window.grid()->selectionModel()->isRowSelected(1, {}));
        QCOMPARE(QApplication::focusWidget(), window.queryBox());
        // In the list Tab goes on to the buttons, not from cell to cell.
        window.grid()->setFocus();
        QTest::keyClick(window.grid(), Qt::Key_Tab);
        QVERIFY(!window.grid()->hasFocus());
        window.queryBox()->setFocus();
        QTest::keyClick(window.queryBox(), Qt::Key_Return);
        QVERIFY(!window.isVisible());
        QCOMPARE(appState().currentFancierId, ids.at(1));
    }

    void leavingWithoutAChoiceHandsBackNoFancier_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("Exit after picking a row") << QStringLiteral("exit");
        QTest::newRow("Select on an empty list") << QStringLiteral("select-empty");
        QTest::newRow("Escape") << QStringLiteral("escape");
        QTest::newRow("window frame") << QStringLiteral("frame");
    }

    void leavingWithoutAChoiceHandsBackNoFancier()
    {
        QFETCH(QString, how);
        appState().currentFancierId = 5;
        linkBuffers().CancelRequested = false;
        FancierSearchWindow window(nullptr, FancierSearchMode::ByLicence);
        window.show();
        window.grid()->setCurrentIndex(window.grid()->model()->index(2, 0));
        if (how == QLatin1String("exit")) {
            QTest::mouseClick(window.exitButton(), Qt::LeftButton);
        } else if (how == QLatin1String("select-empty")) {
            typeKeys(window.queryBox(), QStringLiteral("9"));
            QVERIFY(listedIds(window).isEmpty());
            QTest::mouseClick(window.selectButton(), Qt::LeftButton);
        } else if (how == QLatin1String("escape")) {
            QTest::keyClick(window.queryBox(), Qt::Key_Escape);
        } else {
            window.close();
        }
        QVERIFY(!window.isVisible());
        QCOMPARE(appState().currentFancierId, 0);
        QVERIFY(linkBuffers().CancelRequested);
    }

    void runFancierSearchReturnsTheChoice()
    {
        QTimer::singleShot(0, [] {
            auto* window = qobject_cast<FancierSearchWindow*>(QApplication::activeModalWidget());
            QVERIFY(window);
            typeKeys(window->queryBox(), QStringLiteral("2"));
            QTest::mouseClick(window->selectButton(), Qt::LeftButton);
        });
        QCOMPARE(runFancierSearch(nullptr, 2), 2);
        QCOMPARE(appState().currentFancierId, 2);

        QTimer::singleShot(0, [] {
            auto* window = qobject_cast<FancierSearchWindow*>(QApplication::activeModalWidget());
            QVERIFY(window);
            QTest::mouseClick(window->exitButton(), Qt::LeftButton);
        });
        QCOMPARE(runFancierSearch(nullptr, 0), 0);
        QVERIFY(linkBuffers().CancelRequested);
    }
};

QTEST_MAIN(FancierSearchWindowTest)
#include "tst_FancierSearchWindow.moc"
