#pragma once
#include "database/DatabaseError.h"
#include <QSqlDatabase>
#include <QString>
#include <cstdint>

namespace durvek {

// Windows check that a licence is free before they store a fancier, but on
// a club database that several PCs share, another PC may store a fancier
// with the same licence between that check and the store. The store then
// checks again inside its own transaction, after the licence lock
// (lockFancierLicences), so two PCs never give one licence to two fanciers.

// A store that found the licence given to another fancier since the window
// checked it. Its sentence names the licence and tells the user what to do.
class LicenceTakenElsewhere : public DatabaseError {
public:
    LicenceTakenElsewhere(const QSqlDatabase& db, const QString& licence, int32_t holder);
};

// To be the first step of a transaction that stores the fancier fancierId
// (0: a new one) with licence, as it will be stored: takes the licence lock,
// then throws LicenceTakenElsewhere when another fancier holds the licence.
// A blank licence is no one's and is not checked. Throws DatabaseError when
// the engine refuses.
void claimLicence(const QSqlDatabase& db, const QString& licence, int32_t fancierId);

} // namespace durvek
