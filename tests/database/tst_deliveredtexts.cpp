// The texts delivered with the club database: every catalogue number the
// program uses has a text, and the clock texts fit what the clocks take.
#include "support/DeliveredDatabase.h"
#include "common/Ansi.h"
#include "database/CatalogueUpgrade.h"
#include "database/ClubDatabase.h"
#include "database/ShippedTranslations.h"
#include "database/SqlUtil.h"
#include "database/TranslationFile.h"
#include <QRegularExpression>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QtTest>

using namespace durvek;

namespace {

QStringList placeholders(const QString& text)
{
    QStringList found;
    for (const QRegularExpressionMatch& match : QRegularExpression(QStringLiteral("%\\d+")).globalMatch(text))
        found << match.captured();
    found.sort();
    return found;
}

} // namespace

class TestDeliveredTexts : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QSqlDatabase m_db;

private slots:
    void initTestCase() { m_db = testing::openDeliveredDatabase(m_dir.path()); }

    void cleanupTestCase()
    {
        m_db = QSqlDatabase();
        ClubDatabase::close();
    }

    void everyCatalogueNumberHasABaseText()
    {
        QSqlQuery query = runStatement(m_db, "SELECT id, \"default\", other FROM PcLanguage ORDER BY id");
        QList<int> ids;
        while (query.next()) {
            ids.append(query.value(0).toInt());
            QVERIFY2(!query.value(1).toString().trimmed().isEmpty(), qPrintable(query.value(0).toString()));
            QVERIFY(query.value(2).toString().trimmed().isEmpty()); // no translation delivered
        }
        QList<int> expected;
        for (int i = 1; i < CatalogueNumbersAddedSinceDelivery().constFirst(); ++i)
            expected.append(i);
        expected << CatalogueNumbersAddedSinceDelivery();
        QCOMPARE(ids, expected);
    }

    // A shipped language translates every catalogue text once, in number
    // order, with the placeholders the program fills in, and no longer than
    // the field where the base text fits it.
    void everyShippedLanguageTranslatesTheWholeCatalogue_data()
    {
        QTest::addColumn<QString>("code");
        for (const ShippedTranslations::Language& language : ShippedTranslations::languages()) {
            if (!language.code.isEmpty())
                QTest::newRow(qPrintable(language.code)) << language.code;
        }
    }

    void everyShippedLanguageTranslatesTheWholeCatalogue()
    {
        QFETCH(QString, code);
        const TranslationFile file = ReadTranslationFile(ShippedTranslations::file(code));
        QVERIFY2(file.fault.isEmpty(), qPrintable(file.fault));
        QList<int> numbers;
        QSqlQuery catalogue = runStatement(m_db, "SELECT id, \"default\" FROM PcLanguage ORDER BY id");
        QHash<int, QString> base;
        while (catalogue.next()) {
            numbers << catalogue.value(0).toInt();
            base.insert(numbers.last(), catalogue.value(1).toString());
        }
        QList<int> translated;
        for (const TranslatedText& line : file.texts) {
            translated << line.number;
            const QString english = base.value(line.number);
            const QString where = QStringLiteral("%1 %2: %3").arg(code).arg(line.number).arg(line.text);
            QVERIFY2(!line.text.trimmed().isEmpty(), qPrintable(where));
            QVERIFY2(placeholders(line.text) == placeholders(english), qPrintable(where));
            QVERIFY2(english.size() > 100 || line.text.size() <= 100, qPrintable(where));
        }
        QCOMPARE(translated, numbers);
    }

    // Texts the program shows as they are designed, and texts with a fixed role.
    void textsWithAFixedForm_data()
    {
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("text");
        QTest::newRow("menu fancier") << 1 << "Fancier";
        QTest::newRow("exit") << 6 << "Exit";
        QTest::newRow("cancel") << 27 << "Cancel";
        QTest::newRow("search prompt") << 34 << "Enter your search - query below";
        QTest::newRow("update clock") << 48 << "Update Clock";
        QTest::newRow("read clock") << 49 << "Read Clock";
        QTest::newRow("races") << 86 << "Races";
        // Stored as "F" when the grid shows text 68, and read back by comparing with "F".
        QTest::newRow("female") << 68 << "F";
    }

    void textsWithAFixedForm()
    {
        QFETCH(int, number);
        QFETCH(QString, text);
        QCOMPARE(queryValue(m_db, "SELECT \"default\" FROM PcLanguage WHERE id = ?", {number}).toString(), text);
    }

    void defaultCountryIsABandCountry()
    {
        const QString country = queryValue(m_db, "SELECT \"default\" FROM PcLanguage WHERE id = 41").toString();
        QVERIFY(country.size() >= 2 && country.size() <= 3);
        QCOMPARE(country, country.toUpper());
    }

    // Clock texts travel one byte per character and are compiled as string
    // literals without escaping: they must fit the code page, the display
    // and a literal.
    void clockTextsFitTheClocks()
    {
        QSqlQuery query = runStatement(m_db, "SELECT id, \"default\", other, spaans FROM language ORDER BY id");
        int rows = 0;
        while (query.next()) {
            ++rows;
            QCOMPARE(query.value(0).toInt(), rows);
            for (int column = 1; column <= 3; ++column) {
                const QString text = query.value(column).toString();
                const QString where = QStringLiteral("row %1 column %2: %3").arg(rows).arg(column).arg(text);
                QVERIFY2(!text.trimmed().isEmpty(), qPrintable(where));
                QVERIFY2(text.size() <= 16, qPrintable(where));
                QVERIFY2(!text.contains(u'"') && !text.contains(u'\\'), qPrintable(where));
                for (const QChar c : text)
                    QVERIFY2(ansiCode(c).has_value(), qPrintable(where));
            }
        }
        QVERIFY(rows >= 30);
    }

    void deliveredClubIsEmpty()
    {
        QCOMPARE(queryValue(m_db, "SELECT count(*) FROM fanciers").toInt(), 0);
        QCOMPARE(queryValue(m_db, "SELECT count(*) FROM pigeons").toInt(), 0);
        QCOMPARE(queryValue(m_db, "SELECT count(*) FROM settings").toInt(), 1);
    }
};

QTEST_GUILESS_MAIN(TestDeliveredTexts)
#include "tst_deliveredtexts.moc"
