#pragma once
#include "linking/GridEditContext.h"
#include <QString>
#include <cstdint>
#include <optional>

namespace durvek {

class PigeonGrid;

// A run of band numbers as the From and To boxes give it: an optional prefix
// (everything up to the last character that is not a digit) and the numbers
// from start to end.
struct BandRun {
    QString prefix;
    int32_t start = 0;
    int32_t end = 0;

    // How many numbers the run holds (0 when start > end).
    int64_t size() const { return end >= start ? int64_t(end) - start + 1 : 0; }
    // Prefix followed by k zero-filled to ten characters in all.
    QString band(int32_t k) const;
};

// The longest run generated at once. A club fancier has a few hundred
// pigeons; a longer run is a typing slip, and going on would fill memory.
inline constexpr int64_t kLongestBandRun = 5000;

// The run of the From and To texts, or nothing when there is none to
// generate: a number of 0 or missing, From not ending in digits, a prefix or
// a last number that does not fit ten characters (it would be cut and give
// other bands than asked for), or a run longer than kLongestBandRun.
// start > end is a run of no numbers.
std::optional<BandRun> bandRunOf(const QString& fromText, const QString& toText);

// Writes the run into the grid from its last row on, one new row per band,
// country and year filled where empty. A band in use elsewhere is skipped
// with a warning and its row reused. Returns how many bands were written.
int GenerateBands(PigeonGrid& grid, const QString& fromText, const QString& toText, const GridEditContext& context);

} // namespace durvek
