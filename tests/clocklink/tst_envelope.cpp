#include "clocklink/Envelope.h"
#include <QTest>

using namespace durvek;
using envelope::DecodeState;

class EnvelopeTest : public QObject {
    Q_OBJECT
private slots:
    void encodeWrapsPayload()
    {
        const QByteArray payload = QByteArray::fromHex("6C82500100");
        // C = (5 + 6C + 82 + 50 + 01 + 00) mod 256 = 0x44
        QCOMPARE(envelope::encode(payload), QByteArray::fromHex("02056C8250010044"));
    }

    void encodeRefusesEmptyAndOversized()
    {
        QVERIFY(envelope::encode(QByteArray()).isEmpty());
        QVERIFY(envelope::encode(QByteArray(256, 'x')).isEmpty());
        QCOMPARE(envelope::encode(QByteArray(255, 'x')).size(), 258);
    }

    void roundTrip()
    {
        const QByteArray payload(129, '\xFF');
        const envelope::Decoded d = envelope::decodeFront(envelope::encode(payload) + "tail");
        QCOMPARE(d.state, DecodeState::Whole);
        QVERIFY(d.checksumOk);
        QCOMPARE(d.payload, payload);
        QCOMPARE(d.consumed, 132);
    }

    void truncatedNeedsMore()
    {
        const QByteArray whole = envelope::encode("hello");
        for (int cut = 0; cut < whole.size(); ++cut)
            QCOMPARE(envelope::decodeFront(whole.left(cut)).state, DecodeState::NeedMore);
    }

    void wrongChecksumIsWholeButFlagged()
    {
        QByteArray bytes = envelope::encode("hello");
        bytes[bytes.size() - 1] = char(bytes.back() + 1);
        const envelope::Decoded d = envelope::decodeFront(bytes);
        QCOMPARE(d.state, DecodeState::Whole);
        QVERIFY(!d.checksumOk);
        QCOMPARE(d.consumed, bytes.size());
    }

    void zeroLengthAndNoiseAreInvalid()
    {
        QCOMPARE(envelope::decodeFront(QByteArray::fromHex("020000")).state, DecodeState::Invalid);
        const envelope::Decoded noise = envelope::decodeFront(QByteArray::fromHex("FF00") + envelope::encode("x"));
        QCOMPARE(noise.state, DecodeState::Invalid);
        QCOMPARE(noise.consumed, 1);
    }

    void noisePrefixIsSkippedByteByByte()
    {
        QByteArray input = QByteArray::fromHex("0D0A55") + envelope::encode("ok");
        int dropped = 0;
        envelope::Decoded d;
        while ((d = envelope::decodeFront(input)).state == DecodeState::Invalid) {
            input.remove(0, d.consumed);
            ++dropped;
        }
        QCOMPARE(dropped, 3);
        QCOMPARE(d.payload, QByteArray("ok"));
    }
};

QTEST_GUILESS_MAIN(EnvelopeTest)
#include "tst_envelope.moc"
