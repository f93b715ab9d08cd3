#pragma once
#include "clubresult/ClockCheck.h"
#include "clubresult/LoftDistance.h"
#include <QDate>
#include <QDateTime>
#include <QHash>
#include <QList>
#include <QString>
#include <optional>

namespace durvek {

// Times of the club result are the clocks' wall-clock times: kept as UTC so
// that no daylight-saving change ever shifts a flying time.
QDateTime wallClock(const QDate& date, const QTime& time);

// A race day's release as the club entered it.
struct RaceRelease {
    int race = 0;
    QString raceName;             // races.lossing
    QDate raceDate;               // the race day; the release date
    QString pointName;
    std::optional<GeoPoint> point;       // none: not entered or not understood
    std::optional<QDateTime> releasedAt; // none: no release time entered
};

struct ResultFancier {
    QString name;
    QString licence;
    std::optional<GeoPoint> loft; // none: no usable KXT/KYT
};

// One pigeon entry of a fancier's clock for the race day.
struct ClubArrival {
    int fancier = 0;
    QString elcode;
    QString band;
    std::optional<QDateTime> shownArrival; // as the clock showed it; none: did not arrive
    QString status;                        // the clock's entry kind: "1"/"!" race, "2" not arrived
    int nominationOrder = 0;               // 1, 2, ... in the fancier's basketing order; 0: not known
};

struct ClubResultInput {
    RaceRelease release;
    QHash<int, ResultFancier> fanciers; // by fanciers.id
    QHash<int, ClockCheck> checks;      // by fanciers.id; none typed: no correction
    QList<ClubArrival> arrivals;        // every entry stored for the race day
    int prizeEvery = 4;                 // one prize per that many basketed pigeons
    bool markNominated = false;
};

struct ClubResultLine {
    int rank = 0;
    int fancier = 0;
    QString fancierName;
    QString licence;
    QString band;
    QString elcode;
    qint64 distanceCm = 0;
    QDateTime shownArrival;
    QDateTime arrival;          // corrected by the clock check
    qint64 flyingSeconds = 0;
    qint64 velocityMilli = 0;   // thousandths of a metre per minute
    bool prize = false;
    int nominationOrder = 0;    // as the arrival's
    int nominated = 0;          // 1 or 2 for the fancier's first- and second-nominated pigeon; 0 otherwise
};

// Why an entry or a whole result cannot be ranked.
enum class ApartReason { NoLoftCoordinates, ArrivalBeforeRelease, NoReleaseTime, NoReleasePoint };
QString apartReasonText(ApartReason reason);

struct ClubResultApart {
    int fancier = 0;
    QString fancierName;
    QString licence;
    QString band;
    QString elcode;
    ApartReason reason = ApartReason::NoLoftCoordinates;
};

struct ClubResult {
    RaceRelease release;
    int fancierCount = 0; // fanciers with entries for the race day
    int pigeonCount = 0;  // basketed pigeons: every entry stored
    int prizeCount = 0;
    bool nominatedMarked = false; // worked out with the club's "Nominated pigeons" on
    std::optional<ApartReason> unavailable; // set when the release lacks time or point
    QList<ClubResultLine> lines;            // in rank order
    QList<ClubResultApart> apart;           // entries that could not be ranked
};

// Velocity in thousandths of a metre per minute, rounded half up; 0 when
// the flying time is not positive.
qint64 velocityMilli(qint64 distanceCm, qint64 flyingSeconds);

// Ranks the arrivals that count for the race ("1" or "!" with a time) by
// velocity, ties to the earlier arrival, then in entry order. Prizes go to the
// first basketed / prizeEvery pigeons, rounded up. With markNominated, the
// fancier's first- and second-nominated pigeons are marked 1 and 2 (where the
// nomination order is not known: the fancier's first two in the result).
// Entries of fanciers
// without coordinates are listed apart, every arrival when the release has
// no time or point.
ClubResult computeClubResult(const ClubResultInput& input);

} // namespace durvek
