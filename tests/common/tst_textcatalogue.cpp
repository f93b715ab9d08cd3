#include "common/TextCatalogue.h"
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QtTest>

using namespace durvek;

namespace {

const QString kConnection = QStringLiteral("catalogue-test");

void exec(const QString& sql, const QVariantList& values = {})
{
    QSqlQuery query(QSqlDatabase::database(kConnection));
    QVERIFY2(query.prepare(sql), qPrintable(query.lastError().text()));
    for (const QVariant& v : values)
        query.addBindValue(v);
    QVERIFY2(query.exec(), qPrintable(query.lastError().text()));
}

} // namespace

class TestTextCatalogue : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void rules_data();
    void rules();
    void readsTableOnceUntilInvalidated();
    void invalidatePicksUpEdits();
    void firstRowOfDuplicateNumberWins();
    void missingTableGivesSpace();
    void unknownConnectionGivesSpace();
};

void TestTextCatalogue::init()
{
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), kConnection);
    db.setDatabaseName(QStringLiteral(":memory:"));
    QVERIFY(db.open());
    exec(QStringLiteral("create table PcLanguage (id integer, \"default\" text, other text)"));
    const QList<QVariantList> rows = {
        {6, "Exit", "Sluiten"},
        {7, "ID", "   "},
        {8, QVariant(), QVariant()},
        {9, "  Name  ", QVariant()},
        {10, QVariant(), " Adres "},
        {11, "   ", ""},
    };
    for (const QVariantList& row : rows)
        exec(QStringLiteral("insert into PcLanguage (id, \"default\", other) values (?, ?, ?)"), row);
    TextCatalogue::setConnectionName(kConnection);
    TextCatalogue::invalidate();
}

void TestTextCatalogue::cleanup()
{
    TextCatalogue::invalidate();
    QSqlDatabase::database(kConnection).close();
    QSqlDatabase::removeDatabase(kConnection);
}

void TestTextCatalogue::rules_data()
{
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("expected");
    QTest::newRow("translation wins") << 6 << "Sluiten";
    QTest::newRow("blank translation gives base") << 7 << "ID";
    QTest::newRow("both null gives empty") << 8 << "";
    QTest::newRow("base trimmed") << 9 << "Name";
    QTest::newRow("translation trimmed, no base") << 10 << "Adres";
    QTest::newRow("both blank gives empty") << 11 << "";
    QTest::newRow("missing row gives space") << 12 << " ";
    QTest::newRow("number 0 gives space") << 0 << " ";
    QTest::newRow("negative gives space") << -6 << " ";
}

void TestTextCatalogue::rules()
{
    QFETCH(int, number);
    QFETCH(QString, expected);
    QCOMPARE(GetText(number), expected);
}

void TestTextCatalogue::readsTableOnceUntilInvalidated()
{
    // A cached catalogue still answers after the table is gone: the first
    // lookup read every row, later ones read none.
    QCOMPARE(GetText(6), QStringLiteral("Sluiten"));
    exec(QStringLiteral("drop table PcLanguage"));
    QCOMPARE(GetText(7), QStringLiteral("ID"));
    QCOMPARE(GetText(6), QStringLiteral("Sluiten"));
    TextCatalogue::invalidate();
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("PcLanguage"));
    QCOMPARE(GetText(6), QStringLiteral(" "));
}

void TestTextCatalogue::invalidatePicksUpEdits()
{
    QCOMPARE(GetText(6), QStringLiteral("Sluiten"));
    exec(QStringLiteral("update PcLanguage set other = ? where id = ?"), {"Stop", 6});
    exec(QStringLiteral("insert into PcLanguage (id, \"default\", other) values (?, ?, ?)"), {12, "Zip", ""});
    QCOMPARE(GetText(6), QStringLiteral("Sluiten"));
    QCOMPARE(GetText(12), QStringLiteral(" "));
    TextCatalogue::invalidate();
    QCOMPARE(GetText(6), QStringLiteral("Stop"));
    QCOMPARE(GetText(12), QStringLiteral("Zip"));
}

void TestTextCatalogue::firstRowOfDuplicateNumberWins()
{
    exec(QStringLiteral("insert into PcLanguage (id, \"default\", other) values (?, ?, ?)"), {6, "Later", "Later"});
    QCOMPARE(GetText(6), QStringLiteral("Sluiten"));
}

void TestTextCatalogue::missingTableGivesSpace()
{
    exec(QStringLiteral("drop table PcLanguage"));
    // Reported once for the run of lookups, not once per caption.
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("PcLanguage.*no such table"));
    QTest::failOnWarning(QRegularExpression("PcLanguage"));
    QCOMPARE(GetText(6), QStringLiteral(" "));
    QCOMPARE(GetText(7), QStringLiteral(" "));
    // Once the table is back the catalogue reads it without being told.
    exec(QStringLiteral("create table PcLanguage (id integer, \"default\" text, other text)"));
    exec(QStringLiteral("insert into PcLanguage (id, \"default\", other) values (?, ?, ?)"), {6, "Exit", ""});
    QCOMPARE(GetText(6), QStringLiteral("Exit"));
}

void TestTextCatalogue::unknownConnectionGivesSpace()
{
    TextCatalogue::setConnectionName(QStringLiteral("no-such-connection"));
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("no-such-connection"));
    QCOMPARE(GetText(6), QStringLiteral(" "));
    TextCatalogue::setConnectionName(kConnection);
    QCOMPARE(GetText(6), QStringLiteral("Sluiten"));
}

QTEST_GUILESS_MAIN(TestTextCatalogue)
#include "tst_textcatalogue.moc"
