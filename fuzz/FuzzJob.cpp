#include "FuzzJob.h"

namespace durvek::fuzz {

namespace {

ClubSettings settingsWithConverter(bool converter)
{
    ClubSettings settings;
    settings.converter = converter;
    return settings;
}

} // namespace

FuzzJob::FuzzJob(FuzzInput& input, bool converter)
    : host(input)
    , context{host, library, LinkParams::fromSettings(settingsWithConverter(converter)), fuzzText}
{
    linkBuffers().CancelRequested = false;
    useFuzzLine(library, input);
}

} // namespace durvek::fuzz
