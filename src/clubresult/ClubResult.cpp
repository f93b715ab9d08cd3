#include "clubresult/ClubResult.h"
#include "common/TextCatalogue.h"
#include <QSet>
#include <algorithm>

namespace durvek {

namespace {

bool countsForRace(const ClubArrival& arrival)
{
    return arrival.shownArrival
        && (arrival.status == QLatin1String("1") || arrival.status == QLatin1String("!"));
}

std::optional<ApartReason> releaseProblem(const RaceRelease& release)
{
    if (!release.releasedAt)
        return ApartReason::NoReleaseTime;
    if (!release.point)
        return ApartReason::NoReleasePoint;
    return std::nullopt;
}

ClubResultApart apartLine(const ClubArrival& arrival, const ResultFancier& fancier, ApartReason reason)
{
    return {arrival.fancier, fancier.name, fancier.licence, arrival.band, arrival.elcode, reason};
}

ClubResultLine rankedLine(const ClubArrival& arrival, const ResultFancier& fancier, qint64 distanceCm,
                          const QDateTime& corrected, qint64 flyingSeconds)
{
    ClubResultLine line;
    line.fancier = arrival.fancier;
    line.fancierName = fancier.name;
    line.licence = fancier.licence;
    line.band = arrival.band;
    line.elcode = arrival.elcode;
    line.distanceCm = distanceCm;
    line.shownArrival = *arrival.shownArrival;
    line.arrival = corrected;
    line.flyingSeconds = flyingSeconds;
    line.velocityMilli = velocityMilli(distanceCm, flyingSeconds);
    line.nominationOrder = arrival.nominationOrder;
    return line;
}

void rankLines(QList<ClubResultLine>& lines)
{
    std::stable_sort(lines.begin(), lines.end(), [](const ClubResultLine& a, const ClubResultLine& b) {
        if (a.velocityMilli != b.velocityMilli)
            return a.velocityMilli > b.velocityMilli;
        return a.arrival < b.arrival;
    });
    for (qsizetype i = 0; i < lines.size(); ++i)
        lines[i].rank = int(i + 1);
}

void markPrizesAndNominated(ClubResult& result, bool markNominated)
{
    QHash<int, int> pigeonsOfFancier;
    for (ClubResultLine& line : result.lines) {
        line.prize = line.rank <= result.prizeCount;
        const int nth = line.nominationOrder > 0 ? line.nominationOrder : ++pigeonsOfFancier[line.fancier];
        if (markNominated && nth <= 2)
            line.nominated = nth;
    }
}

int countFanciers(const QList<ClubArrival>& arrivals)
{
    QSet<int> fanciers;
    for (const ClubArrival& arrival : arrivals)
        fanciers.insert(arrival.fancier);
    return int(fanciers.size());
}

} // namespace

QDateTime wallClock(const QDate& date, const QTime& time)
{
    return QDateTime(date, time, Qt::UTC);
}

QString apartReasonText(ApartReason reason)
{
    switch (reason) {
    case ApartReason::NoLoftCoordinates: return GetText(163);
    case ApartReason::NoReleaseTime: return GetText(164);
    case ApartReason::NoReleasePoint: return GetText(165);
    case ApartReason::ArrivalBeforeRelease: return GetText(166);
    }
    return QString();
}

qint64 velocityMilli(qint64 distanceCm, qint64 flyingSeconds)
{
    if (flyingSeconds <= 0)
        return 0;
    // cm / s * 600 is thousandths of a metre per minute.
    return (distanceCm * 1200 + flyingSeconds) / (2 * flyingSeconds);
}

ClubResult computeClubResult(const ClubResultInput& input)
{
    ClubResult result;
    result.release = input.release;
    result.pigeonCount = int(input.arrivals.size());
    result.fancierCount = countFanciers(input.arrivals);
    const int every = std::max(1, input.prizeEvery);
    result.prizeCount = (result.pigeonCount + every - 1) / every;
    result.unavailable = releaseProblem(input.release);
    result.nominatedMarked = input.markNominated;

    QHash<int, std::optional<qint64>> distanceOfFancier;
    for (const ClubArrival& arrival : input.arrivals) {
        if (!countsForRace(arrival))
            continue;
        const ResultFancier fancier = input.fanciers.value(arrival.fancier);
        if (result.unavailable) {
            result.apart.append(apartLine(arrival, fancier, *result.unavailable));
            continue;
        }
        if (!distanceOfFancier.contains(arrival.fancier))
            distanceOfFancier.insert(arrival.fancier, fancier.loft
                                         ? std::optional(distanceCentimetres(*input.release.point, *fancier.loft))
                                         : std::nullopt);
        const std::optional<qint64> distance = distanceOfFancier.value(arrival.fancier);
        if (!distance) {
            result.apart.append(apartLine(arrival, fancier, ApartReason::NoLoftCoordinates));
            continue;
        }
        const auto check = input.checks.constFind(arrival.fancier);
        const QDateTime corrected = check == input.checks.cend() ? *arrival.shownArrival
                                                                 : check->corrected(*arrival.shownArrival);
        const qint64 flying = input.release.releasedAt->secsTo(corrected);
        if (flying <= 0) {
            result.apart.append(apartLine(arrival, fancier, ApartReason::ArrivalBeforeRelease));
            continue;
        }
        result.lines.append(rankedLine(arrival, fancier, *distance, corrected, flying));
    }
    rankLines(result.lines);
    markPrizesAndNominated(result, input.markNominated);
    return result;
}

} // namespace durvek
