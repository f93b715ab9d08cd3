#include "common/ui/FilteredLineEdit.h"
#include <QApplication>
#include <QClipboard>
#include <QAction>
#include <QMimeData>
#include <QtTest>

using namespace durvek;

namespace {

// One key press with its text; QTest::keyClicks cannot send characters beyond ASCII.
void typeChar(QWidget* widget, QChar c)
{
    QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

void typeText(QWidget* widget, const QString& text)
{
    for (QChar c : text)
        typeChar(widget, c);
}

void pasteByShortcut(QWidget* widget, const QString& clip)
{
    QApplication::clipboard()->setText(clip);
    QTest::keyClick(widget, Qt::Key_V, Qt::ControlModifier);
}

} // namespace

class TestFilteredLineEdit : public QObject {
    Q_OBJECT
private slots:
    void typedKeys_data();
    void typedKeys();
    void controlKeysAreNotFiltered();
    void replacesWholeSelection();
    void pasteGoesThroughMask_data();
    void pasteGoesThroughMask();
    void pasteIntoSelection();
    void pasteSlotFilters();
    void dropGoesThroughMask();
    void contextMenuPasteFilters();
    void programmaticTextIsNotFiltered();
    void propertyCarriesMask();
};

void TestFilteredLineEdit::typedKeys_data()
{
    QTest::addColumn<QString>("mask");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("expected");
    QTest::newRow("digits") << "/N " << "1a2.3-" << "123";
    QTest::newRow("apostrophe becomes accent") << "" << "d'Hondt" << QString("d\u00B4Hondt");
    QTest::newRow("upper-case with accents") << "/> " << QString("r\u00E9my") << QString("R\u00C9MY");
    QTest::newRow("two decimals") << "/S /DP2 " << "12.345.6" << "12.34";
    QTest::newRow("non-ANSI refused by set mask") << "/NS " << QString("a\u0434 b") << "ab";
    QTest::newRow("non-ANSI kept without set mask") << "/NEG " << QString("a\u0434") << QString("a\u0434");
}

void TestFilteredLineEdit::typedKeys()
{
    QFETCH(QString, mask);
    QFETCH(QString, typed);
    QFETCH(QString, expected);
    FilteredLineEdit edit(mask);
    edit.setDecimalSeparator(u'.');
    typeText(&edit, typed);
    QCOMPARE(edit.text(), expected);
}

void TestFilteredLineEdit::controlKeysAreNotFiltered()
{
    FilteredLineEdit edit(QStringLiteral("/N "));
    edit.setDecimalSeparator(u'.');
    QSignalSpy returnPressed(&edit, &QLineEdit::returnPressed);
    QTest::keyClicks(&edit, "123");
    QTest::keyClick(&edit, Qt::Key_Backspace);
    QCOMPARE(edit.text(), QStringLiteral("12"));
    QTest::keyClick(&edit, Qt::Key_Home);
    QTest::keyClick(&edit, Qt::Key_Delete);
    QCOMPARE(edit.text(), QStringLiteral("2"));
    QTest::keyClick(&edit, Qt::Key_Return);
    QCOMPARE(returnPressed.count(), 1);
}

void TestFilteredLineEdit::replacesWholeSelection()
{
    FilteredLineEdit edit(QStringLiteral("/S /DP2 "));
    edit.setDecimalSeparator(u'.');
    QTest::keyClicks(&edit, "12.34");
    QTest::keyClick(&edit, Qt::Key_5);
    QCOMPARE(edit.text(), QStringLiteral("12.34"));
    edit.selectAll();
    QTest::keyClicks(&edit, "5.678");
    QCOMPARE(edit.text(), QStringLiteral("5.67"));
}

void TestFilteredLineEdit::pasteGoesThroughMask_data()
{
    QTest::addColumn<QString>("mask");
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("clip");
    QTest::addColumn<QString>("expected");
    QTest::newRow("digits") << "/N " << "" << "NL-12 345" << "12345";
    QTest::newRow("decimals counted as text grows") << "/S /DP2 " << "" << "3.14159" << "3.14";
    QTest::newRow("limit already reached") << "/S /DP2 " << "1.25" << "99" << "1.25";
    QTest::newRow("apostrophe and upper case") << "/> " << "" << "o'neil" << QString("O\u00B4NEIL");
    QTest::newRow("line breaks dropped") << "" << "" << "ab\ncd\t" << "abcd";
}

void TestFilteredLineEdit::pasteGoesThroughMask()
{
    QFETCH(QString, mask);
    QFETCH(QString, before);
    QFETCH(QString, clip);
    QFETCH(QString, expected);
    FilteredLineEdit edit(mask);
    edit.setDecimalSeparator(u'.');
    edit.setText(before);
    edit.end(false);
    pasteByShortcut(&edit, clip);
    QCOMPARE(edit.text(), expected);
}

void TestFilteredLineEdit::pasteIntoSelection()
{
    FilteredLineEdit edit(QStringLiteral("/S /DP2 "));
    edit.setDecimalSeparator(u'.');
    edit.setText(QStringLiteral("12.34"));
    edit.selectAll();
    pasteByShortcut(&edit, QStringLiteral("7.891"));
    QCOMPARE(edit.text(), QStringLiteral("7.89"));

    // Part of the text selected: the decimal places are still full.
    edit.setText(QStringLiteral("12.34"));
    edit.setSelection(0, 2);
    pasteByShortcut(&edit, QStringLiteral("9"));
    QCOMPARE(edit.text(), QStringLiteral("12.34"));
}

void TestFilteredLineEdit::pasteSlotFilters()
{
    // Context menus and toolbars reach paste() as a slot.
    FilteredLineEdit edit(QStringLiteral("/K "));
    QApplication::clipboard()->setText(QStringLiteral("ab1c"));
    QMetaObject::invokeMethod(&edit, "paste");
    QCOMPARE(edit.text(), QStringLiteral("abc"));
}

void TestFilteredLineEdit::dropGoesThroughMask()
{
    FilteredLineEdit edit(QStringLiteral("/N "));
    edit.resize(200, 30);
    edit.show();
    QVERIFY(QTest::qWaitForWindowExposed(&edit));
    QMimeData data;
    data.setText(QStringLiteral("4x2"));
    // Delivered straight to the widget: the application passes drops on only
    // during a drag of the platform's own.
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    static_cast<QObject&>(edit).event(&drop);
    QVERIFY(drop.isAccepted());
    QCOMPARE(edit.text(), QStringLiteral("42"));
}

void TestFilteredLineEdit::contextMenuPasteFilters()
{
    FilteredLineEdit edit(QStringLiteral("/N "));
    edit.resize(200, 30);
    edit.show();
    QVERIFY(QTest::qWaitForWindowExposed(&edit));
    QApplication::clipboard()->setText(QStringLiteral("1-2x3"));
    QContextMenuEvent menuEvent(QContextMenuEvent::Mouse, QPoint(5, 5), edit.mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(&edit, &menuEvent);
    QWidget* popup = QApplication::activePopupWidget();
    QVERIFY(popup);
    QAction* pasteAction = nullptr;
    for (QAction* action : popup->actions()) {
        if (action->text().startsWith(QLineEdit::tr("&Paste")))
            pasteAction = action;
    }
    QVERIFY(pasteAction);
    pasteAction->trigger();
    popup->close();
    QCOMPARE(edit.text(), QStringLiteral("123"));
}

void TestFilteredLineEdit::programmaticTextIsNotFiltered()
{
    FilteredLineEdit edit(QStringLiteral("/N "));
    edit.setText(QStringLiteral("NL 12"));
    QCOMPARE(edit.text(), QStringLiteral("NL 12"));
}

void TestFilteredLineEdit::propertyCarriesMask()
{
    FilteredLineEdit edit;
    QVERIFY(edit.setProperty("keyMask", QStringLiteral("/N ")));
    QCOMPARE(edit.keyMask(), QStringLiteral("/N "));
    QTest::keyClicks(&edit, "a1");
    QCOMPARE(edit.text(), QStringLiteral("1"));
}

QTEST_MAIN(TestFilteredLineEdit)
#include "tst_filteredlineedit.moc"
