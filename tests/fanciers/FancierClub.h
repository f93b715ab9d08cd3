#pragma once
#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

namespace durvek::testing {

// A fresh copy of the delivered club database, opened as the club database,
// holding a small, known member list:
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
    ~FancierClub();
    FancierClub(const FancierClub&) = delete;
    FancierClub& operator=(const FancierClub&) = delete;

    QSqlDatabase db() const;
    QString databasePath() const;

private:
    QTemporaryDir dir_;
};

// Every row of sql as one "a|b|c" line.
QStringList fancierRows(const QSqlDatabase& db, const QString& sql);

} // namespace durvek::testing
