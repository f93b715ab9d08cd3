#include "common/TextCatalogue.h"
#include "common/ui/Captions.h"
#include "common/ui/LayoutTabOrder.h"
#include "common/ui/Mnemonics.h"
#include "common/ui/PrintPreviewWindow.h"
#include "common/ui/WindowGeometry.h"
#include "support/ModalAnswers.h"
#include "support/ShownCaption.h"
#include <QGridLayout>
#include <QKeySequence>
#include <QSettings>
#include <QStandardPaths>
#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSet>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTabWidget>
#include <QVBoxLayout>
#include <QtTest>

using namespace durvek;

namespace {

const QString kConnection = QStringLiteral("captions-test");

} // namespace

class TestCaptions : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void captionNumberReading_data();
    void captionNumberReading();
    void appliesToEveryKindOfControl();
    void controlsWithoutNumberKeepTheirText();
    void mnemonicsAreUniqueAndKeepTheCatalogueText();
    void exitHasTheSameMnemonicInEveryWindow();
    void tabOrderFollowsTheLayout();
    void windowsComeBackWhereTheyWereLeft();
    void theFileDialogTitleShowsNoMnemonicMark();
};

void TestCaptions::initTestCase()
{
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), kConnection);
    db.setDatabaseName(QStringLiteral(":memory:"));
    QVERIFY(db.open());
    QSqlQuery query(db);
    QVERIFY(query.exec(QStringLiteral("create table PcLanguage (id integer, \"default\" text, other text)")));
    QVERIFY(query.prepare(QStringLiteral("insert into PcLanguage (id, \"default\", other) values (?, ?, ?)")));
    const QList<QVariantList> rows = {
        {1, "Fancier", ""}, {2, "Linking", ""}, {6, "Exit", "Sluiten"}, {9, "Name", ""},
        {50, "Printout", ""}, {66, "Pigeon Data", ""}, {73, "Badge Data", ""}, {86, "Races", ""},
        {4, "Pc-Soft", ""}, {141, "Save & Print", ""}, {131, "Save as PDF", ""},
    };
    for (const QVariantList& row : rows) {
        for (const QVariant& v : row)
            query.addBindValue(v);
        QVERIFY(query.exec());
    }
    TextCatalogue::setConnectionName(kConnection);
    TextCatalogue::invalidate();
}

void TestCaptions::cleanupTestCase()
{
    TextCatalogue::invalidate();
    QSqlDatabase::database(kConnection).close();
    QSqlDatabase::removeDatabase(kConnection);
}

void TestCaptions::captionNumberReading_data()
{
    QTest::addColumn<QVariant>("property");
    QTest::addColumn<int>("expected");
    QTest::newRow("int") << QVariant(6) << 6;
    QTest::newRow("text") << QVariant("6") << 6;
    QTest::newRow("text with blanks") << QVariant(" 48 ") << 48;
    QTest::newRow("empty text") << QVariant("") << 0;
    QTest::newRow("not a number") << QVariant("Exit") << 0;
    QTest::newRow("missing") << QVariant() << 0;
}

void TestCaptions::captionNumberReading()
{
    QFETCH(QVariant, property);
    QFETCH(int, expected);
    QWidget widget;
    widget.setProperty(kCaptionNumberProperty, property);
    QCOMPARE(captionNumber(&widget), expected);
}

void TestCaptions::appliesToEveryKindOfControl()
{
    QWidget window;
    setCaptionNumber(&window, 4);
    auto* layout = new QVBoxLayout(&window);
    auto* exitButton = new QPushButton(QStringLiteral("design"), &window);
    auto* label = new QLabel(QStringLiteral("design"), &window);
    auto* group = new QGroupBox(QStringLiteral("design"), &window);
    auto* printout = new QCheckBox(QStringLiteral("design"), group);
    auto* option = new QRadioButton(QStringLiteral("design"), group);
    auto* tabs = new QTabWidget(&window);
    auto* pigeonPage = new QWidget;
    auto* badgePage = new QWidget;
    tabs->addTab(pigeonPage, QStringLiteral("design"));
    tabs->addTab(badgePage, QStringLiteral("design"));
    auto* untagged = new QLabel(QStringLiteral("design"), &window);
    auto* emptyTag = new QPushButton(QStringLiteral("design"), &window);
    auto* unknownNumber = new QLabel(QStringLiteral("design"), &window);
    for (QWidget* w : std::initializer_list<QWidget*>{exitButton, label, group, tabs, untagged, emptyTag, unknownNumber})
        layout->addWidget(w);

    setCaptionNumber(exitButton, 6);
    label->setProperty(kCaptionNumberProperty, QStringLiteral("9"));
    setCaptionNumber(group, 1);
    setCaptionNumber(printout, 50);
    setCaptionNumber(option, 86);
    setCaptionNumber(pigeonPage, 66);
    setCaptionNumber(badgePage, 73);
    emptyTag->setProperty(kCaptionNumberProperty, QString());
    setCaptionNumber(unknownNumber, 95);

    applyCaptions(&window);

    QCOMPARE(window.windowTitle(), QStringLiteral("Pc-Soft"));
    QCOMPARE(exitButton->text(), QStringLiteral("Sluiten"));
    QCOMPARE(label->text(), QStringLiteral("Name"));
    QCOMPARE(group->title(), QStringLiteral("Fancier"));
    QCOMPARE(printout->text(), QStringLiteral("Printout"));
    QCOMPARE(option->text(), QStringLiteral("Races"));
    QCOMPARE(tabs->tabText(0), QStringLiteral("Pigeon Data"));
    QCOMPARE(tabs->tabText(1), QStringLiteral("Badge Data"));
    QCOMPARE(untagged->text(), QStringLiteral("design"));
    QCOMPARE(emptyTag->text(), QStringLiteral(" "));
    QCOMPARE(unknownNumber->text(), QStringLiteral(" "));
}

void TestCaptions::controlsWithoutNumberKeepTheirText()
{
    // A text field is not captioned even when it carries a number by mistake.
    QWidget window;
    window.setWindowTitle(QStringLiteral("kept"));
    auto* edit = new QLineEdit(QStringLiteral("typed"), &window);
    setCaptionNumber(edit, 6);
    applyCaptions(&window);
    QCOMPARE(edit->text(), QStringLiteral("typed"));
    QCOMPARE(window.windowTitle(), QStringLiteral("kept"));
    applyCaptions(nullptr);
}


namespace {

QString mnemonicOf(const QAbstractButton* button)
{
    return QKeySequence::mnemonic(button->text()).toString().toLower();
}

} // namespace

void TestCaptions::mnemonicsAreUniqueAndKeepTheCatalogueText()
{
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    QList<QAbstractButton*> buttons;
    // Same first letters on purpose, a translation, and an '&' in a text.
    for (int number : {86, 4, 66, 50, 73, 6, 141, 2}) {
        auto* button = new QPushButton(&window);
        setCaptionNumber(button, number);
        layout->addWidget(button);
        buttons << button;
    }
    auto* designed = new QCheckBox(QStringLiteral("&Sort"), &window);
    buttons << designed;
    // A label that leads to a field takes part; one that leads nowhere does not.
    auto* fieldLabel = new QLabel(&window);
    setCaptionNumber(fieldLabel, 9);
    fieldLabel->setBuddy(new QLineEdit(&window));
    auto* plainLabel = new QLabel(&window);
    setCaptionNumber(plainLabel, 1);
    applyCaptions(&window);
    assignMnemonics(&window);
    assignMnemonics(&window); // a second call changes nothing

    QCOMPARE(testing::mnemonicFaults(&window), QString());
    QCOMPARE(testing::mnemonicsOf(&window).size(), buttons.size() + 1);
    QCOMPARE(QString(fieldLabel->text()).remove(u'&'), QStringLiteral("Name"));
    QCOMPARE(plainLabel->text(), QStringLiteral("Fancier"));

    QSet<QString> letters;
    for (QAbstractButton* button : buttons) {
        const QString letter = mnemonicOf(button);
        QVERIFY2(!letter.isEmpty(), qPrintable(button->text()));
        QVERIFY2(!letters.contains(letter), qPrintable(button->text()));
        letters.insert(letter);
        if (button != designed)
            QCOMPARE(testing::shownCaption(button), GetText(captionNumber(button)));
    }
    QCOMPARE(designed->text(), QStringLiteral("&Sort"));
    QCOMPARE(GetText(141), QStringLiteral("Save & Print"));

    // Captions applied afresh get their mnemonics again.
    applyCaptions(&window);
    assignMnemonics(&window);
    QCOMPARE(mnemonicOf(buttons.first()), QStringLiteral("alt+r"));
}

void TestCaptions::exitHasTheSameMnemonicInEveryWindow()
{
    // Exit ("Sluiten" in this club) after captions that would take its letter.
    QString alone;
    for (const QList<int>& before : QList<QList<int>>{{}, {141}, {4, 141}, {66, 86, 50}}) {
        QWidget window;
        auto* layout = new QVBoxLayout(&window);
        for (int number : before + QList<int>{6}) {
            auto* button = new QPushButton(&window);
            setCaptionNumber(button, number);
            layout->addWidget(button);
        }
        applyCaptions(&window);
        assignMnemonics(&window);
        const QString exit = mnemonicOf(window.findChildren<QPushButton*>().constLast());
        if (alone.isEmpty())
            alone = exit;
        QCOMPARE(exit, alone);
    }
}

void TestCaptions::tabOrderFollowsTheLayout()
{
    // Made in another order than they are laid out.
    QWidget window;
    auto* exit = new QPushButton(QStringLiteral("Exit"), &window);
    auto* save = new QPushButton(QStringLiteral("Save"), &window);
    auto* group = new QGroupBox(&window);
    auto* second = new QLineEdit(group);
    auto* first = new QLineEdit(group);
    auto* fields = new QGridLayout(group);
    fields->addWidget(second, 1, 0);
    fields->addWidget(first, 0, 0);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(save);
    buttons->addWidget(exit);
    auto* layout = new QVBoxLayout(&window);
    layout->addWidget(group);
    layout->addLayout(buttons);

    orderTabsByLayout(&window);
    window.show();
    QApplication::setActiveWindow(&window);
    QVERIFY(QTest::qWaitForWindowActive(&window));
    first->setFocus();
    for (QWidget* next : QWidgetList{second, save, exit}) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), next);
    }
}

void TestCaptions::windowsComeBackWhereTheyWereLeft()
{
    QStandardPaths::setTestModeEnabled(true);
    QWidget first;
    first.setObjectName(QStringLiteral("geometryProbe"));
    QSettings(QSettings::UserScope, QCoreApplication::applicationName(), QCoreApplication::applicationName())
        .remove(geometryKey(&first));
    rememberGeometry(&first);
    first.show();
    first.setGeometry(140, 120, 410, 230);
    const QRect left = first.geometry();
    first.close();

    QWidget second;
    second.setObjectName(QStringLiteral("geometryProbe"));
    rememberGeometry(&second);
    second.show();
    QCOMPARE(second.geometry(), left);

    // The print preview comes back at the size it was left, as the others do.
    const Printout nothing;
    auto preview = std::make_unique<PrintPreviewWindow>(nothing);
    QSettings(QSettings::UserScope, QCoreApplication::applicationName(), QCoreApplication::applicationName())
        .remove(geometryKey(preview.get()));
    preview->show();
    preview->setGeometry(60, 50, 520, 430);
    const QSize previewLeft = preview->size();
    preview->close();
    preview = std::make_unique<PrintPreviewWindow>(nothing);
    preview->show();
    QCOMPARE(preview->size(), previewLeft);

    // A window larger than the screen is cut to it the first time.
    QWidget huge;
    huge.setObjectName(QStringLiteral("hugeProbe"));
    huge.resize(20000, 20000);
    rememberGeometry(&huge);
    QVERIFY(huge.width() <= huge.screen()->availableGeometry().width());
}

void TestCaptions::theFileDialogTitleShowsNoMnemonicMark()
{
    PrintPreviewWindow preview {Printout()};
    preview.show();
    QVERIFY(preview.button(PrintPreviewWindow::SaveAsPdf)->text().contains(u'&'));
    testing::ModalAnswers answers(&preview);
    QString title;
    answers.answer([&title](QWidget* dialog) {
        title = dialog->windowTitle();
        static_cast<QDialog*>(dialog)->reject();
    });
    preview.button(PrintPreviewWindow::SaveAsPdf)->click();
    QCOMPARE(title, QStringLiteral("Save as PDF"));
}

QTEST_MAIN(TestCaptions)
#include "tst_captions.moc"
