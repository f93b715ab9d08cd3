#include "clocklink/JobContext.h"
#include <algorithm>

namespace durvek {

LinkParams LinkParams::fromSettings(const ClubSettings& settings)
{
    LinkParams p;
    p.port = uint8_t(std::clamp(settings.com, 0, 3) + 1);
    p.converter = settings.converter;
    p.lineMode = settings.converter ? 0 : 1;
    return p;
}

} // namespace durvek
