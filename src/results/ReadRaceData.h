#pragma once
#include "clocklink/JobContext.h"
#include "results/RaceData.h"
#include <QString>

namespace durvek {

class RaceReadoutView;

// How far the indexes of the two lists reach. A flight is asked for with one
// index byte, so 256 entries (0..255) are all that can be read; pigeon
// entries are asked for up to index 32767. A clock that has not ended its
// list by then cannot be read completely.
struct ReadoutLimits {
    int flights = 256;
    int pigeons = 32768;
};

struct ReadoutEnd {
    enum Kind {
        Saved,            // the clock confirmed the end: records sorted, pigeon file written
        EndedUnread,      // the clock confirmed the end before any pigeon entry was asked for
                          // (cancel or refusal): the previous pigeon file stays
        ClosingCancelled, // a second cancel during the closing: nothing sorted or written
        ClosingFailed,    // six end requests unanswered: records kept unsorted, old file kept
        Failed,           // the read or the file failed; error says why, no file written
    };
    Kind kind = Failed;
    bool cancelled = false; // the user cancelled while the clock was being read
    bool refused = false;   // the clock refused to give its fancier
    QString error;
};

// Reading a clock after a race or training flight: wake-up, fancier
// identity, flight list, pigeon entries, closing. Each read starts from
// nothing: the previous clock's identity, lines, flights and records go
// first, so a read that stops early never shows one clock's fancier with
// another clock's flights. What it reads goes to RaceData and, when the
// pigeon entries were reached and the clock confirms the end, to the pigeon
// file. The status line goes through the job's host,
// the other lines and the flight list through the view.
//
// The read always talks to the clock directly (line mode 1), whatever the
// converter setting and clock model say, and sends no converter frames.
class ReadRaceData {
public:
    ReadRaceData(const JobContext& job, RaceReadoutView& view, RaceData& data, QString pigeonFilePath,
                 ReadoutLimits limits = ReadoutLimits());

    ReadoutEnd run();

private:
    void startAfresh();
    bool wakeUp();
    bool readFancier(ReadoutEnd& end);
    bool readFlights();
    void readPigeons();
    void close(ReadoutEnd& end);
    QString closingSentence(const ReadoutEnd& end) const;
    QString text(int number) const;

    JobContext m_job;
    RaceReadoutView& m_view;
    RaceData& m_data;
    QString m_pigeonFilePath;
    ReadoutLimits m_limits;
    bool m_cancelled = false;
    bool m_reachedPigeons = false;
    QString m_error; // a limit was reached: the read is incomplete
};

} // namespace durvek
