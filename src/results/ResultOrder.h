#pragma once
#include "results/ResultRecord.h"
#include <QList>

namespace durvek {

// Puts the records in arrival order: ascending SortKey compared character
// code by character code. Records with equal keys keep the order the clock
// delivered them in; blank records (code-0 keys) come first.
void sortResults(QList<ResultRecord>& results);

} // namespace durvek
