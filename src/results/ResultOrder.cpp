#include "results/ResultOrder.h"
#include <algorithm>

namespace durvek {

void sortResults(QList<ResultRecord>& results)
{
    // A stable sort gives exactly the order of repeated neighbour exchanges
    // (only strictly smaller keys move forward), without their quadratic
    // time on a clock full of entries.
    std::stable_sort(results.begin(), results.end(), [](const ResultRecord& a, const ResultRecord& b) {
        return QString::compare(a.sortKey, b.sortKey, Qt::CaseSensitive) < 0;
    });
}

} // namespace durvek
