#include "linking/ChipCodeOfAnotherFancier.h"
#include "clocklink/ClockJobStore.h"
#include "clocklink/JobHost.h"
#include "clocklink/PigeonGridAccess.h"
#include "linking/LookupText.h"

namespace durvek {

namespace {

constexpr int kRowTitleText = 58;
constexpr int kLinkedElsewhereText = 302;

} // namespace

bool ChipCodeOfAnotherFancier(const QString& code, const QSqlDatabase& db, int32_t fancierId, int row, JobHost& host,
                              const TextLookup& text, const QString& stopNote)
{
    PigeonOfFancier read;
    read.fancierId = fancierId;
    read.pigeon.elcode = code.left(PigeonGridAccess::kChipCodeLength);
    const QList<ChipCodeOwner> owners = chipCodesOwnedElsewhere(db, {}, {read});
    if (owners.isEmpty())
        return false;
    QString message = lookupText(text, kLinkedElsewhereText).arg(owners.first().chipCode, owners.first().fancier);
    if (!stopNote.isEmpty())
        message += QStringLiteral("\n\n") + stopNote;
    host.warn(message, lookupText(text, kRowTitleText) + QString::number(row));
    return true;
}

} // namespace durvek
