// The club data window driven offscreen over a delivered database: the
// fancier browser and its buttons, the pigeon grid's entry rules, badges and
// combines with their members.
#include "ClubDataDatabase.h"
#include "support/ShownCaption.h"
#include "clubdata/PigeonEntryRules.h"
#include "clubdata/ui/ClubDataWindow.h"
#include "clubdata/ui/CsvImportPreview.h"
#include "clubdata/ui/RecordGridModel.h"
#include "common/AppState.h"
#include "common/TextCatalogue.h"
#include "common/ui/FilteredLineEdit.h"
#include "shell/ui/TextInputDialog.h"
#include "support/ModalAnswers.h"
#include <QCheckBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QTableView>
#include <QTableWidget>
#include <QSqlQuery>
#include <QTest>
#include <functional>

using namespace durvek;
using namespace durvek::test;
using durvek::testing::ModalAnswers;
using durvek::testing::SeenMessage;

namespace {

// What the menu hands the window: the shell's text input dialog over the
// shared cancel flag.
QString askText(QWidget* parent, const QString& title)
{
    return TextInputDialog::ask(parent, title);
}

// The window's modal windows answered in turn, with one list of what came:
// "title|text" of each message box, "prompt|title" of each text prompt.
class WindowAnswers : public ModalAnswers {
public:
    explicit WindowAnswers(QWidget* window) : ModalAnswers(Wait, window)
    {
        onMessage = [this](const SeenMessage& message) { shown << message.titleAndText(); };
    }

    // Typed one key event per character, then Enter.
    void type(const QString& text)
    {
        answerPrompt([text](QLineEdit* box) {
            QTest::keyClicks(box, text);
            QTest::keyClick(box, Qt::Key_Return);
        });
    }
    void escape() { answerPrompt([](QLineEdit* box) { QTest::keyClick(box, Qt::Key_Escape); }); }
    void closeFrame() { answerPrompt([](QLineEdit* box) { box->window()->close(); }); }
    bool allUsed() const { return pending() == 0; }

    QStringList shown;

private:
    // A prompt is a dialog around one text box; anything else that comes
    // instead is written down and closed, for the comparison of shown to show.
    void answerPrompt(std::function<void(QLineEdit*)> act)
    {
        answer([this, act](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal) ? nullptr : modal->findChild<QLineEdit*>();
            if (!box) {
                shown << QStringLiteral("<not a prompt: %1>").arg(modal->metaObject()->className());
                modal->close();
                return;
            }
            shown << QStringLiteral("prompt|") + modal->windowTitle();
            act(box);
        });
    }
};

QStringList listTexts(const QListWidget* list)
{
    QStringList texts;
    for (int i = 0; i < list->count(); ++i)
        texts << list->item(i)->text();
    return texts;
}

// Types text into a grid cell as a user would (the first key opens the
// editor) and leaves it with Tab.
void typeIntoCell(QTableView* grid, int row, int column, const QString& text)
{
    const QModelIndex index = grid->model()->index(row, column);
    grid->setFocus();
    grid->setCurrentIndex(index);
    // Tab out of the cell before has opened the editor already.
    auto* editor = qobject_cast<QLineEdit*>(grid->indexWidget(index));
    QString rest = text;
    if (editor) {
        editor->selectAll();
    } else {
        QTest::keyClicks(grid, text.left(1));
        editor = qobject_cast<QLineEdit*>(grid->indexWidget(index));
        rest = text.mid(1);
    }
    QVERIFY(editor);
    QTest::keyClicks(editor, rest);
    QTest::keyClick(editor, Qt::Key_Tab);
}

QString cell(const QTableView* grid, int row, int column)
{
    return grid->model()->index(row, column).data().toString();
}

} // namespace

class TestClubDataWindow : public QObject {
    Q_OBJECT

private slots:
    void emptyTableOpensEmpty();
    void captionsComeFromTheCatalogue();
    void fieldLabelsTakeTheKeyboardToTheirFields();
    void newThenSave();
    void savingWithoutANameIsRefused();
    void savingALicenceOfAnotherFancierIsRefused();
    void browsingStopsAtBothEnds();
    void deleteTakesThePigeonsAndCombinePlacesAlong();
    void deletingTheLastInSortOrderClearsTheWindow();
    void searchByName();
    void pigeonGridEntryRules();
    void pigeonGridStartsRowsForTheFancierShown();
    void chipCountFollowsTheChipColumn();
    void badgesAreTheFixedRows();
    void combinesWithMembers();
    void cancelledCombineNameStillAddsOne();
    void escapeStopsATransferAndClosesAskingFirst();
    void csvListsExportedAndImportedAfterAPreview();
};

void TestClubDataWindow::emptyTableOpensEmpty()
{
    ClubDataDatabase d;
    ClubDataWindow w(nullptr, askText);
    w.show();
    QCOMPARE(w.clubDataFancierId(), 0);
    QCOMPARE(w.clubDataFancierName(), QStringLiteral(" "));
    for (int i = 0; i < ClubDataWindow::BoxCount; ++i)
        QVERIFY(w.box(ClubDataWindow::Box(i))->text().isEmpty());
    QVERIFY(w.pigeonGrid()->isHidden());
    QVERIFY(w.progressBar()->isHidden());

    WindowAnswers answers(&w);
    answers.answerMessage(QMessageBox::Yes);
    w.fancierButton(ClubDataWindow::DeleteButton)->click();
    QVERIFY(answers.shown.isEmpty());
    // Previous and Next have nothing to move to
    w.fancierButton(ClubDataWindow::NextButton)->click();
    w.fancierButton(ClubDataWindow::PreviousButton)->click();
    QCOMPARE(w.clubDataFancierId(), 0);
    QVERIFY(w.pigeonGrid()->isHidden());
}

void TestClubDataWindow::captionsComeFromTheCatalogue()
{
    ClubDataDatabase d;
    d.db.exec(QStringLiteral("UPDATE PcLanguage SET other = 'Vorige' WHERE id = 75"));
    ClubDataWindow w(nullptr, askText);
    QCOMPARE(w.windowTitle(), QStringLiteral("Durvek - Club Administrator"));
    QCOMPARE(durvek::testing::shownCaption(w.fancierButton(ClubDataWindow::PreviousButton)), QStringLiteral("Vorige"));
    QStringList buttons;
    for (int i = 1; i < ClubDataWindow::FancierButtonCount; ++i)
        buttons << durvek::testing::shownCaption(w.fancierButton(ClubDataWindow::FancierButton(i)));
    QCOMPARE(buttons, QStringList({"Next", "New", "Save", "Exit", "Search", "Delete"}));
    QCOMPARE(durvek::testing::shownCaption(w.transferButton(ClubDataWindow::FromClockButton)), QStringLiteral("Read Clock"));
    QCOMPARE(durvek::testing::shownCaption(w.transferButton(ClubDataWindow::ToClockButton)), QStringLiteral("Update Clock"));
    QCOMPARE(durvek::testing::shownCaption(w.transferButton(ClubDataWindow::CancelButton)), QStringLiteral("Cancel"));
    QCOMPARE(durvek::testing::shownCaption(w.combineButton(ClubDataWindow::AddCombineButton)), QStringLiteral("Add Combine"));
    QCOMPARE(durvek::testing::shownCaption(w.combineCheck()), QStringLiteral("Combine"));
    QStringList frames;
    for (const char* name : {"Frame1_0", "Frame1_1", "Frame1_2", "Frame1_3"})
        frames << w.findChild<QGroupBox*>(QString::fromLatin1(name))->title();
    QCOMPARE(frames, QStringList({"Fancier", "Badge Data", "Pigeon Data", "Combine"}));
    QCOMPARE(w.label(ClubDataWindow::NameLabel)->text().remove(u'&'), QStringLiteral("Name"));
    QCOMPARE(w.label(ClubDataWindow::LicenceLabel)->text().remove(u'&'), QStringLiteral("Licence"));
    QCOMPARE(w.label(ClubDataWindow::FourthLabel)->text(), QStringLiteral(" "));
    QCOMPARE(w.findChild<QLabel*>(QStringLiteral("Label3"))->text(), QStringLiteral("Hold pigeon in Antenna"));
    QStringList headers;
    for (int i = 0; i < w.pigeonModel()->columnCount(); ++i)
        headers << w.pigeonModel()->headerData(i, Qt::Horizontal).toString();
    QCOMPARE(headers, QStringList({"owner", "Co.", "Ye.", "Fed. band", "El. band", "Sx."}));
    QCOMPARE(w.badgeModel()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("Badge Data"));
    QCOMPARE(w.combineModel()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("Name"));
}

// The window's many buttons use up every letter of "Name", "Adress" and
// "Licence" before the labels come; the labels still get a key each.
void TestClubDataWindow::fieldLabelsTakeTheKeyboardToTheirFields()
{
    ClubDataDatabase d;
    d.addFancier("Adams", "ADAMS", "11111111");
    ClubDataWindow w(nullptr, askText);
    w.show();
    QApplication::setActiveWindow(&w);
    QVERIFY(QTest::qWaitForWindowActive(&w));
    using W = ClubDataWindow;
    const QList<std::pair<W::LabelIndex, W::Box>> fields{
        {W::NameLabel, W::NameBox}, {W::AdressLabel, W::AdressBox}, {W::CityLabel, W::CityBox},
        {W::LicenceLabel, W::LicenceBox}};
    for (const auto& [label, box] : fields) {
        const QKeySequence mnemonic = QKeySequence::mnemonic(w.label(label)->text());
        QVERIFY2(!mnemonic.isEmpty(), qPrintable(w.label(label)->text()));
        QTest::keySequence(&w, mnemonic);
        QCOMPARE(QApplication::focusWidget(), w.box(box));
    }
    QCOMPARE(durvek::testing::mnemonicFaults(&w), QString());
}

void TestClubDataWindow::newThenSave()
{
    ClubDataDatabase d;
    const int32_t first = d.addFancier("Adams", "ADAMS", "11111111");
    d.addPigeon(first, "NL", "21", "0000000001", " ", "0A1B2C3D");
    ClubDataWindow w(nullptr, askText);
    w.show();
    QCOMPARE(w.clubDataFancierId(), first);
    QCOMPARE(w.box(ClubDataWindow::NameBox)->text(), QStringLiteral("Adams"));
    QCOMPARE(w.label(ClubDataWindow::IdLabel)->text(), QString::number(first));
    QCOMPARE(w.label(ClubDataWindow::CountLabel)->text(), QStringLiteral("Pigeons with an electronic band :  1"));

    w.fancierButton(ClubDataWindow::NewButton)->click();
    QCOMPARE(w.clubDataFancierId(), 0);
    QVERIFY(w.box(ClubDataWindow::NameBox)->text().isEmpty());
    QVERIFY(w.pigeonGrid()->isHidden());
    QCOMPARE(w.label(ClubDataWindow::CountLabel)->text(), QStringLiteral("Pigeons with an electronic band :  0"));

    QTest::keyClicks(w.box(ClubDataWindow::NameBox), QStringLiteral("Baker"));
    QTest::keyClicks(w.box(ClubDataWindow::AdressBox), QStringLiteral("Mill Road 4"));
    QTest::keyClicks(w.box(ClubDataWindow::CityBox), QStringLiteral("Hove"));
    QTest::keyClicks(w.box(ClubDataWindow::LicenceBox), QStringLiteral("22222222"));
    w.fancierButton(ClubDataWindow::SaveButton)->click();

    const int32_t added = w.clubDataFancierId();
    QVERIFY(added > first);
    QCOMPARE(w.clubDataFancierName(), QStringLiteral("Baker"));
    QCOMPARE(d.rows(QStringLiteral("SELECT Name, Adress, city, Licence, sort FROM fanciers WHERE id = %1").arg(added)),
             QStringList({"Baker|Mill Road 4|Hove|22222222|BAKER"}));
    QCOMPARE(w.label(ClubDataWindow::IdLabel)->text(), QString::number(added));
    QVERIFY(w.pigeonGrid()->isVisible());
    QCOMPARE(w.pigeonModel()->recordCount(), 0);

    // Save again edits the same row
    w.box(ClubDataWindow::CityBox)->setText(QStringLiteral("Brighton"));
    w.fancierButton(ClubDataWindow::SaveButton)->click();
    QCOMPARE(w.clubDataFancierId(), added);
    QCOMPARE(d.value(QStringLiteral("SELECT count(*) FROM fanciers")).toInt(), 2);
    QCOMPARE(d.value(QStringLiteral("SELECT city FROM fanciers WHERE id = %1").arg(added)).toString(),
             QStringLiteral("Brighton"));
    // the browser stands on the saved fancier: Previous goes to Adams
    w.fancierButton(ClubDataWindow::PreviousButton)->click();
    QCOMPARE(w.clubDataFancierId(), first);
}

void TestClubDataWindow::savingWithoutANameIsRefused()
{
    ClubDataDatabase d;
    ClubDataWindow w(nullptr, askText);
    w.show();
    WindowAnswers answers(&w);
    answers.answerMessage(QMessageBox::Ok);
    w.box(ClubDataWindow::CityBox)->setText(QStringLiteral("Hove"));
    w.box(ClubDataWindow::NameBox)->setText(QStringLiteral("   "));
    w.fancierButton(ClubDataWindow::SaveButton)->click();
    QCOMPARE(answers.shown, QStringList({"Durvek|Enter the fancier's name first"}));
    QCOMPARE(answers.seen().first().icon, QMessageBox::Warning);
    QCOMPARE(d.value(QStringLiteral("SELECT count(*) FROM fanciers")).toInt(), 0);
    QCOMPARE(w.clubDataFancierId(), 0);
}

void TestClubDataWindow::savingALicenceOfAnotherFancierIsRefused()
{
    ClubDataDatabase d;
    const int32_t a = d.addFancier("Adams", "ADAMS", "11111111");
    const int32_t b = d.addFancier("Baker", "BAKER", " ");
    d.addFancier("Clark", "CLARK", " ");
    ClubDataWindow w(nullptr, askText);
    w.show();
    WindowAnswers answers(&w);
    for (int i = 0; i < 3; ++i)
        answers.answerMessage(QMessageBox::Ok);

    // Adams keeps his own licence; Baker, and a new fancier, may not take it
    w.fancierButton(ClubDataWindow::SaveButton)->click();
    w.fancierButton(ClubDataWindow::NextButton)->click();
    QCOMPARE(w.clubDataFancierId(), b);
    w.box(ClubDataWindow::LicenceBox)->setText(QStringLiteral(" 11111111 "));
    w.fancierButton(ClubDataWindow::SaveButton)->click();
    w.fancierButton(ClubDataWindow::NewButton)->click();
    w.box(ClubDataWindow::NameBox)->setText(QStringLiteral("Dunn"));
    w.box(ClubDataWindow::LicenceBox)->setText(QStringLiteral("11111111"));
    w.fancierButton(ClubDataWindow::SaveButton)->click();
    const QString refusal = QStringLiteral("Fancier data|This licence belongs to another fancier");
    QCOMPARE(answers.shown, QStringList({refusal, refusal}));
    QCOMPARE(answers.seen().first().icon, QMessageBox::Warning);
    QCOMPARE(d.rows(QStringLiteral("SELECT id, Licence FROM fanciers WHERE Licence <> ' ' OR id = %1 ORDER BY id").arg(b)),
             QStringList({QStringLiteral("%1|11111111").arg(a), QStringLiteral("%1| ").arg(b)}));
    QCOMPARE(w.clubDataFancierId(), 0);

    // fanciers without a licence do not share one
    w.box(ClubDataWindow::LicenceBox)->clear();
    w.fancierButton(ClubDataWindow::SaveButton)->click();
    QCOMPARE(answers.shown.size(), 2);
    QCOMPARE(d.value(QStringLiteral("SELECT count(*) FROM fanciers")).toInt(), 4);
}

void TestClubDataWindow::browsingStopsAtBothEnds()
{
    ClubDataDatabase d;
    // ids and sort order differ
    const int32_t c = d.addFancier("Clark", "CLARK");
    const int32_t a = d.addFancier("Adams", "ADAMS");
    const int32_t b = d.addFancier("Baker", "BAKER");
    d.addPigeon(b, "BE", "20", "0000000007", "F", "");
    d.addPigeon(b, "BE", "20", "0000000008", " ", "12345678");
    ClubDataWindow w(nullptr, askText);
    w.show();
    QPushButton* previous = w.fancierButton(ClubDataWindow::PreviousButton);
    QPushButton* next = w.fancierButton(ClubDataWindow::NextButton);
    QCOMPARE(w.clubDataFancierId(), a);

    next->click();
    QCOMPARE(w.clubDataFancierId(), b);
    QCOMPARE(w.clubDataFancierName(), QStringLiteral("Baker"));
    QCOMPARE(w.pigeonModel()->recordCount(), 2);
    QCOMPARE(cell(w.pigeonGrid(), 0, 3), QStringLiteral("0000000007"));
    QCOMPARE(cell(w.pigeonGrid(), 0, 0), QString::number(b));
    QCOMPARE(w.label(ClubDataWindow::CountLabel)->text(), QStringLiteral("Pigeons with an electronic band :  1"));
    QCOMPARE(w.focusWidget(), w.box(ClubDataWindow::NameBox));

    next->click();
    QCOMPARE(w.clubDataFancierId(), c);
    QVERIFY(next->isEnabled());
    next->click();
    QCOMPARE(w.clubDataFancierId(), c);
    QCOMPARE(w.box(ClubDataWindow::NameBox)->text(), QStringLiteral("Clark"));
    QVERIFY(!next->isEnabled());

    previous->click();
    QVERIFY(next->isEnabled());
    QCOMPARE(w.clubDataFancierId(), b);
    previous->click();
    QCOMPARE(w.clubDataFancierId(), a);
    QVERIFY(previous->isEnabled());
    previous->click();
    QCOMPARE(w.clubDataFancierId(), a);
    QVERIFY(!previous->isEnabled());
}

void TestClubDataWindow::deleteTakesThePigeonsAndCombinePlacesAlong()
{
    ClubDataDatabase d;
    const int32_t a = d.addFancier("Adams", "ADAMS");
    const int32_t b = d.addFancier("Baker", "BAKER");
    d.addPigeon(a, "BE", "20", "0000000007", " ", "");
    d.addPigeon(b, "BE", "20", "0000000008", " ", "");
    d.addCombine(1, "Club A", b, a, a);
    appState().currentFancierId = a;
    ClubDataWindow w(nullptr, askText);
    w.show();
    QCOMPARE(listTexts(w.memberList()), QStringList({"Baker", "Adams", "Adams"}));
    WindowAnswers answers(&w);
    answers.answerMessage(QMessageBox::No);
    answers.answerMessage(QMessageBox::Yes);

    w.fancierButton(ClubDataWindow::DeleteButton)->click();
    QCOMPARE(d.value(QStringLiteral("SELECT count(*) FROM fanciers")).toInt(), 2);
    QCOMPARE(w.clubDataFancierId(), a);

    w.fancierButton(ClubDataWindow::DeleteButton)->click();
    const QString question = QStringLiteral("Durvek|Delete this fancier and all the fancier's pigeons ?");
    QCOMPARE(answers.shown, QStringList({question, question}));
    QCOMPARE(answers.seen().first().icon, QMessageBox::Question);
    for (const SeenMessage& seen : answers.seen())
        QCOMPARE(seen.defaultButton, QMessageBox::No);
    QCOMPARE(d.rows(QStringLiteral("SELECT id FROM fanciers")), QStringList({QString::number(b)}));
    QCOMPARE(d.rows(QStringLiteral("SELECT band FROM pigeons")), QStringList({"0000000008"}));
    QCOMPARE(d.rows(QStringLiteral("SELECT L1, L2, L3 FROM combine")), QStringList({QStringLiteral("%1|0|0").arg(b)}));
    QCOMPARE(listTexts(w.memberList()), QStringList({"Baker"}));
    QCOMPARE(appState().currentFancierId, 0);
    // the next fancier in sort order takes the place
    QCOMPARE(w.clubDataFancierId(), b);
    QCOMPARE(w.box(ClubDataWindow::NameBox)->text(), QStringLiteral("Baker"));
    QCOMPARE(w.pigeonModel()->recordCount(), 1);
}

void TestClubDataWindow::deletingTheLastInSortOrderClearsTheWindow()
{
    ClubDataDatabase d;
    const int32_t a = d.addFancier("Adams", "ADAMS");
    const int32_t b = d.addFancier("Baker", "BAKER");
    ClubDataWindow w(nullptr, askText);
    w.show();
    w.fancierButton(ClubDataWindow::NextButton)->click();
    QCOMPARE(w.clubDataFancierId(), b);
    WindowAnswers answers(&w);
    answers.answerMessage(QMessageBox::Yes);
    w.fancierButton(ClubDataWindow::DeleteButton)->click();
    QCOMPARE(w.clubDataFancierId(), 0);
    QVERIFY(w.box(ClubDataWindow::NameBox)->text().isEmpty());
    QVERIFY(w.pigeonGrid()->isHidden());
    QCOMPARE(d.rows(QStringLiteral("SELECT id FROM fanciers")), QStringList({QString::number(a)}));
    // Delete with nobody shown does nothing
    w.fancierButton(ClubDataWindow::DeleteButton)->click();
    QCOMPARE(answers.shown.size(), 1);
    // a step back finds Adams
    w.fancierButton(ClubDataWindow::PreviousButton)->click();
    QCOMPARE(w.clubDataFancierId(), a);
}

void TestClubDataWindow::searchByName()
{
    ClubDataDatabase d;
    d.addFancier("Adams", "ADAMS");
    const int32_t j = d.addFancier("Jansen", "JANSEN");
    d.addPigeon(j, "NL", "19", "0000000003", " ", "AABBCCDD");
    ClubDataWindow w(nullptr, askText);
    w.show();
    WindowAnswers answers(&w);
    answers.type(QStringLiteral("  jan "));
    w.fancierButton(ClubDataWindow::SearchButton)->click();
    QCOMPARE(w.clubDataFancierId(), j);
    QCOMPARE(w.box(ClubDataWindow::NameBox)->text(), QStringLiteral("Jansen"));
    QCOMPARE(w.pigeonModel()->recordCount(), 1);
    QCOMPARE(w.label(ClubDataWindow::CountLabel)->text(), QStringLiteral("Pigeons with an electronic band :  1"));

    answers.type(QStringLiteral("zz"));
    answers.answerMessage(QMessageBox::Ok);
    w.fancierButton(ClubDataWindow::SearchButton)->click();
    QCOMPARE(answers.shown.mid(1), QStringList({"prompt|Search", "Durvek|No fancier whose name starts with zz was found"}));
    QCOMPARE(w.clubDataFancierId(), j);

    // Escape, and closing by the frame, change nothing
    answers.escape();
    w.fancierButton(ClubDataWindow::SearchButton)->click();
    answers.closeFrame();
    w.fancierButton(ClubDataWindow::SearchButton)->click();
    QVERIFY(answers.allUsed());
    QCOMPARE(answers.shown.size(), 5);
    QCOMPARE(w.clubDataFancierId(), j);
    // and Previous carries on from the found fancier
    w.fancierButton(ClubDataWindow::PreviousButton)->click();
    QCOMPARE(w.box(ClubDataWindow::NameBox)->text(), QStringLiteral("Adams"));
}

void TestClubDataWindow::pigeonGridEntryRules()
{
    ClubDataDatabase d;
    const int32_t a = d.addFancier("Adams", "ADAMS");
    d.addPigeon(a, "nl", "21", "0000000067", " ", "");
    d.addPigeon(a, QVariant(), QVariant(), QVariant(), QVariant(), QVariant());
    ClubDataWindow w(nullptr, askText);
    w.show();
    QTableView* grid = w.pigeonGrid();
    QCOMPARE(w.pigeonModel()->rowCount(), 3);  // two pigeons and the empty row

    // walking through the first pigeon: the country is upper-cased and remembered
    grid->setFocus();
    grid->setCurrentIndex(grid->model()->index(0, 1));
    QTest::keyClick(grid, Qt::Key_Right);
    QTest::keyClick(grid, Qt::Key_Right);
    QTest::keyClick(grid, Qt::Key_Right);
    QCOMPARE(cell(grid, 0, 1), QStringLiteral("NL"));

    // the second pigeon: one letter becomes NL, an empty band the next band,
    // 2021 the year 20, anything in the sex column a hen
    typeIntoCell(grid, 1, 1, QStringLiteral("b"));
    typeIntoCell(grid, 1, 2, QStringLiteral("2021"));
    grid->setCurrentIndex(grid->model()->index(1, 3));
    QTest::keyClick(grid, Qt::Key_Right);
    typeIntoCell(grid, 1, 5, QStringLiteral("x"));
    QCOMPARE(d.rows(QStringLiteral("SELECT country, Year, band, sex FROM pigeons ORDER BY rowid")),
             QStringList({"NL|21|0000000067| ", "NL|20|0000000068|F"}));

    // three letters are cut to two; typing only 69 completes the band
    typeIntoCell(grid, 1, 1, QStringLiteral("bel"));
    typeIntoCell(grid, 1, 3, QStringLiteral("69"));
    QCOMPARE(d.rows(QStringLiteral("SELECT country, band FROM pigeons ORDER BY rowid")),
             QStringList({"NL|0000000067", "BE|0000000069"}));
    QCOMPARE(pigeonEntryMemory().lastBand(), QStringLiteral("0000000069"));
    QCOMPARE(pigeonEntryMemory().lastCountry(), QStringLiteral("BE"));
}

void TestClubDataWindow::chipCountFollowsTheChipColumn()
{
    ClubDataDatabase d;
    const int32_t a = d.addFancier("Adams", "ADAMS");
    d.addPigeon(a, "NL", "21", "0000000067", " ", "");
    ClubDataWindow w(nullptr, askText);
    w.show();
    QLabel* count = w.label(ClubDataWindow::CountLabel);
    QVERIFY2(count->text().endsWith(QStringLiteral(" :  0")), qPrintable(count->text()));

    typeIntoCell(w.pigeonGrid(), 0, 4, QStringLiteral("0A1B2C3D"));
    QCOMPARE(d.value(QStringLiteral("SELECT elcode FROM pigeons")).toString(), QStringLiteral("0A1B2C3D"));
    QVERIFY2(count->text().endsWith(QStringLiteral(" :  1")), qPrintable(count->text()));

    // The fancier stored on another PC since: the cell is refused with the
    // plain sentence, the engine's lines only under the box's details.
    WindowAnswers answers(&w);
    answers.answerMessage(QMessageBox::Ok);
    QVERIFY(QSqlQuery(d.db).exec(QStringLiteral("UPDATE fanciers SET Revision = Revision + 1")));
    typeIntoCell(w.pigeonGrid(), 0, 4, QStringLiteral("0A1B2C3E"));
    QVERIFY(answers.allUsed());
    QCOMPARE(answers.seen().first().text, GetText(320));
    QVERIFY(!answers.seen().first().details.isEmpty());
    QCOMPARE(d.value(QStringLiteral("SELECT elcode FROM pigeons")).toString(), QStringLiteral("0A1B2C3D"));
}

void TestClubDataWindow::pigeonGridStartsRowsForTheFancierShown()
{
    ClubDataDatabase d;
    const int32_t a = d.addFancier("Adams", "ADAMS");
    const int32_t b = d.addFancier("Baker", "BAKER");
    d.addPigeon(a, "NL", "21", "0000000067", " ", "");
    ClubDataWindow w(nullptr, askText);
    w.show();
    w.fancierButton(ClubDataWindow::NextButton)->click();
    QCOMPARE(w.clubDataFancierId(), b);
    QTableView* grid = w.pigeonGrid();
    QCOMPARE(w.pigeonModel()->rowCount(), 1);

    // walking through the empty row stores nothing
    grid->setFocus();
    grid->setCurrentIndex(grid->model()->index(0, 1));
    QTest::keyClick(grid, Qt::Key_Right);
    QTest::keyClick(grid, Qt::Key_Right);
    QCOMPARE(d.value(QStringLiteral("SELECT count(*) FROM pigeons")).toInt(), 1);

    typeIntoCell(grid, 0, 4, QStringLiteral("0A1B2C3D"));
    QCOMPARE(w.pigeonModel()->recordCount(), 1);
    QCOMPARE(w.pigeonModel()->rowCount(), 2);
    QCOMPARE(d.rows(QStringLiteral("SELECT Fancier, Nr, elcode FROM pigeons WHERE Fancier = %1").arg(b)),
             QStringList({QStringLiteral("%1|2|0A1B2C3D").arg(b)}));
    QCOMPARE(cell(grid, 0, 0), QString::number(b));
    // the owner column is not typed into
    QVERIFY(!(w.pigeonModel()->flags(grid->model()->index(0, 0)) & Qt::ItemIsEditable));
}

void TestClubDataWindow::badgesAreTheFixedRows()
{
    ClubDataDatabase d;
    d.setBadges({"Silver", "Gold", "", "", ""});
    ClubDataWindow w(nullptr, askText);
    w.show();
    RecordGridModel* model = w.badgeModel();
    QCOMPARE(model->rowCount(), 5);
    QCOMPARE(cell(w.badgeGrid(), 3, 1), QStringLiteral("Gold"));
    QVERIFY(!(model->flags(model->index(0, 0)) & Qt::ItemIsEditable));

    typeIntoCell(w.badgeGrid(), 0, 1, QStringLiteral("Diamond Cup"));
    QCOMPARE(model->rowCount(), 5);
    QCOMPARE(d.rows(QStringLiteral("SELECT id, Badge FROM badges ORDER BY id")),
             QStringList({"1|Silver", "2|Gold", "3|Diamond Cu", "4|", "5|"}));
}

void TestClubDataWindow::combinesWithMembers()
{
    ClubDataDatabase d;
    const int32_t a = d.addFancier("Adams", "ADAMS");
    d.addFancier("Baker", "BAKER");
    d.addFancier("Clark", "CLARK");
    d.addFancier("Dunn", "DUNN");
    d.addCombine(1, "Old", a, 0, 0);
    ClubDataWindow w(nullptr, askText);
    w.show();
    QCOMPARE(listTexts(w.memberList()), QStringList({"Adams"}));

    WindowAnswers answers(&w);
    answers.type(QStringLiteral("Club A"));
    w.combineButton(ClubDataWindow::AddCombineButton)->click();
    QCOMPARE(answers.shown, QStringList({"prompt|Add Combine"}));
    QCOMPARE(d.rows(QStringLiteral("SELECT id, Naam, L1, L2, L3 FROM combine ORDER BY id")),
             QStringList({QStringLiteral("1|Old|%1|0|0").arg(a), "2|Club A              |0|0|0"}));
    QCOMPARE(w.selectedCombineName(), QStringLiteral("Club A"));
    QVERIFY(listTexts(w.memberList()).isEmpty());

    for (int i = 0; i < 4; ++i) {
        if (i == 3)
            answers.answerMessage(QMessageBox::Ok);
        w.combineButton(ClubDataWindow::AddFancierButton)->click();
        w.fancierButton(ClubDataWindow::NextButton)->click();
    }
    QCOMPARE(answers.shown.last(), QStringLiteral("Durvek|A combine has at most three fanciers"));
    QCOMPARE(listTexts(w.memberList()), QStringList({"Adams", "Baker", "Clark"}));
    QCOMPARE(d.value(QStringLiteral("SELECT L3 FROM combine WHERE id = 2")), d.value("SELECT id FROM fanciers WHERE Name = 'Clark'"));

    // choosing the first combine shows its members
    w.combineGrid()->setCurrentIndex(w.combineModel()->index(0, 0));
    QCOMPARE(listTexts(w.memberList()), QStringList({"Adams"}));

    w.combineButton(ClubDataWindow::DeleteCombineButton)->click();
    QCOMPARE(d.rows(QStringLiteral("SELECT id FROM combine")), QStringList({"2"}));
    QCOMPARE(w.combineModel()->rowCount(), 1);
    QCOMPARE(listTexts(w.memberList()), QStringList({"Adams", "Baker", "Clark"}));
}

void TestClubDataWindow::cancelledCombineNameStillAddsOne()
{
    ClubDataDatabase d;
    ClubDataWindow w(nullptr, askText);
    w.show();
    WindowAnswers answers(&w);
    answers.escape();
    w.combineButton(ClubDataWindow::AddCombineButton)->click();
    QCOMPARE(d.rows(QStringLiteral("SELECT id, Naam FROM combine")), QStringList({"1|Combine  1"}));
    // with nobody shown Add Fancier changes nothing
    w.combineButton(ClubDataWindow::AddFancierButton)->click();
    QCOMPARE(d.rows(QStringLiteral("SELECT L1, L2, L3 FROM combine")), QStringList({"0|0|0"}));
}

void TestClubDataWindow::escapeStopsATransferAndClosesAskingFirst()
{
    ClubDataDatabase d;
    ClubDataWindow w(nullptr, askText);
    ModalAnswers answers(&w);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QVERIFY(!w.transferAborted());
    QTest::keyClicks(w.box(ClubDataWindow::CityBox), QStringLiteral("GENT"));
    answers.answerMessage(QMessageBox::No);
    QTest::keyClick(w.box(ClubDataWindow::CityBox), Qt::Key_Escape);
    QVERIFY(w.transferAborted());
    QVERIFY(w.isVisible());
    QCOMPARE(answers.seen().size(), 1);
    answers.answerMessage(QMessageBox::Yes);
    QTest::keyClick(w.box(ClubDataWindow::CityBox), Qt::Key_Escape);
    QVERIFY(!w.isVisible());
}

void TestClubDataWindow::csvListsExportedAndImportedAfterAPreview()
{
    ClubDataDatabase d;
    const int32_t adams = d.addFancier("Adams", "ADAMS", "11111111");
    d.addPigeon(adams, "NL", "21", "0000000001", "F", "0A1B2C3D");
    const QString members = d.dir.filePath("members.csv");
    QFile file(members);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("\xEF\xBB\xBFLicence;Name;City\r\n11111111;Adams;Gent\r\n22222222;Brown;\r\n1234;X;\r\n");
    file.close();

    ClubDataWindow w(nullptr, askText);
    w.show();
    QString chosen = members;
    QStringList asked;
    w.setCsvFileChooser([&](QWidget*, bool save, const QString& title, const QString&) {
        asked << QStringLiteral("%1|%2").arg(save ? "save" : "open", title);
        return chosen;
    });
    WindowAnswers answers(&w);
    QStringList previewed;
    const auto preview = [&](bool store) {
        answers.answer([&previewed, store](QWidget* modal) {
            auto* shown = qobject_cast<CsvImportPreview*>(modal);
            if (!shown) {
                modal->close();
                return;
            }
            for (int row = 0; row < shown->table()->rowCount(); ++row) {
                QStringList cells;
                for (int column = 0; column < CsvImportPreview::ColumnCount; ++column)
                    cells << shown->table()->item(row, column)->text();
                previewed << cells.join(u'|');
            }
            previewed << shown->summary()->text();
            previewed << shown->table()->horizontalHeaderItem(CsvImportPreview::SubjectColumn)->text();
            (store ? shown->storeButton() : shown->cancelButton())->click();
        });
    };

    // Cancel in the preview stores nothing.
    preview(false);
    w.csvButton(ClubDataWindow::ImportMembersButton)->click();
    QCOMPARE(previewed, QStringList({"2|11111111 Adams|changed|City", "3|22222222 Brown|added|",
                                     "4|1234 X|refused|A licence has 8 characters: digits and - only",
                                     "1 added, 1 changed, 1 refused. Store the added and changed lines ?",
                                     "Fancier"}));
    QCOMPARE(d.rows("SELECT Licence, Name, city FROM fanciers"), QStringList({"11111111|Adams|<null>"}));
    preview(true);
    w.csvButton(ClubDataWindow::ImportMembersButton)->click();
    QVERIFY(answers.allUsed());
    QCOMPARE(d.rows("SELECT Licence, Name, city, Actief FROM fanciers ORDER BY Licence"),
             QStringList({"11111111|Adams|Gent|1", "22222222|Brown| |1"}));
    QCOMPARE(w.box(ClubDataWindow::CityBox)->text(), QStringLiteral("Gent"));
    // The import was this PC's own store of the fancier shown: the window
    // goes on storing into it.
    typeIntoCell(w.pigeonGrid(), 0, 4, QStringLiteral("0A1B2C3E"));
    QCOMPARE(d.value(QStringLiteral("SELECT elcode FROM pigeons")).toString(), QStringLiteral("0A1B2C3E"));

    chosen = d.dir.filePath("pigeons.csv");
    w.csvButton(ClubDataWindow::ExportPigeonsButton)->click();
    QCOMPARE(asked, QStringList({"open|Import members (CSV)", "open|Import members (CSV)", "save|Export pigeons (CSV)"}));
    QCOMPARE(w.transferStatus()->text(), QStringLiteral("File written: ") + QDir::toNativeSeparators(chosen));
    QFile written(chosen);
    QVERIFY(written.open(QIODevice::ReadOnly));
    QCOMPARE(written.readAll(), QByteArray("Licence,Country,Year,Band,Sex,Color,Chip code\r\n"
                                           "11111111,NL,21,0000000001,F,,0A1B2C3E\r\n"));
}

QTEST_MAIN(TestClubDataWindow)
#include "tst_clubdata_window.moc"
