#include "FancierClub.h"
#include "common/AppState.h"
#include "common/TextCatalogue.h"
#include "common/ui/FilteredLineEdit.h"
#include "database/SqlUtil.h"
#include "fanciers/ui/FancierWindow.h"
#include "shell/ui/TextInputDialog.h"
#include "support/DeliveredDatabase.h"
#include "support/ModalAnswers.h"
#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <memory>

using namespace durvek;
using namespace durvek::testing;

namespace {

using W = FancierWindow;

// One key event per character, as a user types (non-ASCII included).
void typeInto(QWidget* box, const QString& text)
{
    for (QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(box, &press);
        QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(box, &release);
    }
}

void replaceText(W& window, W::Box which, const QString& text)
{
    FilteredLineEdit* box = window.box(which);
    box->setFocus();
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Delete);
    typeInto(box, text);
}

int shownId(const W& window)
{
    return window.box(W::IdBox)->text().toInt();
}

// Answers the next text input dialog with text (Enter), or cancels it (Escape).
void answerSearch(ModalAnswers& answers, const QString& text, bool cancel = false)
{
    answers.answer([text, cancel](QWidget* modal) {
        auto* dialog = qobject_cast<TextInputDialog*>(modal);
        if (!dialog) {
            modal->close();
            return;
        }
        QTest::keyClicks(dialog->textBox(), text);
        QTest::keyClick(dialog->textBox(), cancel ? Qt::Key_Escape : Qt::Key_Return);
    });
}

void click(QAbstractButton* button)
{
    QTest::mouseClick(button, Qt::LeftButton);
}

// Whether the label's text, drawn with room to spare, needs no more room
// than the label has: a label clips its text to its own width.
bool inkStaysInside(QLabel* label)
{
    const QSize shown = label->size();
    label->resize(shown.width() + 10, shown.height());
    const QImage roomy = label->grab().toImage();
    label->resize(shown);
    const QRgb background = roomy.pixel(roomy.width() - 1, 0);
    for (int x = shown.width(); x < roomy.width(); ++x) {
        for (int y = 0; y < roomy.height(); ++y) {
            if (roomy.pixel(x, y) != background)
                return false;
        }
    }
    return true;
}

int fancierCount(const QSqlDatabase& db)
{
    return queryValue(db, QStringLiteral("SELECT COUNT(*) FROM fanciers")).toInt();
}

} // namespace

class FancierWindowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<FancierClub> club;
    std::unique_ptr<W> window;
    std::unique_ptr<ModalAnswers> answers;

    void openWindow()
    {
        window = std::make_unique<W>(nullptr, [](QWidget* parent, const QString& title) {
            return TextInputDialog::ask(parent, title);
        });
        answers = std::make_unique<ModalAnswers>(window.get());
        window->show();
        QApplication::setActiveWindow(window.get());
    }

    // Waits until every queued answer has been given.
    bool answered()
    {
        return QTest::qWaitFor([this] { return answers->pending() == 0; }, 3000);
    }

private slots:
    void init()
    {
        club = std::make_unique<FancierClub>();
    }

    void cleanup()
    {
        answers.reset();
        window.reset();
        club.reset();
    }

    // A server connection lost before the window opens, and not to be had
    // again, is told once, by the menu that opens it; no window shows as if
    // the club had no fanciers.
    void lostServerConnectionKeepsTheWindowClosed()
    {
        if (!onServer())
            QSKIP("about a server connection");
        const ServerOutOfReach outOfReach(club->db());
        ModalAnswers unexpected(ModalAnswers::Decline);
        try {
            W window(nullptr, {});
            QFAIL("the window opened without its fanciers");
        } catch (const DatabaseError& e) {
            QCOMPARE(e.kind(), DatabaseError::Kind::ConnectionLost);
        }
        QCOMPARE(unexpected.titlesAndTexts(), QStringList());
    }

    void captionsComeFromTheCatalogue()
    {
        openWindow();
        QStringList labels;
        for (int i = 0; i < W::BoxCount; ++i)
            labels.append(window->label(W::Box(i))->text().remove(u'&'));
        QCOMPARE(labels, (QStringList{"ID", "Licence", "Name", "Adress", "Zip", "City", "District", "Telephone",
                                      "Fax", "E-Mail", "Latitude", "Longitude"}));
        QStringList buttons;
        for (int i = 0; i < W::ActionCount; ++i)
            buttons.append(window->actionButton(W::Action(i))->text().remove(u'&'));
        QCOMPARE(buttons, (QStringList{"Exit", "New", "Save", "Search", "Delete"}));
        QVERIFY(!window->ownerLabel()->isVisible());
    }

    // No strip of the window stays empty beside the boxes: the holder of a
    // taken licence shows over them only while the refusal is on screen.
    void theBoxesReachTheRightEdgeOfTheWindow()
    {
        openWindow();
        const QWidget* name = window->box(W::NameBox);
        QCOMPARE(window->width() - name->mapTo(window.get(), QPoint(name->width(), 0)).x(),
                 window->layout()->contentsMargins().right());
    }

    // Every label shows whole, at the size the window opens with and at the
    // smallest it can be made.
    void everyLabelShowsWhole()
    {
        openWindow();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        for (const QSize size : {window->size(), window->minimumSizeHint()}) {
            window->resize(size);
            QApplication::processEvents();
            for (int i = 0; i < W::BoxCount; ++i)
                QVERIFY2(inkStaysInside(window->label(W::Box(i))), qPrintable(window->label(W::Box(i))->text()));
        }
    }

    void opensOnTheFancierLastUsedWhenActive_data()
    {
        QTest::addColumn<int>("current");
        QTest::addColumn<int>("shown");
        QTest::newRow("none") << 0 << 5;
        QTest::newRow("active") << 17 << 17;
        QTest::newRow("inactive") << 3 << 5;
        QTest::newRow("gone") << 99 << 5;
    }

    void opensOnTheFancierLastUsedWhenActive()
    {
        QFETCH(int, current);
        QFETCH(int, shown);
        appState().currentFancierId = current;
        openWindow();
        QCOMPARE(shownId(*window), shown);
        const W::Box boxes[] = {W::LicenceBox, W::NameBox, W::AdressBox, W::ZipBox, W::CityBox,
                                W::DistrictBox, W::TelephoneBox, W::FaxBox, W::EmailBox};
        QStringList texts;
        for (W::Box box : boxes)
            texts.append(window->box(box)->text());
        if (shown == 17)
            QCOMPARE(texts, (QStringList{"17171717", "Peeters_Jan", "Street 17", "17000", "Town 17", "District 17",
                                         "017-11", "017-22", "f17@club.test"}));
        QCOMPARE(appState().currentFancierId, current);
    }

    void browsingStopsAtBothEnds()
    {
        openWindow();
        // Active fanciers by sort key: 100% Loft, jan de Vries, Jansen Piet, O'Brien, Peeters_Jan.
        QList<int> seen{shownId(*window)};
        for (int i = 0; i < 4; ++i) {
            click(window->nextButton());
            seen.append(shownId(*window));
        }
        QCOMPARE(seen, (QList<int>{5, 2, 1, 20, 17}));
        QVERIFY(window->nextButton()->isEnabled());
        click(window->nextButton());
        QCOMPARE(shownId(*window), 17);
        QVERIFY(!window->nextButton()->isEnabled());
        click(window->previousButton());
        QCOMPARE(shownId(*window), 20);
        QVERIFY(window->nextButton()->isEnabled());
        for (int i = 0; i < 4; ++i)
            click(window->previousButton());
        QCOMPARE(shownId(*window), 5);
        QVERIFY(!window->previousButton()->isEnabled());
        QVERIFY(window->box(W::LicenceBox)->hasFocus());
    }

    void newThenUpdateAddsAnActiveFancier()
    {
        openWindow();
        click(window->actionButton(W::NewAction));
        QCOMPARE(window->box(W::IdBox)->text(), QString());
        QVERIFY(window->box(W::LicenceBox)->hasFocus());
        replaceText(*window, W::LicenceBox, QStringLiteral("7654321 "));
        replaceText(*window, W::NameBox, QStringLiteral("Van den Berg"));
        replaceText(*window, W::CityBox, QStringLiteral("  Gent "));
        click(window->actionButton(W::UpdateAction));
        QVERIFY(answered());
        QVERIFY(answers->seen().isEmpty());
        const int id = shownId(*window);
        QVERIFY(id > 20);
        QCOMPARE(rows(club->db(), QStringLiteral("SELECT Licence, Name, sort, Adress, zip, city, district, "
                                                        "telephone, fax, email, Actief FROM fanciers WHERE id = %1")
                                             .arg(id)),
                 QStringList{"7654321|Van den Berg|VANDENBERG| | |Gent| | | | |1"});
        QCOMPARE(window->box(W::LicenceBox)->text(), QStringLiteral("7654321"));
        QCOMPARE(window->box(W::AdressBox)->text(), QString());
    }

    void aBlankNameStoresASingleSpaceInNameAndSortKey()
    {
        openWindow();
        click(window->actionButton(W::NewAction));
        replaceText(*window, W::LicenceBox, QStringLiteral("88888888"));
        click(window->actionButton(W::UpdateAction));
        QVERIFY(answered());
        QCOMPARE(rows(club->db(), QStringLiteral("SELECT Name, sort FROM fanciers WHERE Licence = '88888888'")),
                 QStringList{" | "});
    }

    void updateChangesTheShownFancierUnderItsOwnLicence()
    {
        appState().currentFancierId = 2;
        openWindow();
        replaceText(*window, W::NameBox, QStringLiteral("Jan de Vries-Peeters"));
        replaceText(*window, W::TelephoneBox, QStringLiteral("\u00E9t\u00E9"));
        const int before = fancierCount(club->db());
        click(window->actionButton(W::UpdateAction));
        QVERIFY(answered());
        QVERIFY(answers->seen().isEmpty());
        QCOMPARE(fancierCount(club->db()), before);
        QCOMPARE(rows(club->db(), QStringLiteral("SELECT Licence, Name, sort, telephone FROM fanciers WHERE id = 2")),
                 QStringList{QStringLiteral("12-45678|Jan de Vries-Peeters|JANDEVRIES-PEETERS|\u00E9t\u00E9")});
        QCOMPARE(shownId(*window), 2);
    }

    void enterStoresAndEscapeAsksBeforeTypingIsLost()
    {
        appState().currentFancierId = 2;
        openWindow();
        replaceText(*window, W::NameBox, QStringLiteral("Piet"));
        QTest::keyClick(window->box(W::NameBox), Qt::Key_Return);
        QCOMPARE(queryValue(club->db(), QStringLiteral("SELECT Name FROM fanciers WHERE id = 2")).toString(),
                 QStringLiteral("Piet"));

        replaceText(*window, W::NameBox, QStringLiteral("Jan"));
        answers->answerMessage(QMessageBox::No);
        QTest::keyClick(window->box(W::NameBox), Qt::Key_Escape);
        QVERIFY(answered());
        QCOMPARE(answers->seen().size(), 1);
        QCOMPARE(answers->seen().first().defaultButton, QMessageBox::No);
        QVERIFY(window->isVisible());
        answers->answerMessage(QMessageBox::Yes);
        QTest::keyClick(window->box(W::NameBox), Qt::Key_Escape);
        QVERIFY(answered());
        QVERIFY(!window->isVisible());
        QCOMPARE(queryValue(club->db(), QStringLiteral("SELECT Name FROM fanciers WHERE id = 2")).toString(),
                 QStringLiteral("Piet"));

        // Nothing typed: Escape closes without a question.
        openWindow();
        answers->clearSeen();
        QTest::keyClick(window->box(W::NameBox), Qt::Key_Escape);
        QVERIFY(!window->isVisible());
        QVERIFY(answers->seen().isEmpty());

        // Exit asks the same question while typing is not stored.
        openWindow();
        replaceText(*window, W::NameBox, QStringLiteral("Jan"));
        answers->answerMessage(QMessageBox::No);
        click(window->actionButton(W::ExitAction));
        QVERIFY(answered());
        QCOMPARE(answers->seen().size(), 1);
        QCOMPARE(answers->seen().first().text, GetText(140) + QStringLiteral(" ?"));
        QVERIFY(window->isVisible());
        answers->answerMessage(QMessageBox::Yes);
        click(window->actionButton(W::ExitAction));
        QVERIFY(answered());
        QVERIFY(!window->isVisible());
        QCOMPARE(queryValue(club->db(), QStringLiteral("SELECT Name FROM fanciers WHERE id = 2")).toString(),
                 QStringLiteral("Piet"));
    }

    void deleteOnANewFancierAsksBeforeTypingIsLost()
    {
        openWindow();
        click(window->actionButton(W::NewAction));
        replaceText(*window, W::NameBox, QStringLiteral("Jan"));
        answers->answerMessage(QMessageBox::No);
        click(window->actionButton(W::DeleteAction));
        QVERIFY(answered());
        QCOMPARE(answers->seen().size(), 1);
        QVERIFY(window->isVisible());
        QCOMPARE(window->box(W::NameBox)->text(), QStringLiteral("Jan"));
    }

    void badLicencesAreRefusedAndNothingIsStored_data()
    {
        QTest::addColumn<QString>("licence");
        QTest::newRow("empty") << QString();
        QTest::newRow("seven characters") << QStringLiteral("1234567");
        QTest::newRow("a letter") << QStringLiteral("1234567a");
        QTest::newRow("apostrophe becomes the accent") << QStringLiteral("1234567'");
        QTest::newRow("inner blank") << QStringLiteral("1234 567");
    }

    void badLicencesAreRefusedAndNothingIsStored()
    {
        QFETCH(QString, licence);
        openWindow();
        click(window->actionButton(W::NewAction));
        replaceText(*window, W::LicenceBox, licence);
        replaceText(*window, W::NameBox, QStringLiteral("Nobody"));
        const QStringList before = rows(club->db(), QStringLiteral("SELECT * FROM fanciers ORDER BY id"));
        // Leaving the licence box may already have reported it; Update reports it (again).
        answers->answerMessage(QMessageBox::Ok);
        answers->answerMessage(QMessageBox::Ok);
        click(window->actionButton(W::UpdateAction));
        QTest::qWait(50);
        QVERIFY(!answers->seen().isEmpty());
        for (const SeenMessage& seen : answers->seen()) {
            QCOMPARE(seen.text, QStringLiteral("A licence has 8 characters: digits and - only"));
            QCOMPARE(seen.title, QStringLiteral("Fancier data"));
            QCOMPARE(seen.icon, QMessageBox::Warning);
        }
        QCOMPARE(rows(club->db(), QStringLiteral("SELECT * FROM fanciers ORDER BY id")), before);
        QVERIFY(QTest::qWaitFor([this] { return window->focusWidget() == window->box(W::LicenceBox); }, 1000));
    }

    void leavingTheLicenceBoxWithAForeignCharacterIsReported()
    {
        openWindow();
        replaceText(*window, W::LicenceBox, QStringLiteral("12a"));
        answers->answerMessage(QMessageBox::Ok);
        QTest::keyClick(window->box(W::LicenceBox), Qt::Key_Tab);
        QVERIFY(answered());
        QCOMPARE(answers->seen().size(), 1);
        QCOMPARE(answers->seen().at(0).text, QStringLiteral("A licence has 8 characters: digits and - only"));
        QVERIFY(QTest::qWaitFor([this] { return window->focusWidget() == window->box(W::LicenceBox); }, 1000));

        // A licence of digits and "-" leaves quietly, whatever its length.
        QApplication::setActiveWindow(window.get());
        replaceText(*window, W::LicenceBox, QStringLiteral("12-"));
        QTest::keyClick(window->box(W::LicenceBox), Qt::Key_Tab);
        QTest::qWait(30);
        QCOMPARE(answers->seen().size(), 1);
        QVERIFY(window->box(W::NameBox)->hasFocus());
    }

    void aLicenceHeldByAnotherFancierNamesTheHolder()
    {
        appState().currentFancierId = 2;
        openWindow();
        replaceText(*window, W::LicenceBox, QStringLiteral("31245678 "));
        replaceText(*window, W::NameBox, QStringLiteral("Changed"));
        QLabel* owner = window->ownerLabel();
        answers->answerMessage(QMessageBox::Ok, [owner] {
            return owner->isVisible() ? owner->text() : QStringLiteral("<hidden>");
        });
        click(window->actionButton(W::UpdateAction));
        QVERIFY(answered());
        QCOMPARE(answers->seen().size(), 1);
        QCOMPARE(answers->seen().at(0).text, QStringLiteral("This licence belongs to another fancier"));
        QCOMPARE(answers->seen().at(0).title, QStringLiteral("Fancier data"));
        QCOMPARE(answers->seen().at(0).whileOpen,
                 QStringLiteral("This licence belongs to another fancier !\n31245678\nVan den Berg\nStreet 3 3000 Town 3"));
        QVERIFY(!owner->isVisible());
        QCOMPARE(rows(club->db(), QStringLiteral("SELECT Licence, Name FROM fanciers WHERE id = 2")),
                 QStringList{"12-45678|jan de Vries"});
    }

    void twoHoldersOfOneLicenceLetOnlyTheFirstStore()
    {
        runStatement(club->db(), QStringLiteral("UPDATE fanciers SET Licence = '12345678' WHERE id = 17"));
        appState().currentFancierId = 17;
        openWindow();
        answers->answerMessage(QMessageBox::Ok);
        click(window->actionButton(W::UpdateAction));
        QVERIFY(answered());
        QCOMPARE(answers->seen().at(0).text, QStringLiteral("This licence belongs to another fancier"));

        window.reset();
        appState().currentFancierId = 1;
        openWindow();
        replaceText(*window, W::NameBox, QStringLiteral("First holder"));
        click(window->actionButton(W::UpdateAction));
        QTest::qWait(30);
        QVERIFY(answers->seen().isEmpty());
        QCOMPARE(rows(club->db(), QStringLiteral("SELECT Name FROM fanciers WHERE id = 1")),
                 QStringList{"First holder"});
    }

    void aRefusedStoreKeepsWhatWasTyped()
    {
        testing::addRefusingTrigger(club->db(), "refuse", "BEFORE", "INSERT", "fanciers", "1 = 1", "disk full");
        openWindow();
        click(window->actionButton(W::NewAction));
        replaceText(*window, W::LicenceBox, QStringLiteral("77777777"));
        replaceText(*window, W::NameBox, QStringLiteral("Kept"));
        answers->answerMessage(QMessageBox::Ok);
        click(window->actionButton(W::UpdateAction));
        QVERIFY(answered());
        QVERIFY(answers->seen().at(0).text.startsWith(QStringLiteral("The club database reports an error\n")));
        QVERIFY(answers->seen().at(0).details.contains(QStringLiteral("disk full")));
        QCOMPARE(window->box(W::NameBox)->text(), QStringLiteral("Kept"));
        QCOMPARE(window->box(W::IdBox)->text(), QString());
    }

    // Another PC stored the fancier after this window showed it.
    void aFancierStoredElsewhereInBetweenIsNotOverwritten()
    {
        appState().currentFancierId = 1;
        openWindow();
        replaceText(*window, W::NameBox, QStringLiteral("Typed here"));
        runStatement(club->db(), QStringLiteral("UPDATE fanciers SET Name = 'Stored there', Revision = Revision + 1 "
                                                "WHERE id = 1"));
        answers->answerMessage(QMessageBox::Ok);
        click(window->actionButton(W::UpdateAction));
        QVERIFY(answered());
        QCOMPARE(answers->seen().at(0).text, GetText(320));
        QCOMPARE(window->box(W::NameBox)->text(), QStringLiteral("Typed here"));
        QCOMPARE(rows(club->db(), QStringLiteral("SELECT Name FROM fanciers WHERE id = 1")),
                 QStringList{"Stored there"});
    }

    void loftCoordinatesAreStoredAsTheClocksGetThem()
    {
        // Values another program stored: shown, and kept exactly while untouched.
        runStatement(club->db(), QStringLiteral("UPDATE fanciers SET KXT = 'X 123 ', KYT = '51.1' WHERE id = 2"));
        appState().currentFancierId = 2;
        openWindow();
        QCOMPARE(window->box(W::LongitudeBox)->text(), QStringLiteral("X 123"));
        QCOMPARE(window->box(W::LatitudeBox)->text(), QStringLiteral("51.1"));
        replaceText(*window, W::NameBox, QStringLiteral("Jan de Vries"));
        click(window->actionButton(W::UpdateAction));
        QTest::qWait(30);
        QVERIFY(answers->seen().isEmpty());
        const QString coordinates = QStringLiteral("SELECT KXT, KYT FROM fanciers WHERE id = 2");
        QCOMPARE(rows(club->db(), coordinates), QStringList{"X 123 |51.1"});

        // Typed as the federation lists them, stored in the clocks' 8 characters.
        replaceText(*window, W::LatitudeBox, QStringLiteral("N 51°05'23.45\""));
        replaceText(*window, W::LongitudeBox, QStringLiteral("4 25 12,34 E"));
        click(window->actionButton(W::UpdateAction));
        QTest::qWait(30);
        QVERIFY(answers->seen().isEmpty());
        QCOMPARE(rows(club->db(), coordinates), QStringList{"04.42009|51.08985"});
        QCOMPARE(window->box(W::LatitudeBox)->text(), QStringLiteral("51.08985"));

        // A latitude typed into the longitude box is refused; nothing is stored.
        replaceText(*window, W::LongitudeBox, QStringLiteral("N 51 05 23"));
        replaceText(*window, W::NameBox, QStringLiteral("Not stored"));
        answers->answerMessage(QMessageBox::Ok);
        click(window->actionButton(W::UpdateAction));
        QVERIFY(answered());
        QCOMPARE(answers->seen().size(), 1);
        QVERIFY(answers->seen().at(0).text.startsWith(QStringLiteral("Longitude not understood: use E or W")));
        QCOMPARE(answers->seen().at(0).title, QStringLiteral("Fancier data"));
        QCOMPARE(rows(club->db(), QStringLiteral("SELECT KXT, KYT, Name FROM fanciers WHERE id = 2")),
                 QStringList{"04.42009|51.08985|Jan de Vries"});
        QVERIFY(QTest::qWaitFor([this] { return window->focusWidget() == window->box(W::LongitudeBox); }, 1000));
    }

    void searchShowsTheFirstFancierWhoseSortKeyStartsWithTheText_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("shown");
        QTest::newRow("blanks removed, any case") << QStringLiteral("jan d") << 2;
        QTest::newRow("inactive shows the first active") << QStringLiteral("van d") << 5;
        QTest::newRow("percent matches itself") << QStringLiteral("100%") << 5;
        QTest::newRow("underscore matches itself") << QStringLiteral("peeters_") << 17;
        QTest::newRow("apostrophe matches itself") << QStringLiteral("o'b") << 20;
    }

    void searchShowsTheFirstFancierWhoseSortKeyStartsWithTheText()
    {
        QFETCH(QString, typed);
        QFETCH(int, shown);
        appState().currentFancierId = 1;
        openWindow();
        answerSearch(*answers, typed);
        click(window->actionButton(W::SearchAction));
        QVERIFY(answered());
        QCOMPARE(shownId(*window), shown);
        QCOMPARE(appState().currentFancierId, 1);
    }

    void searchFindingNothingSaysSo_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("key");
        QTest::newRow("unknown") << QStringLiteral("zz top") << QStringLiteral("zztop");
        QTest::newRow("percent is no wildcard") << QStringLiteral("1%") << QStringLiteral("1%");
        QTest::newRow("underscore is no wildcard") << QStringLiteral("_an") << QStringLiteral("_an");
        QTest::newRow("bracket") << QStringLiteral("[a") << QStringLiteral("[a");
    }

    void searchFindingNothingSaysSo()
    {
        QFETCH(QString, typed);
        QFETCH(QString, key);
        appState().currentFancierId = 1;
        openWindow();
        answerSearch(*answers, typed);
        answers->answerMessage(QMessageBox::Ok);
        click(window->actionButton(W::SearchAction));
        QVERIFY(answered());
        QCOMPARE(answers->seen().size(), 1);
        QCOMPARE(answers->seen().at(0).text, QStringLiteral("No fancier whose name starts with '%1' was found !").arg(key));
        QCOMPARE(answers->seen().at(0).title, QStringLiteral("Fancier-data"));
        QCOMPARE(answers->seen().at(0).icon, QMessageBox::Warning);
        QCOMPARE(shownId(*window), 1);
    }

    void cancelledSearchChangesNothing()
    {
        appState().currentFancierId = 1;
        openWindow();
        answerSearch(*answers, QStringLiteral("jan"), true);
        click(window->actionButton(W::SearchAction));
        QVERIFY(answered());
        QTest::qWait(30);
        QVERIFY(answers->seen().isEmpty());
        QCOMPARE(shownId(*window), 1);
    }

    void deleteAsksThenClosesWhateverTheAnswer_data()
    {
        QTest::addColumn<bool>("yes");
        QTest::newRow("yes") << true;
        QTest::newRow("no") << false;
    }

    void deleteAsksThenClosesWhateverTheAnswer()
    {
        QFETCH(bool, yes);
        appState().currentFancierId = 1;
        openWindow();
        answers->answerMessage(yes ? QMessageBox::Yes : QMessageBox::No);
        click(window->actionButton(W::DeleteAction));
        QVERIFY(answered());
        QVERIFY(!window->isVisible());
        QCOMPARE(answers->seen().at(0).text, QStringLiteral("Delete this fancier and all the fancier's pigeons ?"));
        QCOMPARE(answers->seen().at(0).title, QStringLiteral("Fancier"));
        QCOMPARE(answers->seen().at(0).icon, QMessageBox::Question);
        QCOMPARE(answers->seen().at(0).defaultButton, QMessageBox::No);
        const int fanciers = queryValue(club->db(), QStringLiteral("SELECT COUNT(*) FROM fanciers WHERE id = 1")).toInt();
        const int pigeons = queryValue(club->db(), QStringLiteral("SELECT COUNT(*) FROM pigeons WHERE fancier = 1")).toInt();
        QCOMPARE(fanciers, yes ? 0 : 1);
        QCOMPARE(pigeons, yes ? 0 : 1);
        // The other fancier's pigeons stay in any case.
        QCOMPARE(queryValue(club->db(), QStringLiteral("SELECT COUNT(*) FROM pigeons WHERE fancier = 3")).toInt(), 2);
        QCOMPARE(appState().currentFancierId, yes ? 0 : 1);
    }

    void deleteWithNoFancierShownJustCloses()
    {
        openWindow();
        click(window->actionButton(W::NewAction));
        const int before = fancierCount(club->db());
        click(window->actionButton(W::DeleteAction));
        QTest::qWait(30);
        QVERIFY(answers->seen().isEmpty());
        QVERIFY(!window->isVisible());
        QCOMPARE(fancierCount(club->db()), before);
    }

    void theIdBoxCannotBeTyped()
    {
        appState().currentFancierId = 1;
        openWindow();
        window->box(W::IdBox)->setFocus();
        typeInto(window->box(W::IdBox), QStringLiteral("7"));
        QCOMPARE(window->box(W::IdBox)->text(), QStringLiteral("1"));
    }
};

QTEST_MAIN(FancierWindowTest)
#include "tst_FancierWindow.moc"
