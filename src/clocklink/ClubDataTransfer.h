#pragma once
#include "clocklink/JobContext.h"
#include "clocklink/TransferLines.h"
#include <QByteArray>
#include <QList>
#include <QString>
#include <optional>

namespace durvek {

class ClubDataTransferStore;
class ClubDataWindowAccess;
class DirectLine;
class JobHost;

// How a club data transfer ended. A finished receive, a send stopped by an
// empty pigeon list and a send whose badge table ran out before the fifth
// badge leave the line open; every other end closes it.
enum class TransferOutcome {
    Completed,
    Declined,        // the user kept the pigeons the window holds
    Aborted,         // Cancel or Escape while waiting for the clock
    Refused,         // the clock did not accept the start, the list or a count
    NothingToSend,   // no pigeons to send
    NotSaved,        // the fancier from the clock could not be saved
    Garbled,         // the clock sent a number that is not one; nothing was stored
    LineFailed,      // the port would not open or went away
    DatabaseFailed,
};

// The club data window's two transfers over the direct line: a fancier's or
// a combine's data, pigeons and badges to a clock, and a fancier with the
// fancier's pigeons from a clock. Each runs inside the button that starts it,
// letting window events run while it waits, until it ends or is aborted.
class ClubDataTransfer {
public:
    // How long to leave the clock after a header and after the member names
    // before the next stage; it files them away meanwhile.
    static constexpr int kSettlePauseMs = 30;

    ClubDataTransfer(JobHost& host, ClubDataWindowAccess& window, ClubDataTransferStore& store,
                     DirectLine& line, QString device, TextLookup text = {});

    void setSettlePause(int milliseconds) { m_settleMs = milliseconds; }

    // "From PC To Clock".
    TransferOutcome SendToClock();
    // "From Clock To PC".
    TransferOutcome ReceiveFromClock();

private:
    using Step = std::optional<TransferOutcome>;  // empty: go on

    struct SendPlan {
        bool combine = false;
        QString combineName;
        QList<int32_t> members;
        QStringList memberNames;
        QList<PigeonForClock> pigeons;
    };

    enum class Direction { ToClock, FromClock };
    // What the closing sentence tells: whose pigeons, how many of how many.
    struct Report {
        QString fancier;
        int done = 0;
        int total = 0;
        bool heardFromClock = false;
    };

    TransferOutcome guarded(TransferOutcome (ClubDataTransfer::*run)(), Direction direction);
    QString closingSentence(TransferOutcome outcome, Direction direction) const;
    TransferOutcome runSend();
    TransferOutcome runReceive();

    SendPlan planSend() const;
    Step sendHeaders(const SendPlan& plan);
    Step sendPigeons(const SendPlan& plan);
    Step sendBadges();
    Step receivePigeons(int count, QList<ReceivedPigeon>& pigeons);
    Step saveReceivedFancier(const ReceivedFancierHeader& header);

    bool openLine();
    Step stage(uint8_t code, int threshold, bool clearAnswer);
    Step exchange(const QByteArray& output, int threshold, bool clearAnswer);
    Step requireAcknowledge();
    bool acknowledged() const;
    Step sendAcknowledge();
    Step aborted();
    TransferOutcome garbled(const QString& why);
    Step lineLost();

    QString text(int number) const;

    JobHost& m_host;
    ClubDataWindowAccess& m_window;
    ClubDataTransferStore& m_store;
    DirectLine& m_line;
    QString m_device;
    TextLookup m_text;
    int m_settleMs = kSettlePauseMs;
    QByteArray m_answer;  // what the clock said since the answer was last cleared
    Report m_report;
};

} // namespace durvek
