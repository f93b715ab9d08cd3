#pragma once
#include "clocklink/JobContext.h"
#include <QString>

namespace durvek {

// The catalogue text of a number; the bare number where no catalogue is
// given, so the logic runs (and is tested) without a database.
inline QString lookupText(const TextLookup& text, int number)
{
    return text ? text(number) : QString::number(number);
}

} // namespace durvek
