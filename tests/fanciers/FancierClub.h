#pragma once
#include "support/DeliveredClub.h"
#include <QSqlDatabase>
#include <QString>

namespace durvek::testing {

// A fresh copy of the delivered club database, opened as the club database,
// brought up to date as at start-up, holding a small, known member list:
//   id  1  12345678  Jansen Piet      active
//   id  2  12-45678  jan de Vries     active
//   id  3  31245678  Van den Berg     inactive
//   id  5  55555555  100% Loft        active
//   id 17  17171717  Peeters_Jan      active
//   id 20  20202020  O'Brien          active
// id 3 has two pigeons, id 1 one.
class FancierClub {
public:
    FancierClub();

    QSqlDatabase db() const { return club_.db(); }
    QString databasePath() const { return club_.databasePath(); }

private:
    DeliveredClub club_;
};

} // namespace durvek::testing
