#include "common/TextCatalogue.h"
#include "common/ui/Captions.h"
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
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
        {4, "Pc-Soft", ""},
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

QTEST_MAIN(TestCaptions)
#include "tst_captions.moc"
