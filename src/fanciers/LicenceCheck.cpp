#include "fanciers/LicenceCheck.h"
#include "common/ValueHelpers.h"
#include "database/FancierLookup.h"

namespace durvek {

LicenceFault licenceFault(const QString& typed)
{
    if (typed.size() != kLicenceLength)
        return LicenceFault::WrongLength;
    QString trimmed = typed;
    // Eight blanks leave no licence at all once trimmed.
    return HasNonNumeric(trimmed) || trimmed.isEmpty() ? LicenceFault::NotNumeric : LicenceFault::None;
}

bool licenceFreeFor(const QSqlDatabase& db, const QString& licence, int32_t id)
{
    const int32_t holder = FindFancierByLicence(db, licence);
    return holder == 0 || holder == id;
}

std::optional<FancierRecord> licenceOwner(const QSqlDatabase& db, const QString& licence)
{
    const int32_t holder = FindFancierByLicence(db, licence);
    if (holder == 0)
        return std::nullopt;
    return readFancier(db, holder);
}

} // namespace durvek
