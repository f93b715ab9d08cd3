#include "clocklink/ClubDataTransfer.h"
#include "clocklink/ClockJobSteps.h"
#include "clocklink/ClubDataTransferStore.h"
#include "clocklink/ClubDataWindowAccess.h"
#include "clocklink/DirectLine.h"
#include "clocklink/Exchange.h"
#include "clocklink/JobHost.h"
#include "clocklink/JobSentence.h"
#include "common/TextCatalogue.h"
#include "database/ClubDatabase.h"
#include <algorithm>

namespace durvek {

namespace {

const QString kTitle = QStringLiteral("Durvek");

constexpr char kEscape = 27;
constexpr uint8_t kStartStage = 1;
constexpr uint8_t kFancierHeaderStage = 2;
constexpr uint8_t kPigeonListStage = 5;
constexpr uint8_t kPigeonCountStage = 6;
constexpr uint8_t kBadgeListStage = 8;
constexpr uint8_t kMemberNamesStage = 10;

// Answers are complete when the input holds more than this many characters.
constexpr int kAcknowledgeThreshold = 1;
constexpr int kFancierHeaderThreshold = 99;
constexpr int kPigeonCountThreshold = 3;
constexpr int kPigeonThreshold = 107;

constexpr int kMostBadges = 5;

constexpr int kNotAcceptedText = 84;
constexpr int kNoPigeonsText = 85;
constexpr int kReplacePigeonsText = 71;
constexpr int kFemaleText = 68;
constexpr int kToClockText = 48;
constexpr int kFromClockText = 49;

} // namespace

ClubDataTransfer::ClubDataTransfer(JobHost& host, ClubDataWindowAccess& window, ClubDataTransferStore& store,
                                   DirectLine& line, QString device, TextLookup text)
    : m_host(host)
    , m_window(window)
    , m_store(store)
    , m_line(line)
    , m_device(std::move(device))
    , m_text(std::move(text))
{
}

TransferOutcome ClubDataTransfer::SendToClock() { return guarded(&ClubDataTransfer::runSend, Direction::ToClock); }

TransferOutcome ClubDataTransfer::ReceiveFromClock()
{
    return guarded(&ClubDataTransfer::runReceive, Direction::FromClock);
}

TransferOutcome ClubDataTransfer::guarded(TransferOutcome (ClubDataTransfer::*run)(), Direction direction)
{
    m_window.enterTransferState();
    // Cleared once per transfer, not before every stage: a Cancel pressed
    // between two waits must still stop the transfer.
    m_window.clearTransferAborted();
    m_answer.clear();
    m_report = Report();
    m_host.progress(0, 0);
    TransferOutcome outcome = TransferOutcome::DatabaseFailed;
    try {
        outcome = (this->*run)();
    } catch (const DatabaseError& error) {
        m_line.close();
        m_host.warnDatabaseError(error, kTitle);
    }
    m_host.finished(closingSentence(outcome, direction));
    return outcome;
}

QString ClubDataTransfer::closingSentence(TransferOutcome outcome, Direction direction) const
{
    const JobSentence say(m_text ? m_text : TextLookup(&GetText));
    const bool toClock = direction == Direction::ToClock;
    const QString job = text(toClock ? kToClockText : kFromClockText);
    switch (outcome) {
    case TransferOutcome::Completed:
        return toClock ? say.clockUpdated(m_report.fancier, m_report.done, m_host.elapsedSeconds())
                       : say.clockRead(m_report.fancier, m_report.done, m_host.elapsedSeconds());
    case TransferOutcome::Aborted: {
        // A clock that never said a word is the likely reason to give up.
        const uint16_t result = m_report.heardFromClock ? 0 : resultCode(LinkResult::NoReply);
        return say.stoppedByCancel(job, say.pigeons(m_report.done, m_report.total), toClock, result, m_device);
    }
    case TransferOutcome::Refused:
        return say.stopped(job, text(kNotAcceptedText));
    case TransferOutcome::NothingToSend:
        return say.stopped(job, text(kNoPigeonsText));
    case TransferOutcome::Garbled:
        return say.stopped(job, say.lineResult(resultCode(LinkResult::BadChecksum), m_device));
    case TransferOutcome::LineFailed:
        return say.stopped(job, say.lineResult(resultCode(LinkResult::PortFault), m_device));
    case TransferOutcome::Declined:
    case TransferOutcome::NotSaved:
        return say.nothingStored(job);
    case TransferOutcome::DatabaseFailed:
        break;
    }
    return say.databaseFailed(job);
}

// ---- PC to clock ----

TransferOutcome ClubDataTransfer::runSend()
{
    const SendPlan plan = planSend();
    if (!openLine())
        return TransferOutcome::LineFailed;
    if (Step s = stage(kStartStage, kAcknowledgeThreshold, true))
        return *s;
    if (Step s = requireAcknowledge())
        return *s;
    if (Step s = sendHeaders(plan))
        return *s;
    if (Step s = stage(kPigeonListStage, kAcknowledgeThreshold, true))
        return *s;
    if (Step s = requireAcknowledge())
        return *s;
    if (plan.pigeons.isEmpty()) {
        m_host.warn(text(kNoPigeonsText), kTitle);
        return TransferOutcome::NothingToSend;
    }
    if (Step s = sendPigeons(plan))
        return *s;
    if (Step s = sendBadges())
        return *s;
    m_line.close();
    return TransferOutcome::Completed;
}

ClubDataTransfer::SendPlan ClubDataTransfer::planSend() const
{
    SendPlan plan;
    QList<int32_t> owners {m_window.clubDataFancierId()};
    // A combine that cannot be found is not sent as one: its header would
    // announce the combine over the pigeons of the fancier shown.
    if (m_window.combineChecked()) {
        if (const auto combine = m_store.findCombine(m_window.selectedCombineName())) {
            plan.combine = true;
            plan.combineName = combine->name;
            plan.members = combine->memberIds;
            plan.memberNames = combine->memberNames;
            owners = combine->memberIds;
        }
    }
    for (const PigeonWithOwner& stored : m_store.pigeonsOf(owners)) {
        PigeonForClock pigeon = stored.line;
        if (plan.combine)
            pigeon.memberDigit = int(plan.members.indexOf(stored.fancier)) + 1;
        plan.pigeons.append(pigeon);
    }
    return plan;
}

ClubDataTransfer::Step ClubDataTransfer::sendHeaders(const SendPlan& plan)
{
    const QString header = plan.combine ? combineHeaderText(plan.combineName)
                                        : fancierHeaderText(m_window.licenceText(), m_window.nameText());
    m_report.fancier = plan.combine ? plan.combineName.trimmed()
                                    : fancierLabel(m_window.licenceText(), m_window.nameText());
    // What the clock says to the headers and the member names does not
    // matter; it only has to say something.
    if (Step s = exchange(checksummedLine(header), kAcknowledgeThreshold, false))
        return s;
    m_host.pause(m_settleMs);
    if (!plan.combine)
        return {};
    if (Step s = stage(kMemberNamesStage, kAcknowledgeThreshold, false))
        return s;
    if (Step s = exchange(checksummedLine(memberNamesText(plan.memberNames)), kAcknowledgeThreshold, false))
        return s;
    m_host.pause(m_settleMs);
    return {};
}

ClubDataTransfer::Step ClubDataTransfer::sendPigeons(const SendPlan& plan)
{
    const int count = int(plan.pigeons.size());
    if (Step s = exchange(plainLine(pigeonCountText(count)), kAcknowledgeThreshold, true))
        return s;
    if (Step s = requireAcknowledge())
        return s;
    m_report.total = count;
    m_host.progress(0, count);
    const QString female = text(kFemaleText);
    int& done = m_report.done;
    while (done < count) {
        // A line the clock did not take goes again until it does or the user stops.
        if (Step s = exchange(checksummedLine(pigeonLineText(plan.pigeons[done], female)),
                              kAcknowledgeThreshold, true))
            return s;
        if (acknowledged())
            ++done;
        m_host.progress(done, count);
    }
    return {};
}

ClubDataTransfer::Step ClubDataTransfer::sendBadges()
{
    const QList<QVariant> badges = m_store.badges();
    if (badges.isEmpty())
        return TransferOutcome::Completed;  // the line stays open
    const int count = std::min(int(badges.size()), kMostBadges);
    if (Step s = stage(kBadgeListStage, kAcknowledgeThreshold, false))
        return s;
    if (Step s = exchange(checksummedLine(badgeCountText(count)), kAcknowledgeThreshold, true))
        return s;
    if (!acknowledged()) {
        m_line.close();
        return TransferOutcome::Refused;
    }
    int done = 0;
    while (done < count) {
        if (Step s = exchange(checksummedLine(badgeText(badges[done])), kAcknowledgeThreshold, true))
            return s;
        if (acknowledged())
            ++done;
    }
    // A table that ran out before the fifth badge ends here with the line open.
    if (badges.size() < kMostBadges)
        return TransferOutcome::Completed;
    return {};
}

// ---- clock to PC ----

TransferOutcome ClubDataTransfer::runReceive()
{
    if (m_store.hasPigeons(m_window.clubDataFancierId())
        && !m_host.ask(text(kReplacePigeonsText) + QStringLiteral(" ?"), kTitle))
        return TransferOutcome::Declined;
    if (!openLine())
        return TransferOutcome::LineFailed;
    // Everything the clock sends is read before anything is stored: a wrong
    // clock, a garbled number or a Cancel half-way leaves the fancier and
    // the pigeons as they were.
    if (Step s = stage(kFancierHeaderStage, kFancierHeaderThreshold, true))
        return *s;
    const ReceivedFancierHeader header = parseFancierHeader(m_answer);
    if (!header.error.isEmpty())
        return garbled(header.error);
    // Each answer is read from a cleared text, or the count would be read
    // from the licence at the front of the header.
    if (Step s = stage(kPigeonCountStage, kPigeonCountThreshold, true))
        return *s;
    const StrictNumber count = parsePigeonCount(m_answer);
    if (!count)
        return garbled(count.error);
    if (Step s = sendAcknowledge())
        return *s;
    m_report.fancier = fancierLabel(header.licence, header.name);
    m_report.total = int(count.value);
    m_host.progress(0, m_report.total);
    QList<ReceivedPigeon> pigeons;
    if (Step s = receivePigeons(int(count.value), pigeons))
        return *s;
    if (Step s = saveReceivedFancier(header))
        return *s;
    qint64 revision = m_window.clubDataFancierRevision();
    m_store.replacePigeonsOf(m_window.clubDataFancierId(), revision, pigeons);
    m_window.reloadPigeons();
    return TransferOutcome::Completed;  // the line stays open
}

ClubDataTransfer::Step ClubDataTransfer::receivePigeons(int count, QList<ReceivedPigeon>& pigeons)
{
    for (int i = 1; i <= count; ++i) {
        if (Step s = exchange(QByteArray(), kPigeonThreshold, true))
            return s;
        pigeons.append(parsePigeonLine(m_answer));
        if (Step s = sendAcknowledge())
            return s;
        m_host.progress(i, count);
    }
    // Counted only now: a receive stopped half-way stores none of them.
    m_report.done = count;
    return {};
}

ClubDataTransfer::Step ClubDataTransfer::saveReceivedFancier(const ReceivedFancierHeader& header)
{
    m_window.setNameText(header.name);
    m_window.setLicenceText(header.licence);
    // Without a stored fancier the pigeons would have no owner to go to.
    if (!m_window.saveFancier()) {
        m_line.close();
        return TransferOutcome::NotSaved;
    }
    return {};
}

// ---- the line ----

bool ClubDataTransfer::openLine()
{
    QString error;
    if (m_line.open(m_device, &error))
        return true;
    m_host.warn(resultStatusText(resultCode(LinkResult::PortFault), m_device, m_text) + QStringLiteral("\n") + error,
                kTitle);
    return false;
}

ClubDataTransfer::Step ClubDataTransfer::stage(uint8_t code, int threshold, bool clearAnswer)
{
    if (!m_line.send(QByteArray(1, kEscape)))
        return lineLost();
    return exchange(QByteArray(1, char(code)), threshold, clearAnswer);
}

// Sends output (nothing when empty) and waits until the input holds more
// than threshold characters, appending them to the answer.
ClubDataTransfer::Step ClubDataTransfer::exchange(const QByteArray& output, int threshold, bool clearAnswer)
{
    if (!output.isEmpty() && !m_line.send(output))
        return lineLost();
    if (clearAnswer)
        m_answer.clear();
    const bool arrived = m_line.waitForAnswer(
        m_answer, [this] { m_host.pumpEvents(); }, [this] { return m_window.transferAborted(); }, threshold);
    if (arrived) {
        m_report.heardFromClock = true;
        return {};
    }
    return m_window.transferAborted() ? aborted() : lineLost();
}

bool ClubDataTransfer::acknowledged() const { return m_answer.startsWith('J'); }

ClubDataTransfer::Step ClubDataTransfer::requireAcknowledge()
{
    if (acknowledged())
        return {};
    m_host.warn(text(kNotAcceptedText), kTitle);
    m_line.close();
    return TransferOutcome::Refused;
}

// "J" and the carriage return go as two outputs, as the clock expects them.
ClubDataTransfer::Step ClubDataTransfer::sendAcknowledge()
{
    if (!m_line.send(QByteArray("J")) || !m_line.send(QByteArray("\r")))
        return lineLost();
    return {};
}

ClubDataTransfer::Step ClubDataTransfer::aborted()
{
    m_line.close();
    return TransferOutcome::Aborted;
}

TransferOutcome ClubDataTransfer::garbled(const QString& why)
{
    m_line.close();
    m_host.warn(why, kTitle);
    return TransferOutcome::Garbled;
}

ClubDataTransfer::Step ClubDataTransfer::lineLost()
{
    m_line.close();
    m_host.warn(QStringLiteral("The line to %1 was lost.").arg(m_device), kTitle);
    return TransferOutcome::LineFailed;
}

QString ClubDataTransfer::text(int number) const
{
    return m_text ? m_text(number) : GetText(number);
}

} // namespace durvek
