#include "linking/ElBandInUse.h"
#include "clocklink/JobHost.h"
#include "clocklink/PigeonGridAccess.h"
#include "linking/LookupText.h"

namespace durvek {

namespace {

constexpr int kElBandText = 39;
constexpr int kRowTitleText = 58;
constexpr int kAlreadyLinkedText = 65;

} // namespace

bool ElBandInUse(const QString& code, const PigeonGridAccess& grid, JobHost& host, const TextLookup& text)
{
    const int row = rowHoldingElBand(grid, code);
    if (row == 0)
        return false;
    const QString shown = code.left(PigeonGridAccess::kElBandLength);
    host.warn(lookupText(text, kElBandText) + u' ' + shown + lookupText(text, kAlreadyLinkedText) + u' ',
              lookupText(text, kRowTitleText) + QString::number(row));
    return true;
}

} // namespace durvek
