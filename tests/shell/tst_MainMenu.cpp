#include "ProgramFolder.h"
#include "support/ShownCaption.h"
#include "common/TextCatalogue.h"
#include "database/ClubDatabase.h"
#include "shell/Startup.h"
#include "shell/ui/MainMenuWindow.h"
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
        QCOMPARE(windowOpenedBy(menu.button(6)), QStringLiteral("Settings"));
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
