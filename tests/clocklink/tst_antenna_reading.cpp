// The antenna answers turned into chip codes, the direct reading's loop, and
// the check of a new code against the grid.
#include "tst_antenna_fixtures.h"
#include "FakeClock.h"
#include "clocklink/ClockLibrary.h"
#include "clocklink/Frames.h"
#include "linking/ChipCodeInUse.h"
#include <QTest>
#include <deque>

using namespace durvek;
using namespace durvek::test;

namespace {

// A direct answer as the antenna sends it: start byte, eight digit bytes
// (0x40 + 2 x digit), check byte, CR, ETX.
QByteArray telegram(const QByteArray& hex)
{
    QByteArray out(1, char(0x02));
    for (char c : hex)
        out.append(char(0x40 + 2 * QByteArray(1, c).toInt(nullptr, 16)));
    out.append(char(0x00)).append(char(0x0D)).append(char(0x03));
    return out;
}

struct Answer {
    uint16_t result = 0;
    QByteArray bytes;
};

// ReadAnt as a script: each call takes the next answer; once they run out
// the antenna stays empty.
struct ScriptedAntenna {
    std::deque<Answer> answers;
    int calls = 0;

    uint16_t operator()(int16_t& length, uint8_t* buffer)
    {
        ++calls;
        if (answers.empty()) {
            length = 0;
            return 1;
        }
        const Answer a = answers.front();
        answers.pop_front();
        length = int16_t(a.bytes.size());
        memcpy(buffer, a.bytes.constData(), size_t(std::min<qsizetype>(a.bytes.size(), antenna::kAnswerSize)));
        return a.result;
    }
};

} // namespace

class AntennaReadingTest : public QObject {
    Q_OBJECT

    ClockLibrary library;
    AntennaHost host;
    FakePigeonGrid grid;
    ScriptedAntenna antenna;

    JobContext job() { return JobContext{host, library, antennaLink(false), antennaTexts}; }

    ChipRead readDirect()
    {
        JobContext context = job();
        DirectAntennaReading reading(context, grid, std::ref(antenna));
        return reading.readCode(ReadingFor::SingleBand);
    }

private slots:
    void init()
    {
        host = AntennaHost();
        antenna = ScriptedAntenna();
        grid = FakePigeonGrid::withRows({"0000012345", "0000012346", "0000012347"});
        grid.current = 2;
        linkBuffers().CancelRequested = false;
    }

    void directAnswerDigits_data()
    {
        QTest::addColumn<uint16_t>("result");
        QTest::addColumn<QByteArray>("answer");
        QTest::addColumn<QString>("code");
        QTest::newRow("every digit") << uint16_t(0) << telegram("0A1B2C3D") << "0A1B2C3D";
        QTest::newRow("high digits") << uint16_t(0) << telegram("FEDC9876") << "FEDC9876";
        // Only bits 1..4 carry the digit; the others are whatever the antenna sets.
        QTest::newRow("other bits ignored")
            << uint16_t(0) << QByteArray::fromHex("02C15FA1E04042444A000D03") << "0F000125";
        QTest::newRow("eleven bytes") << uint16_t(0) << telegram("0A1B2C3D").left(11) << "";
        QTest::newRow("thirteen bytes") << uint16_t(0) << telegram("0A1B2C3D") + '\x02' << "";
        QTest::newRow("failed call") << uint16_t(2) << telegram("0A1B2C3D") << "";
    }
    void directAnswerDigits()
    {
        QFETCH(uint16_t, result);
        QFETCH(QByteArray, answer);
        QFETCH(QString, code);
        uint8_t buffer[antenna::kAnswerSize] = {};
        memcpy(buffer, answer.constData(), size_t(std::min<qsizetype>(answer.size(), antenna::kAnswerSize)));
        QCOMPARE(antenna::directAnswerCode(result, int16_t(answer.size()), buffer), code);
    }

    void converterAnswers()
    {
        uint8_t reply[257] = {};
        const QByteArray frame = QByteArray::fromHex("3300B70700000" "50A1B2C3D4E");
        memcpy(reply, frame.constData(), size_t(frame.size()));
        QVERIFY(antenna::isConverterDone(0, reply));
        QCOMPARE(antenna::converterAnswerCode(reply), QStringLiteral("0A1B2C3D4E"));

        reply[7] = 0x05; // one hexadecimal digit still gives two
        QCOMPARE(antenna::converterAnswerCode(reply), QStringLiteral("051B2C3D4E"));

        QVERIFY(!antenna::isConverterDone(1, reply));
        reply[4] = 1;
        QVERIFY(!antenna::isConverterDone(0, reply));
        reply[4] = 0;
        reply[0] = 0x6C; // a clock's answer is not the converter's
        QVERIFY(!antenna::isConverterDone(0, reply));
    }

    void directReadingWaitsForTwelveBytes()
    {
        antenna.answers = {{0, telegram("11111111").left(11)}, {0, telegram("22222222") + '\x02'},
                           {1, telegram("33333333")}, {0, telegram("0A1B2C3D")}};
        const ChipRead read = readDirect();
        QVERIFY(read.hasCode());
        QCOMPARE(read.code, QStringLiteral("0A1B2C3D"));
        QCOMPARE(antenna.calls, 4);
        QCOMPARE(host.pumps, 4);
        // Yellow while waiting, and the status line names the row; both go
        // once the chip is read.
        QCOMPARE(grid.colours.first(), qMakePair(2, PigeonGridAccess::RowColour::Yellow));
        QCOMPARE(host.statuses, QStringList({"Hold row 2", ""}));
        QVERIFY(grid.yellowRows().isEmpty());
        QVERIFY(host.warnings.isEmpty());
    }

    void directReadingEndsOnCancel()
    {
        host.cancelAtPump = 5;
        const ChipRead read = readDirect();
        QCOMPARE(read.end, ChipRead::Cancelled);
        QVERIFY(read.code.isEmpty());
        QCOMPARE(antenna.calls, 5);
        QVERIFY(grid.yellowRows().isEmpty());
    }

    void directReadingPausesOnAPortThatCannotOpen()
    {
        antenna.answers = {{3, {}}, {3, {}}};
        host.cancelAtPump = 3;
        QCOMPARE(readDirect().end, ChipRead::Cancelled);
        QCOMPARE(host.pauses, QList<int>({100, 100}));
        QCOMPARE(host.statuses.size(), 4);
        QVERIFY(host.statuses[1].startsWith(QLatin1String("Hold row 2 - 3 - ")));
    }

    void converterFramesAndLineModes()
    {
        // The presence check goes out in the settings' line mode (0 with the
        // converter), the chip request always in line mode 1. A status-0
        // answer that is not the converter's carries no code.
        auto clock = std::make_shared<FakeClockState>();
        int chipRequests = 0;
        clock->script = [&chipRequests](const QByteArray& frame) -> std::optional<QByteArray> {
            if (uint8_t(frame[2]) == 0xA0)
                return QByteArray::fromHex("3300A00000");
            if (++chipRequests == 1)
                return QByteArray::fromHex("6C82B707000005111111111111");
            if (chipRequests == 2)
                return QByteArray::fromHex("3300B70001"); // no chip within the wait
            return QByteArray::fromHex("3300B70700000" "50A1B2C3D4E");
        };
        library.setTransportFactory([clock] { return TransportPtr(new FakeClockTransport(clock)); });
        library.setPortResolver([](uint8_t) { return QStringLiteral("fake"); });
        library.setLineLog(nullptr);
        JobContext context{host, library, antennaLink(true), antennaTexts};
        grid.current = 3;
        ConverterAntennaReading reading(context, grid);
        const ChipRead read = reading.readCode(ReadingFor::MultipleBands);
        library.release();

        QCOMPARE(read.end, ChipRead::Code);
        QCOMPARE(read.code, QStringLiteral("0A1B2C3D4E"));
        QCOMPARE(clock->sent.size(), 4);
        QCOMPARE(clock->sent[0].frame, QByteArray::fromHex("6C00A0020000"));
        QCOMPARE(clock->sent[0].rts, false);
        for (int i = 1; i < 4; ++i) {
            QCOMPARE(clock->sent[i].frame, QByteArray::fromHex("6C00B7020005"));
            QCOMPARE(clock->sent[i].rts, true);
        }
        QCOMPARE(host.statuses, QStringList({"Hold row 3", "Hold row 3", "Hold row 3", "Hold row 3", ""}));
        QCOMPARE(host.beeps, 1);
        // Yellow around every request, white at the end.
        QCOMPARE(grid.colours.size(), 6);
        QCOMPARE(grid.colours.first(), qMakePair(3, PigeonGridAccess::RowColour::Yellow));
        QVERIFY(grid.yellowRows().isEmpty());
        QVERIFY(host.warnings.isEmpty());
    }

    void chipCodeInUseFindsTheFirstHolder()
    {
        grid = FakePigeonGrid::withRows({"1", "2", "3", "4"}, {"", "0A1B2C3D", "", "0A1B2C3D"});
        grid.current = 2;
        // Ten converter digits: the grid keeps eight.
        QVERIFY(ChipCodeInUse("0A1B2C3D4E", grid, host, antennaTexts));
        QCOMPARE(host.warnings, QStringList({"Row #2|El. band 0A1B2C3D: in use "}));

        host.warnings.clear();
        QVERIFY(!ChipCodeInUse("0A1B2C3E", grid, host, antennaTexts));
        QVERIFY(!ChipCodeInUse("0A1B2C3", grid, host, antennaTexts));
        // The empty rows hold no code that an empty text could match.
        QVERIFY(!ChipCodeInUse("", grid, host, antennaTexts));
        QVERIFY(host.warnings.isEmpty());
    }
};

QTEST_GUILESS_MAIN(AntennaReadingTest)
#include "tst_antenna_reading.moc"
