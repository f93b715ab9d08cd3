#include "ClubTransfer.h"
#include "ClockAnswers.h"

namespace durvek::clocksim {

namespace {

const QByteArray kAccepted("J\r");
const QByteArray kRejected("N\r");

constexpr uint8_t kStart = 1;
constexpr uint8_t kFancierHeader = 2;
constexpr uint8_t kPigeonList = 5;
constexpr uint8_t kPigeonCount = 6;
constexpr uint8_t kBadgeList = 8;
constexpr uint8_t kMemberNames = 10;

// A text padded with spaces to size - 1 and closed with CR.
QByteArray paddedLine(const QByteArray& text, int size)
{
    return text.left(size - 1).leftJustified(size - 1, ' ') + '\r';
}

bool isDigits(const QByteArray& text)
{
    if (text.isEmpty())
        return false;
    for (char c : text) {
        if (c < '0' || c > '9')
            return false;
    }
    return true;
}

OutgoingPigeon pigeonFromRecord(const QByteArray& data)
{
    const bool longRecord = data.size() >= 29;
    const QByteArray d = data.leftJustified(22, ' ');
    OutgoingPigeon p;
    p.chip = d.left(8) + "00";
    p.country = d.mid(8, 3).trimmed();
    p.year = d.mid(11, 2);
    p.band = (longRecord ? d.mid(14, 10) : d.mid(14, 7)).trimmed();
    p.sex = longRecord ? d[24] : d[21];
    return p;
}

} // namespace

LineListener::LineKind ClubTransfer::expectedLine() const
{
    switch (m_expect) {
    case Expect::Nothing:
        return LineListener::LineKind::None;
    case Expect::Count:
    case Expect::PcAcknowledge:
        return LineListener::LineKind::Plain;
    default:
        return LineListener::LineKind::WithChecksum;
    }
}

QByteArray ClubTransfer::fancierHeader() const
{
    QByteArray licence = m_state.outLicence;
    QByteArray name = m_state.outName;
    if (licence.isEmpty() && !m_state.fancierBlocks.isEmpty()) {
        licence = m_state.fancierBlocks[0].left(8).trimmed();
        name = m_state.fancierBlocks[0].mid(8, 25).trimmed();
    }
    // The PC reads the licence as a number, so it goes out right-aligned in zeros.
    const QByteArray text = licence.right(12).rightJustified(12, '0') + name.left(20).leftJustified(20, ' ');
    return paddedLine(text, kHeaderSize);
}

QList<QByteArray> ClubTransfer::pigeonLines() const
{
    QList<OutgoingPigeon> pigeons = m_state.outPigeons;
    if (pigeons.isEmpty()) {
        for (const StoredRecord& r : pigeonRecords(m_state)) {
            if (r.block == 0)
                pigeons.append(pigeonFromRecord(r.data));
        }
    }
    QList<QByteArray> lines;
    for (const OutgoingPigeon& p : pigeons) {
        QByteArray text = p.country.left(2).leftJustified(2, ' ');
        text += "0000";
        text += p.year.left(2).rightJustified(2, '0');
        text += QByteArray("0000000" + p.band).right(7);
        text += p.sex;
        text += p.chip.left(10).leftJustified(10, '0');
        lines.append(paddedLine(text, kPigeonSize));
    }
    return lines;
}

QByteArray ClubTransfer::countLine() const
{
    const int count = int(pigeonLines().size()) % 1000;
    return QByteArray::number(count).rightJustified(3, '0') + '\r';
}

QByteArray ClubTransfer::stage(uint8_t code, bool* changed)
{
    *changed = false;
    switch (code) {
    case kStart:
        m_state.incoming = IncomingTransfer();
        m_state.incoming.stages.append(code);
        *changed = true;
        m_expect = Expect::Header;
        return kAccepted;
    case kMemberNames:
    case kPigeonList:
    case kBadgeList:
        m_state.incoming.stages.append(code);
        *changed = true;
        m_expect = code == kMemberNames ? Expect::Members : code == kPigeonList ? Expect::Count : Expect::BadgeCount;
        return kAccepted;
    case kFancierHeader:
        m_expect = Expect::Nothing;
        return fancierHeader();
    case kPigeonCount:
        m_outgoing = pigeonLines();
        m_nextOutgoing = 0;
        m_expect = Expect::PcAcknowledge;
        return countLine();
    default:
        return {};
    }
}

QByteArray ClubTransfer::nextPigeon()
{
    if (m_nextOutgoing >= m_outgoing.size()) {
        m_expect = Expect::Nothing;
        return {};
    }
    return m_outgoing[m_nextOutgoing++];
}

QByteArray ClubTransfer::line(const QByteArray& text, bool checksumOk, bool* changed)
{
    *changed = false;
    if (m_expect == Expect::PcAcknowledge)
        return text.startsWith('J') ? nextPigeon() : QByteArray();
    if (!checksumOk) {
        ++m_state.incoming.rejectedLines;
        *changed = true;
        return kRejected;
    }
    IncomingTransfer& in = m_state.incoming;
    *changed = true;
    switch (m_expect) {
    case Expect::Header:
        in.header = text;
        m_expect = Expect::Nothing;
        return kAccepted;
    case Expect::Members:
        in.members = text;
        m_expect = Expect::Nothing;
        return kAccepted;
    case Expect::Count:
        if (!isDigits(text)) {
            *changed = false;
            return kRejected;
        }
        in.count = text;
        m_expect = Expect::Pigeons;
        return kAccepted;
    case Expect::Pigeons:
        in.pigeons.append(text);
        return kAccepted;
    case Expect::BadgeCount:
        in.badgeCount = text;
        m_expect = Expect::Badges;
        return kAccepted;
    case Expect::Badges:
        in.badges.append(text);
        return kAccepted;
    default:
        *changed = false;
        return {};
    }
}

} // namespace durvek::clocksim
