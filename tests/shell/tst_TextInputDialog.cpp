#include "clocklink/Frames.h"
#include "shell/ui/TextInputDialog.h"
#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

using namespace durvek;

namespace {

// Types into whatever modal dialog is open once the event loop runs.
void typeIntoNextDialog(const QString& text, Qt::Key finalKey)
{
    QTimer::singleShot(0, [text, finalKey] {
        auto* dialog = qobject_cast<TextInputDialog*>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        QTest::keyClicks(dialog->textBox(), text);
        QTest::keyClick(dialog->textBox(), finalKey);
    });
}

} // namespace

class TextInputDialogTest : public QObject {
    Q_OBJECT

private slots:
    void enterOnABlankBoxKeepsTheDialogOpen_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("key");
        QTest::newRow("empty, Return") << QString() << int(Qt::Key_Return);
        QTest::newRow("blanks, Return") << QStringLiteral("    ") << int(Qt::Key_Return);
        QTest::newRow("blanks, keypad Enter") << QStringLiteral("  ") << int(Qt::Key_Enter);
    }

    void enterOnABlankBoxKeepsTheDialogOpen()
    {
        QFETCH(QString, typed);
        QFETCH(int, key);
        bool cancelled = true;
        TextInputDialog dialog(nullptr, QStringLiteral("Name"), cancelled);
        dialog.show();
        QTest::keyClicks(dialog.textBox(), typed);
        QTest::keyClick(dialog.textBox(), Qt::Key(key));
        QVERIFY(dialog.isVisible());
        QVERIFY(cancelled);
        QCOMPARE(dialog.inputText(), QString());
        QCOMPARE(dialog.textBox()->text(), typed);
    }

    void enterConfirmsTheTrimmedText()
    {
        bool cancelled = true;
        TextInputDialog dialog(nullptr, QStringLiteral("Name"), cancelled);
        dialog.show();
        QTest::keyClicks(dialog.textBox(), QStringLiteral("  abc  "));
        QTest::keyClick(dialog.textBox(), Qt::Key_Return);
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.inputText(), QStringLiteral("abc"));
        QVERIFY(!cancelled);
    }

    void otherKeysAreTypedUnfiltered()
    {
        bool cancelled = true;
        TextInputDialog dialog(nullptr, QStringLiteral("Name"), cancelled);
        dialog.show();
        // An apostrophe would become an accent in a filtered field; not here.
        QTest::keyClicks(dialog.textBox(), QStringLiteral("d'Hondt 12/B"));
        QTest::keyClick(dialog.textBox(), Qt::Key_Enter);
        QCOMPARE(dialog.inputText(), QStringLiteral("d'Hondt 12/B"));
    }

    void escapeCancels()
    {
        // The caller's false proves the dialog itself wrote the flag.
        bool cancelled = false;
        TextInputDialog dialog(nullptr, QStringLiteral("Name"), cancelled);
        dialog.show();
        QTest::keyClicks(dialog.textBox(), QStringLiteral("abc"));
        QTest::keyClick(dialog.textBox(), Qt::Key_Escape);
        QVERIFY(!dialog.isVisible());
        QVERIFY(cancelled);
        QCOMPARE(dialog.inputText(), QString());
    }

    void closingByTheFrameLeavesTheFlagAsTheCallerSetIt_data()
    {
        QTest::addColumn<bool>("callerSet");
        QTest::newRow("caller set true") << true;
        QTest::newRow("caller set false") << false;
    }

    void closingByTheFrameLeavesTheFlagAsTheCallerSetIt()
    {
        QFETCH(bool, callerSet);
        bool cancelled = callerSet;
        TextInputDialog dialog(nullptr, QStringLiteral("Name"), cancelled);
        dialog.show();
        QTest::keyClicks(dialog.textBox(), QStringLiteral("abc"));
        QVERIFY(dialog.close());
        QVERIFY(!dialog.isVisible());
        QCOMPARE(cancelled, callerSet);
        QCOMPARE(dialog.inputText(), QString());
    }

    void askHandsTheTextBackThroughTheSharedCancelFlag()
    {
        linkBuffers().CancelRequested = false;
        typeIntoNextDialog(QStringLiteral(" Peeters "), Qt::Key_Return);
        QCOMPARE(TextInputDialog::ask(nullptr, QStringLiteral("Search")), QStringLiteral("Peeters"));
        QVERIFY(!linkBuffers().CancelRequested);

        typeIntoNextDialog(QStringLiteral("Peeters"), Qt::Key_Escape);
        QCOMPARE(TextInputDialog::ask(nullptr, QStringLiteral("Search")), QString());
        QVERIFY(linkBuffers().CancelRequested);

        // ask() raises the flag first, as every caller would, so a dialog
        // closed by its frame reads as cancelled.
        linkBuffers().CancelRequested = false;
        QTimer::singleShot(0, [] { QApplication::activeModalWidget()->close(); });
        QCOMPARE(TextInputDialog::ask(nullptr, QStringLiteral("Search")), QString());
        QVERIFY(linkBuffers().CancelRequested);
    }

    void askOverTheCallersFlag()
    {
        bool cancelled = true;
        typeIntoNextDialog(QStringLiteral("Combine 1"), Qt::Key_Enter);
        QCOMPARE(TextInputDialog::ask(nullptr, QStringLiteral("Combine"), cancelled), QStringLiteral("Combine 1"));
        QVERIFY(!cancelled);
    }
};

QTEST_MAIN(TextInputDialogTest)
#include "tst_TextInputDialog.moc"
