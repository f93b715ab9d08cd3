#include "common/LoftCoordinate.h"
#include <QtTest>

using namespace durvek;

Q_DECLARE_METATYPE(durvek::CoordinateAxis)

class TestLoftCoordinate : public QObject {
    Q_OBJECT
private slots:
    // What a club types, and the 8 characters stored for it ("" when refused).
    void readsTheFederationFormsAndStoresEightCharacters_data()
    {
        constexpr auto lat = CoordinateAxis::Latitude;
        constexpr auto lon = CoordinateAxis::Longitude;
        QTest::addColumn<CoordinateAxis>("axis");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("stored");
        QTest::newRow("dms, letter first") << lat << QStringLiteral("N 51°05'23.45\"") << "51.08985";
        QTest::newRow("dms, letter last") << lat << "51 05 23.45 N" << "51.08985";
        QTest::newRow("dms, accent typed for the apostrophe") << lat << QStringLiteral("N 51°05´23.45\"") << "51.08985";
        QTest::newRow("dms, typographic marks") << lat << QStringLiteral("51° 05′ 23.45″ n") << "51.08985";
        QTest::newRow("decimal comma") << lon << QStringLiteral("E 4°25'12,34\"") << "04.42009";
        QTest::newRow("degrees and minutes") << lat << "51 05.391 N" << "51.08985";
        QTest::newRow("decimal degrees") << lat << "51.089847" << "51.08985";
        QTest::newRow("older stored form") << lon << "04.40213" << "04.40213";
        QTest::newRow("whole degrees") << lon << "5" << "05.00000";
        QTest::newRow("west by letter") << lon << "W 1 30 00" << "-1.50000";
        QTest::newRow("west by sign") << lon << "-1.5" << "-1.50000";
        QTest::newRow("ten degrees west") << lon << "W 10°25'12.34\"" << "-10.4201";
        QTest::newRow("south") << lat << "S 33 55 00" << "-33.9167";
        QTest::newRow("far east") << lon << "E 150 0 0" << "150.0000";
        QTest::newRow("pole") << lat << "N 90" << "90.00000";
        QTest::newRow("blank") << lat << "  " << "";
        QTest::newRow("latitude letter in longitude") << lon << "N 51 05 23" << "";
        QTest::newRow("O is ambiguous") << lon << "4 25 12 O" << "";
        QTest::newRow("letter and sign") << lon << "W -1.5" << "";
        QTest::newRow("60 minutes") << lat << "51 60 00" << "";
        QTest::newRow("60 seconds") << lat << "51 05 60" << "";
        QTest::newRow("decimals before the last part") << lat << "51.5 05 23" << "";
        QTest::newRow("four parts") << lat << "51 05 23 45" << "";
        QTest::newRow("latitude past 90") << lat << "91" << "";
        QTest::newRow("longitude past 180") << lon << "180 00 01" << "";
        QTest::newRow("digits run together") << lat << "51052345" << "";
        QTest::newRow("dotted parts") << lat << "51.05.23" << "";
        QTest::newRow("letter inside") << lat << "51 N 05" << "";
        QTest::newRow("exponent") << lat << "5e1" << "";
    }

    void readsTheFederationFormsAndStoresEightCharacters()
    {
        QFETCH(CoordinateAxis, axis);
        QFETCH(QString, typed);
        QFETCH(QString, stored);
        const std::optional<LoftCoordinate> read = LoftCoordinate::parse(typed, axis);
        QCOMPARE(read ? read->storedText() : QString(), stored);
        if (!read)
            return;
        // The stored text reads back as itself: storing again changes nothing.
        const std::optional<LoftCoordinate> again = LoftCoordinate::parse(stored, axis);
        QVERIFY(again);
        QCOMPARE(again->storedText(), stored);
        QVERIFY(std::abs(again->degrees() - read->degrees()) < 0.0001);
    }
};

QTEST_APPLESS_MAIN(TestLoftCoordinate)
#include "tst_loftcoordinate.moc"
