#include "clocklink/ClockModel.h"
#include "clocklink/ClockRecords.h"
#include "clocklink/Frames.h"
#include <QTest>

using namespace durvek;

namespace {

PigeonRecord examplePigeon()
{
    PigeonRecord p;
    p.elcode = QStringLiteral("0A1B2C3D");
    p.country = QStringLiteral("BE");
    p.year = QStringLiteral("07");
    p.band = QStringLiteral("12345");
    p.sex = QStringLiteral("F");
    return p;
}

QByteArray field(const QByteArray& block, int offset, int width) { return block.mid(offset, width); }

} // namespace

class ClockRecordsTest : public QObject {
    Q_OBJECT
private slots:
    void modelTable()
    {
        QCOMPARE(int(clockModels().size()), 4);
        for (int i = 0; i < 4; ++i)
            QCOMPARE(int(clockModel(i).index), i);
        QCOMPARE(clockModel(ClockModelIndex::Zefira).recordFrameLength(), 31);
        QCOMPARE(clockModel(ClockModelIndex::Korvat).recordFrameLength(), 24);
        QCOMPARE(clockModel(ClockModelIndex::Omnexa).readJob, ReadJobKind::SingleBlock);
        QCOMPARE(clockModel(ClockModelIndex::Zefira).readJob, ReadJobKind::MultiBlock);
        QCOMPARE(clockModel(ClockModelIndex::LittleDurvek).readJob, ReadJobKind::None);
        int setupModels = 0;
        for (const ClockModel& m : clockModels())
            setupModels += m.fanciersPerClockSetup ? 1 : 0;
        QCOMPARE(setupModels, 1);
        QVERIFY(clockModel(ClockModelIndex::Zefira).fanciersPerClockSetup);
        // a protocol number the table does not know falls back to the first row
        QCOMPARE(clockModel(9).index, ClockModelIndex::Omnexa);
        QCOMPARE(clockModel(-1).index, ClockModelIndex::Omnexa);
    }

    // The update of a Korvat clock for a fancier with one pigeon.
    void workedExampleShortRecordFrame()
    {
        const ClockModel& korvat = clockModel(ClockModelIndex::Korvat);
        const QByteArray record = encodePigeonRecord(korvat.recordLayout, examplePigeon());
        QCOMPARE(record, QByteArray::fromHex("30 41 31 42 32 43 33 44 42 45 20 30 37 2D 20 20 31 32 33 34 35 46"));
        linkBuffers().setRecord(record);
        const RecordIndex k = splitRecordIndex(1);
        const int length = FrameWriteRecord(k.hi, k.lo, uint8_t(korvat.recordFrameLength()));
        QCOMPARE(QByteArray(reinterpret_cast<const char*>(linkBuffers().SendFrame), length),
                 QByteArray::fromHex("6C 82 52 18 00 01 30 41 31 42 32 43 33 44 42 45 20 30 37 2D 20 20 31 32 33 34 35 46"));

        linkBuffers().setRecord(encodeRecordZero());
        QCOMPARE(int(FrameWriteRecord(0, 0, kRecordZeroFrameLength)), 12);
        QCOMPARE(QByteArray(reinterpret_cast<const char*>(linkBuffers().SendFrame), 12),
                 QByteArray::fromHex("6C 82 52 08 00 00 39 39 39 39 39 39"));
    }

    void pigeonRecordFillRules()
    {
        PigeonRecord p;
        p.elcode = QStringLiteral("AB12");
        p.country = QStringLiteral("NL");
        p.year = QStringLiteral("9");
        p.band = QStringLiteral("123");
        p.sex = QStringLiteral("M");
        p.color = QStringLiteral("BLAUWGEKRAST");
        const QByteArray shortRecord = encodePigeonRecord(PigeonRecordLayout::Short, p);
        QCOMPARE(shortRecord.size(), 22);
        QCOMPARE(field(shortRecord, 0, 8), QByteArray("AB120000"));
        QCOMPARE(field(shortRecord, 8, 3), QByteArray("NL "));
        QCOMPARE(field(shortRecord, 11, 2), QByteArray("90"));
        QCOMPARE(field(shortRecord, 14, 7), QByteArray("    123"));
        QCOMPARE(field(shortRecord, 21, 1), QByteArray(" "));

        const QByteArray longRecord = encodePigeonRecord(PigeonRecordLayout::Long, p);
        QCOMPARE(longRecord.size(), 29);
        QCOMPARE(field(longRecord, 14, 10), QByteArray("       123"));
        QCOMPARE(field(longRecord, 24, 1), QByteArray(" "));
        QCOMPARE(field(longRecord, 25, 4), QByteArray("BLAU"));

        // a band longer than the field keeps its rightmost characters
        p.band = QStringLiteral("0123456789");
        QCOMPARE(field(encodePigeonRecord(PigeonRecordLayout::Short, p), 14, 7), QByteArray("3456789"));
        p.sex = QStringLiteral("F");
        QCOMPARE(field(encodePigeonRecord(PigeonRecordLayout::Long, p), 24, 1), QByteArray("F"));
    }

    void fancierBlockLayout()
    {
        FancierBlock f;
        f.licence = QStringLiteral("1234");
        f.name = QStringLiteral("Jansen Piet");
        f.address = QString::fromUtf8("Rue de l\xC3\xA9glise 1");
        f.zip = QStringLiteral("1000");
        f.city = QStringLiteral("Brussel");
        f.kxt = QStringLiteral("0512345");
        f.kyt = QStringLiteral("5098765");
        const QByteArray block = encodeFancierBlock(f);
        QCOMPARE(block.size(), kFancierBlockSize);
        QCOMPARE(field(block, 0, 8), QByteArray("12340000"));
        QCOMPARE(field(block, 8, 25), QByteArray("Jansen Piet").leftJustified(25, ' '));
        QCOMPARE(field(block, 33, 25), QByteArray("Rue de l\xE9glise 1").leftJustified(25, ' '));
        QCOMPARE(field(block, 58, 6), QByteArray("1000  "));
        QCOMPARE(field(block, 64, 20), QByteArray("Brussel").leftJustified(20, ' '));
        QCOMPARE(field(block, 84, 8), QByteArray("0512345 "));
        QCOMPARE(field(block, 92, 8), QByteArray("5098765 "));

        f.licence = QStringLiteral("123456789");
        f.name = QString(30, u'N');
        const QByteArray cut = encodeFancierBlock(f);
        QCOMPARE(cut.size(), kFancierBlockSize);
        QCOMPARE(field(cut, 0, 8), QByteArray("12345678"));
        QCOMPARE(field(cut, 8, 25), QByteArray(25, 'N'));

        const FancierBlock back = decodeFancierBlock(reinterpret_cast<const uint8_t*>(block.constData()));
        QCOMPARE(back.licence, QStringLiteral("12340000"));
        QCOMPARE(back.name.trimmed(), QStringLiteral("Jansen Piet"));
        QCOMPARE(back.address.trimmed(), f.address);
        QCOMPARE(back.zip, QStringLiteral("1000  "));
        QCOMPARE(back.city.size(), 20);
        QCOMPARE(back.kyt, QStringLiteral("5098765 "));
    }

    void raceBlock()
    {
        QStringList races;
        for (int i = 1; i <= 26; ++i)
            races << QStringLiteral("R%1").arg(i);
        const QByteArray full = encodeRaceBlock(races);
        QCOMPARE(full.size(), kRaceBlockSize);
        QCOMPARE(field(full, 0, 4), QByteArray("R1  "));
        QCOMPARE(field(full, 96, 4), QByteArray("R25 ")); // the 26th is not sent

        const QByteArray few = encodeRaceBlock({QStringLiteral("LONGER"), QStringLiteral("AB")});
        QCOMPARE(few.size(), kRaceBlockSize);
        QCOMPARE(field(few, 0, 8), QByteArray("LONGAB  "));
        QCOMPARE(field(few, 8, 92), QByteArray(92, ' '));
    }

    void singleBlockRead()
    {
        const ReadPigeon p = decodeSingleBlockRecord(QStringLiteral("0A1B2C3DBE 07-  12345F"));
        QCOMPARE(p.elcode, QStringLiteral("0A1B2C3D"));
        QCOMPARE(p.country, QStringLiteral("BE "));
        QCOMPARE(p.year, QStringLiteral("07"));
        QCOMPARE(p.band, QStringLiteral("0  12345"));
        QCOMPARE(p.sex, QStringLiteral("F"));
        QCOMPARE(p.fullBand(), QStringLiteral("BE 07-0  12345F"));

        // a short answer is filled with spaces: no sex character means not "F"
        const ReadPigeon cut = decodeSingleBlockRecord(QStringLiteral("0A1B2C3DNL 21-1234"));
        QCOMPARE(cut.band, QStringLiteral("01234   "));
        QCOMPARE(cut.sex, QStringLiteral(" "));
        QCOMPARE(decodeSingleBlockRecord(QStringLiteral("0A1B2C3DNL 21-   1234X")).sex, QStringLiteral("F"));
    }

    void multiBlockRead()
    {
        QString text = QStringLiteral("0A1B2C3DDV 19").leftJustified(21, u' ') + u'F';
        text = text.leftJustified(51, u'.') + QStringLiteral("   1234567") + QStringLiteral("BL");
        const ReadPigeon p = decodeMultiBlockRecord(text, 2);
        QCOMPARE(p.elcode, QStringLiteral("0A1B2C3D"));
        QCOMPARE(p.country, QStringLiteral("DV "));
        QCOMPARE(p.year, QStringLiteral("19"));
        QCOMPARE(p.sex, QStringLiteral("F"));
        QCOMPARE(p.band, QStringLiteral("   1234567"));
        QCOMPARE(p.color, QStringLiteral("  BL"));
        QCOMPARE(p.fancierBlock, 2);

        text[21] = u' ';
        QCOMPARE(decodeMultiBlockRecord(text, 0).sex, QStringLiteral(" "));
    }
};

QTEST_GUILESS_MAIN(ClockRecordsTest)
#include "tst_clockrecords.moc"
