#include "clocklink/Frames.h"
#include <QTest>
#include <cstring>

using namespace durvek;

namespace {

QByteArray sent(int length)
{
    return QByteArray(reinterpret_cast<const char*>(linkBuffers().SendFrame), length);
}

QByteArray hex(const char* text) { return QByteArray::fromHex(text); }

// Fills the send buffer with junk so a builder that forgets to clear it shows.
void dirtySendFrame() { std::memset(linkBuffers().SendFrame, 0xEE, LinkBuffers::kSendSize); }

bool restOfSendFrameIsZero(int from)
{
    for (int i = from; i < LinkBuffers::kSendSize; ++i)
        if (linkBuffers().SendFrame[i] != 0)
            return false;
    return true;
}

} // namespace

class FramesTest : public QObject {
    Q_OBJECT
private slots:
    void fixedFrames_data()
    {
        QTest::addColumn<int>("which");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("identify") << 0 << hex("6C82500100");
        QTest::newRow("end job") << 1 << hex("6C82560100");
        QTest::newRow("read fancier block") << 2 << hex("6C82510100");
        QTest::newRow("converter open") << 3 << hex("6C00CA020000");
        QTest::newRow("converter close") << 4 << hex("6C00CB020000");
        QTest::newRow("antenna A0") << 5 << hex("6C00A0020000");
        QTest::newRow("antenna B7") << 6 << hex("6C00B7020005");
        QTest::newRow("block 3") << 7 << hex("6C82510103");
        QTest::newRow("setup 10") << 8 << hex("6C82FA010A");
        QTest::newRow("setup 2") << 9 << hex("6C82FA0102");
    }
    void fixedFrames()
    {
        QFETCH(int, which);
        QFETCH(QByteArray, bytes);
        dirtySendFrame();
        uint16_t length = 0;
        switch (which) {
        case 0: length = FrameIdentify(); break;
        case 1: length = FrameEndJob(); break;
        case 2: length = FrameReadFancierBlock(); break;
        case 3: length = FrameConverterOpen(); break;
        case 4: length = FrameConverterClose(); break;
        case 5: length = FrameAntennaA0(); break;
        case 6: length = FrameAntennaB7(); break;
        case 7: length = FrameReadFancierBlockAt(3); break;
        case 8: length = FrameSetup(10); break;
        case 9: length = FrameSetup(2); break;
        }
        QCOMPARE(int(length), int(bytes.size()));
        QCOMPARE(sent(length), bytes);
        QCOMPARE(sendFrameLength(), int(length));
        QVERIFY(restOfSendFrameIsZero(length));
    }

    void recordIndexSplit_data()
    {
        QTest::addColumn<int>("k");
        QTest::addColumn<int>("hi");
        QTest::addColumn<int>("lo");
        QTest::newRow("0") << 0 << 0 << 0;
        QTest::newRow("1") << 1 << 0 << 1;
        QTest::newRow("255") << 255 << 0 << 255;
        QTest::newRow("256") << 256 << 1 << 0;
        QTest::newRow("300") << 300 << 1 << 0x2C;
        QTest::newRow("65535") << 65535 << 255 << 255;
    }
    void recordIndexSplit()
    {
        QFETCH(int, k);
        QFETCH(int, hi);
        QFETCH(int, lo);
        const RecordIndex index = splitRecordIndex(k);
        QCOMPARE(int(index.hi), hi);
        QCOMPARE(int(index.lo), lo);
    }

    void readRecord300()
    {
        const RecordIndex k = splitRecordIndex(300);
        QCOMPARE(int(FrameReadRecord(k.hi, k.lo)), 6);
        QCOMPARE(sent(6), hex("6C8252 02 012C"));
    }

    void writeRecordCarriesRecordBlock()
    {
        QByteArray record(22, 0);
        for (int i = 0; i < 22; ++i)
            record[i] = char('A' + i);
        linkBuffers().setRecord(record);
        dirtySendFrame();
        QCOMPARE(int(FrameWriteRecord(0, 1, 24)), 28);
        QCOMPARE(sent(28), hex("6C825218 0001") + record);
        QVERIFY(restOfSendFrameIsZero(28));
    }

    void writeLongRecordAndRecordZero()
    {
        linkBuffers().setRecord(QByteArray(29, 'x'));
        QCOMPARE(int(FrameWriteRecord(1, 0, 31)), 35);
        QCOMPARE(sent(35), hex("6C82521F 0100") + QByteArray(29, 'x'));

        linkBuffers().setRecord("999999");
        QCOMPARE(int(FrameWriteRecord(0, 0, 8)), 12);
        QCOMPARE(sent(12), hex("6C 82 52 08 00 00 39 39 39 39 39 39"));
    }

    void writeFancierBlockTakesHundredBytes()
    {
        QByteArray block(100, 0);
        for (int i = 0; i < 100; ++i)
            block[i] = char(i + 1);
        linkBuffers().setRecord(block + QByteArray(20, 'z'));
        QCOMPARE(int(FrameWriteFancierBlock()), 104);
        QCOMPARE(sent(104), hex("6C825164") + block);
        QVERIFY(restOfSendFrameIsZero(104));
    }

    void queriesCarryTheirTexts()
    {
        QCOMPARE(int(FramePigeonQuery(1, 2, QStringLiteral("0000"), QStringLiteral("ABCD"))), 15);
        QCOMPARE(sent(15), hex("6C82580B 0102 30303030 41424344 00"));
        // a short text goes out filled with spaces, a long one cut
        FramePigeonQuery(0, 0, QStringLiteral("AB"), QStringLiteral("ABCDEF"));
        QCOMPARE(sent(15), hex("6C82580B 0000 41422020 41424344 00"));

        QCOMPARE(int(FrameRaceQuery(7, QStringLiteral("0000"))), 9);
        QCOMPARE(sent(9), hex("6C825D05 07 30303030"));
        // texts go out as ANSI: e-acute is one byte E9
        FrameRaceQuery(0, QString::fromUtf8("\xC3\xA9") + QStringLiteral("000"));
        QCOMPARE(sent(9), hex("6C825D05 00 E9303030"));
    }

    void raceBlockWritesOnlyItsHeader()
    {
        std::memset(linkBuffers().SendFrame, 0x41, LinkBuffers::kSendSize);
        QCOMPARE(int(FrameRaceBlock()), 105);
        QCOMPARE(sent(5), hex("6C82FA650B"));
        for (int i = 5; i < LinkBuffers::kSendSize; ++i)
            QCOMPARE(int(linkBuffers().SendFrame[i]), 0x41);

        placeRaceBytes(QByteArray(100, 'R'));
        QCOMPARE(sent(105), hex("6C82FA650B") + QByteArray(100, 'R'));
        QCOMPARE(int(linkBuffers().SendFrame[105]), 0x41);
    }

    void clearingBuffers()
    {
        LinkBuffers& b = linkBuffers();
        std::memset(b.ReplyFrame, 0x55, LinkBuffers::kReplySize);
        b.clearReply();
        QCOMPARE(int(b.ReplyFrame[128]), 0);
        QCOMPARE(int(b.ReplyFrame[129]), 0x55); // clock work clears its 129 bytes only
        b.clearReply(LinkBuffers::kReplySize);
        QCOMPARE(int(b.ReplyFrame[256]), 0);

        b.setRecord(QByteArray(200, 'q')); // cut to the block
        QCOMPARE(int(b.RecordBlock[128]), int('q'));
        b.setRecord("ab");
        QCOMPARE(int(b.RecordBlock[1]), int('b'));
        QCOMPARE(int(b.RecordBlock[2]), 0);
    }

    void replyTextFollowsLengthByte()
    {
        LinkBuffers& b = linkBuffers();
        b.clearReply(LinkBuffers::kReplySize);
        const QByteArray reply = hex("6C825004 00") + QByteArray("OMNI-7");
        std::memcpy(b.ReplyFrame, reply.constData(), size_t(reply.size()));
        QCOMPARE(replyText(5), QStringLiteral("OMNI"));
        b.ReplyFrame[3] = 0;
        QCOMPARE(replyText(5), QString());
        // a length byte reaching past the buffer is cut, never read beyond it
        b.ReplyFrame[3] = 250;
        QCOMPARE(replyText(7).size(), LinkBuffers::kClockReplySize - 7);
    }
};

QTEST_GUILESS_MAIN(FramesTest)
#include "tst_frames.moc"
