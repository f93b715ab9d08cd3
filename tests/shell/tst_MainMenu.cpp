#include "ProgramFolder.h"
#include "support/ModalAnswers.h"
#include "support/ShownCaption.h"
#include "backup/ui/RestoreWindow.h"
#include "common/TextCatalogue.h"
#include "database/ClubDatabase.h"
#include "shell/Startup.h"
#include "shell/ui/MainMenuWindow.h"
#include "shell/ui/StartOrRestore.h"
#include <QDir>
#include <QFile>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace durvek;
using namespace durvek::test;

namespace {

QString baseText(const QSqlDatabase& db, int number)
{
    return scalar(db, QStringLiteral("SELECT \"default\" FROM PcLanguage WHERE id = %1").arg(number))
        .toString().trimmed();
}

// Clicks a menu button and reports the title of the modal window it opened
// (closing it again), or "" when none opened.
QString windowOpenedBy(QPushButton* button)
{
    QString title;
    QTimer::singleShot(0, [&title] {
        if (QWidget* window = QApplication::activeModalWidget()) {
            title = window->windowTitle();
            window->close();
        }
    });
    button->click();
    QCoreApplication::processEvents();
    return title;
}

} // namespace

class MainMenuTest : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        folder_ = std::make_unique<ProgramFolder>();
        QVERIFY(folder_->isValid());
        // A translated text must win over the base text on the menu.
        QVERIFY(exec(folder_->inspect(), QStringLiteral("UPDATE PcLanguage SET other = 'Instellingen' WHERE id = 5")));
        runStartup(folder_->path());
    }

    void cleanup()
    {
        ClubDatabase::close();
        folder_.reset();
    }

    void captionsComeFromTheCatalogueExceptTwo()
    {
        MainMenuWindow menu;
        QCOMPARE(menu.windowTitle(), QStringLiteral("DURVEK Club - Administrator"));
        QSqlDatabase db = folder_->inspect();
        const QStringList expected = {
            baseText(db, 1), baseText(db, 2), QStringLiteral("Print-Manager"), baseText(db, 4),
            QStringLiteral("Korvat"), baseText(db, 86), QStringLiteral("Instellingen"), baseText(db, 6),
        };
        for (int index = 0; index < MainMenuWindow::kButtonCount; ++index) {
            QVERIFY2(!expected.at(index).isEmpty(), "the delivered catalogue lacks a menu text");
            QCOMPARE(durvek::testing::shownCaption(menu.button(index)), expected.at(index));
        }
    }

    void buttonsAreStackedInIndexOrderAndOfOneSize()
    {
        MainMenuWindow menu;
        menu.show();
        QVERIFY(QTest::qWaitForWindowExposed(&menu));
        for (int index = 1; index < MainMenuWindow::kButtonCount; ++index) {
            QCOMPARE(menu.button(index)->size(), menu.button(0)->size());
            QCOMPARE(menu.button(index)->x(), menu.button(0)->x());
            QVERIFY(menu.button(index)->y() > menu.button(index - 1)->y() + menu.button(0)->height() - 1);
        }
    }

    void everyButtonIsEnabled()
    {
        MainMenuWindow menu;
        const bool enabled[MainMenuWindow::kButtonCount] = {true, true, true, true, true, true, true, true};
        for (int index = 0; index < MainMenuWindow::kButtonCount; ++index)
            QVERIFY2(menu.button(index)->isEnabled() == enabled[index], qPrintable(menu.button(index)->text()));
    }

    void eachEnabledButtonOpensItsWindowModally()
    {
        MainMenuWindow menu;
        menu.show();
        QCOMPARE(windowOpenedBy(menu.button(3)), QStringLiteral("Language PC-Soft"));
        QCOMPARE(windowOpenedBy(menu.button(5)), GetText(86));
        QCOMPARE(windowOpenedBy(menu.button(6)), GetText(5));
        QCOMPARE(windowOpenedBy(menu.button(0)), GetText(1));
        QCOMPARE(windowOpenedBy(menu.button(1)), GetText(42));
        QCOMPARE(windowOpenedBy(menu.button(2)), QStringLiteral("Durvek Print - Manager"));
        QCOMPARE(windowOpenedBy(menu.button(4)), QStringLiteral("Durvek - Club Administrator"));
        QCOMPARE(windowOpenedBy(menu.clockLanguageButton()), QStringLiteral("Language Module Zefira"));
        QCOMPARE(windowOpenedBy(menu.languageExportButton()), QStringLiteral("Generate  strings"));
        QCOMPARE(windowOpenedBy(menu.backUpNowButton()), GetText(264));
        QCOMPARE(windowOpenedBy(menu.restoreButton()), GetText(263));
        QVERIFY(menu.isVisible());
    }

    void aWindowWhoseDataCannotBeReadIsReportedAndTheMenuStays()
    {
        MainMenuWindow menu;
        menu.show();
        // The settings row can no longer be read once the program runs.
        QVERIFY(exec(folder_->inspect(), QStringLiteral("ALTER TABLE settings RENAME TO settings_gone")));
        QString message;
        QString details;
        QTimer::singleShot(0, [&message, &details] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                message = box->text();
                details = box->detailedText();
                box->close();
            }
        });
        menu.button(6)->click();
        QCoreApplication::processEvents();
        QCOMPARE(message, QStringLiteral("The window could not be opened:\nThe club database refused the request"));
        QVERIFY2(details.contains(QLatin1String("settings")), qPrintable(details));
        QVERIFY(menu.isVisible());
        QVERIFY(!QApplication::activeModalWidget());
    }

    // The link look must not cover the underline of the Alt letter.
    void theLinkToolsShowTheirMnemonicLetter()
    {
        MainMenuWindow menu;
        menu.show();
        QVERIFY(QTest::qWaitForWindowExposed(&menu));
        for (QPushButton* tool : {menu.clockLanguageButton(), menu.languageExportButton(),
                                  menu.backUpNowButton(), menu.restoreButton()}) {
            const QString withMnemonic = tool->text();
            QVERIFY2(withMnemonic.contains(u'&'), qPrintable(withMnemonic));
            const QImage shown = tool->grab().toImage();
            tool->setText(QString(withMnemonic).remove(u'&'));
            QVERIFY2(tool->grab().toImage() != shown, qPrintable(withMnemonic));
            tool->setText(withMnemonic);
        }
    }

    void aDamagedDatabaseIsReplacedByABackupAtStart_data()
    {
        QTest::addColumn<bool>("missing");
        QTest::addColumn<bool>("withBackup");
        QTest::addColumn<bool>("acceptOffer");
        QTest::newRow("backup chosen: restored, start goes on") << false << true << true;
        QTest::newRow("offer cancelled: stops") << false << true << false;
        QTest::newRow("no backup: stops with the message") << false << false << false;
        QTest::newRow("no file at all: stops with the message") << true << false << false;
    }

    // init's start left its backup in "backups"; the damaged file must never
    // be lost, whichever way the start ends.
    void aDamagedDatabaseIsReplacedByABackupAtStart()
    {
        QFETCH(bool, missing);
        QFETCH(bool, withBackup);
        QFETCH(bool, acceptOffer);
        ClubDatabase::close();
        const QDir programDir(folder_->path());
        // A missing file is never mended from a backup, although there is one.
        if (!withBackup && !missing)
            QVERIFY(QDir(programDir.filePath(QStringLiteral("backups"))).removeRecursively());
        const QByteArray garbage = QByteArray("minutes of the last club meeting, not a database\n").repeated(60);
        QFile file(folder_->databasePath());
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(garbage);
        file.close();
        if (missing)
            QVERIFY(file.remove());

        durvek::testing::ModalAnswers answers(durvek::testing::ModalAnswers::Decline);
        QString offer;
        if (withBackup) {
            answers.answer([&offer, acceptOffer](QWidget* modal) {
                auto* box = qobject_cast<QMessageBox*>(modal);
                offer = box->text();
                // "Restore..." is the offer's default button.
                acceptOffer ? box->defaultButton()->click() : box->reject();
            });
        }
        if (acceptOffer) {
            answers.answer([](QWidget* modal) {
                auto* window = qobject_cast<RestoreWindow*>(modal);
                QTimer::singleShot(0, window->restoreButton(), &QPushButton::click);
            });
            answers.answerMessage(QMessageBox::Yes);
            answers.answerMessage(QMessageBox::Ok);
        }
        const std::optional<QString> started = startOrOfferRestore(folder_->path(), false);

        const QStringList aside = programDir.entryList({QStringLiteral("durvadm.db.damaged *")}, QDir::Files);
        QCOMPARE(started.has_value(), acceptOffer);
        QCOMPARE(ClubDatabase::get().isOpen(), acceptOffer);
        QCOMPARE(aside.size(), acceptOffer ? 1 : 0);
        QFile kept(programDir.filePath(acceptOffer ? aside.value(0) : QStringLiteral("durvadm.db")));
        QCOMPARE(kept.open(QIODevice::ReadOnly), !missing);
        QCOMPARE(kept.readAll(), missing ? QByteArray() : garbage);
        const QString failure = QStringLiteral("The club database %1 could not be opened.\nThe club database %2")
                                    .arg(QDir::toNativeSeparators(folder_->databasePath()),
                                         missing ? QStringLiteral("does not exist") : QStringLiteral("is damaged: restore a backup"));
        if (!withBackup) {
            QCOMPARE(answers.seen().value(0).text, failure);
            return;
        }
        QVERIFY2(offer.startsWith(failure) && offer.contains(QDir::toNativeSeparators(programDir.filePath(QStringLiteral("backups")))),
                 qPrintable(offer));
        QCOMPARE(answers.pending(), 0);
        if (acceptOffer) {
            QVERIFY2(answers.seen().last().text.contains(aside.value(0)), qPrintable(answers.seen().last().text));
            QCOMPARE(GetText(6), baseText(ClubDatabase::get(), 6));
        }
    }

    // The server remembered in the settings cannot be reached: the box keeps
    // saying what to check, and lets the user try again, start on the club
    // file, or quit.
    void anUnreachableRememberedServerLetsTheUserStartOnTheFile_data()
    {
        QTest::addColumn<QStringList>("clicked"); // one button per box, in turn
        QTest::addColumn<bool>("started");
        QTest::newRow("the file") << QStringList{"Start with the club file"} << true;
        QTest::newRow("quit") << QStringList{"Quit"} << false;
        QTest::newRow("try again, then the file") << QStringList{"Try again", "Start with the club file"} << true;
    }
    void anUnreachableRememberedServerLetsTheUserStartOnTheFile()
    {
        QFETCH(QStringList, clicked);
        QFETCH(bool, started);
        ClubDatabase::close();
        const DatabaseLocation server = DatabaseLocation::fromArgument(
            QStringLiteral("postgresql://club@/club?host=%1/no-server-here").arg(folder_->path()));
        const DatabaseLocation file = DatabaseLocation::file(folder_->databasePath());
        durvek::testing::ModalAnswers answers(durvek::testing::ModalAnswers::Decline);
        QStringList texts;
        for (const QString& caption : clicked) {
            answers.answer([&texts, caption](QWidget* modal) {
                auto* box = qobject_cast<QMessageBox*>(modal);
                texts << box->text();
                for (QAbstractButton* button : box->buttons()) {
                    if (button->text() == caption)
                        return button->click();
                }
                box->reject();
            });
        }

        QCOMPARE(startOrOfferRestore(server, false, file).has_value(), started);
        QCOMPARE(answers.pending(), 0);
        QCOMPARE(ClubDatabase::get().isOpen(), started);
        if (started)
            QCOMPARE(startedDatabase().filePath(), file.filePath());
        for (const QString& text : texts)
            QVERIFY2(text.contains(QLatin1String("check the server's address")), qPrintable(text));
    }

    void exitClosesTheMenu()
    {
        MainMenuWindow menu;
        menu.show();
        menu.button(MainMenuWindow::kExitIndex)->click();
        QVERIFY(!menu.isVisible());
    }

private:
    std::unique_ptr<ProgramFolder> folder_;
};

QTEST_MAIN(MainMenuTest)
#include "tst_MainMenu.moc"
