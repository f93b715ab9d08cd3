#pragma once
#include "fanciers/FancierRecord.h"
#include <QSqlDatabase>
#include <QString>
#include <cstdint>
#include <optional>

namespace durvek {

// A racing licence has exactly this many characters.
inline constexpr int kLicenceLength = 8;

// What is wrong with a licence as typed, before it is looked up.
enum class LicenceFault {
    None,
    WrongLength, // not exactly 8 characters as typed (blanks count)
    NotNumeric,  // after trimming, nothing left or a character other than the digits and "-"
};
LicenceFault licenceFault(const QString& typed);

// True when licence may be stored for the fancier with that id (0 for a new
// fancier): nobody holds it yet, or the first holder in id order is that
// very fancier. Throws DatabaseError.
bool licenceFreeFor(const QSqlDatabase& db, const QString& licence, int32_t id);

// The fancier that holds licence (the first in id order), if any.
// Throws DatabaseError.
std::optional<FancierRecord> licenceOwner(const QSqlDatabase& db, const QString& licence);

} // namespace durvek
