#include "results/RaceData.h"

namespace durvek {

RaceData& raceData()
{
    static RaceData data;
    return data;
}

} // namespace durvek
