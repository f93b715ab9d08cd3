#include "linking/ChipCodeInUse.h"
#include "clocklink/JobHost.h"
#include "clocklink/PigeonGridAccess.h"
#include "linking/LookupText.h"

namespace durvek {

namespace {

constexpr int kChipCodeText = 39;
constexpr int kRowTitleText = 58;
constexpr int kAlreadyLinkedText = 65;

} // namespace

bool ChipCodeInUse(const QString& code, const PigeonGridAccess& grid, JobHost& host, const TextLookup& text,
                 const QString& stopNote)
{
    const int row = rowHoldingChipCode(grid, code);
    if (row == 0)
        return false;
    const QString shown = code.left(PigeonGridAccess::kChipCodeLength);
    QString message = lookupText(text, kChipCodeText) + u' ' + shown + lookupText(text, kAlreadyLinkedText) + u' ';
    if (!stopNote.isEmpty())
        message += QStringLiteral("\n\n") + stopNote;
    host.warn(message, lookupText(text, kRowTitleText) + QString::number(row));
    return true;
}

} // namespace durvek
