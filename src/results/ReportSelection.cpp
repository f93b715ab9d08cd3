#include "results/ReportSelection.h"
#include "results/ResultRecord.h"

namespace durvek {

ReportScope ReportSelection::scope() const
{
    switch (kind) {
    case ReportKind::Race: return raceScope;
    case ReportKind::NotArrived: return notArrivedScope;
    default: return ReportScope::AllFlights;
    }
}

bool reportSelects(ReportKind kind, const ResultRecord& record)
{
    const QString& status = record.status;
    switch (kind) {
    case ReportKind::Overview: return true;
    case ReportKind::Race: return status == QLatin1String("1") || status == QLatin1String("!");
    case ReportKind::Training: return status == QLatin1String("5");
    case ReportKind::NotArrived: return status == QLatin1String("2");
    }
    return false;
}

} // namespace durvek
