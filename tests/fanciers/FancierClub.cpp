#include "FancierClub.h"
#include "database/SqlDialect.h"
#include "database/SqlUtil.h"

namespace durvek::testing {

namespace {

void addFancier(const QSqlDatabase& db, int id, const QString& licence, const QString& name, bool active)
{
    QString sort = name.toUpper();
    sort.remove(u' ');
    runStatement(db,
                 QStringLiteral("INSERT INTO fanciers (id, Licence, Name, sort, Adress, zip, city, district, "
                                "telephone, fax, email, Actief) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                 {id, licence, name, sort, QStringLiteral("Street %1").arg(id), QString::number(id) + QStringLiteral("000"),
                  QStringLiteral("Town %1").arg(id), QStringLiteral("District %1").arg(id),
                  QStringLiteral("0%1-11").arg(id), QStringLiteral("0%1-22").arg(id),
                  QStringLiteral("f%1@club.test").arg(id), active ? 1 : 0});
}

void addPigeon(const QSqlDatabase& db, int nr, int fancier)
{
    runStatement(db,
                 QStringLiteral("INSERT INTO pigeons (Nr, Fancier, country, Year, band, sex, elcode) "
                                "VALUES (?, ?, 'B', '24', ?, 'F', '')"),
                 {nr, fancier, QStringLiteral("%1").arg(1000 + nr)});
}

} // namespace

FancierClub::FancierClub()
{
    const QSqlDatabase db = club_.db();
    runStatement(db, QStringLiteral("DELETE FROM pigeons"));
    runStatement(db, QStringLiteral("DELETE FROM fanciers"));
    addFancier(db, 1, QStringLiteral("12345678"), QStringLiteral("Jansen Piet"), true);
    addFancier(db, 2, QStringLiteral("12-45678"), QStringLiteral("jan de Vries"), true);
    addFancier(db, 3, QStringLiteral("31245678"), QStringLiteral("Van den Berg"), false);
    addFancier(db, 5, QStringLiteral("55555555"), QStringLiteral("100% Loft"), true);
    addFancier(db, 17, QStringLiteral("17171717"), QStringLiteral("Peeters_Jan"), true);
    addFancier(db, 20, QStringLiteral("20202020"), QStringLiteral("O'Brien"), true);
    // Ids given here, not by the engine: the server's id counter must be
    // told, as SQLite's is by the rows themselves.
    if (engineOf(db) == SqlEngine::Postgres)
        runStatement(db, QStringLiteral("SELECT setval(pg_get_serial_sequence('fanciers', 'id'), max(id)) FROM fanciers"));
    addPigeon(db, 1, 3);
    addPigeon(db, 2, 3);
    addPigeon(db, 3, 1);
}

} // namespace durvek::testing
