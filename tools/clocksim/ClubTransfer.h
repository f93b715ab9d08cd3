#pragma once
#include "LineReceiver.h"
#include "SimState.h"
#include <QByteArray>
#include <cstdint>

namespace durvek::clocksim {

// The clock's side of the club data transfer on the direct line. The PC opens
// each stage with ESC and a stage code; the clock acknowledges with "J" and a
// CR (two characters, because the PC waits for more than one), checks the
// checksum of every line and answers "N" and a CR to a bad one so the PC
// sends it again. Towards the PC it sends the fancier header (100
// characters), the pigeon count (4) and each pigeon (108), because the PC
// waits for more than 99, 3 and 107 characters.
class ClubTransfer {
public:
    static constexpr int kHeaderSize = 100;
    static constexpr int kCountSize = 4;
    static constexpr int kPigeonSize = 108;

    explicit ClubTransfer(SimState& state) : m_state(state) {}

    LineListener::LineKind expectedLine() const;

    // Each returns what the clock sends back (possibly nothing); changed is
    // set when something was stored.
    QByteArray stage(uint8_t code, bool* changed);
    QByteArray line(const QByteArray& text, bool checksumOk, bool* changed);

    // The texts the clock sends, from transferOut or, when that is empty,
    // from its first fancier block and its pigeon records.
    QByteArray fancierHeader() const;
    QList<QByteArray> pigeonLines() const;
    QByteArray countLine() const;

private:
    enum class Expect { Nothing, Header, Members, Count, Pigeons, BadgeCount, Badges, PcAcknowledge };

    QByteArray nextPigeon();

    SimState& m_state;
    Expect m_expect = Expect::Nothing;
    QList<QByteArray> m_outgoing;
    int m_nextOutgoing = 0;
};

} // namespace durvek::clocksim
