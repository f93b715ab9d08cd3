#include "support/ClubRows.h"
#include "support/DeliveredDatabase.h"
#include "database/SqlUtil.h"
#include <QSqlRecord>
#include <algorithm>

namespace durvek::testing {

QStringList clubRows(const QSqlDatabase& db)
{
    QStringList tables = db.tables(QSql::Tables);
    tables.removeIf([](const QString& name) { return name.startsWith(QLatin1String("sqlite_")); });
    std::sort(tables.begin(), tables.end(),
              [](const QString& a, const QString& b) { return a.toLower() < b.toLower(); });
    QStringList dump;
    for (const QString& table : tables) {
        const QSqlRecord record = db.record(table);
        QStringList columns;
        for (int i = 0; i < record.count(); ++i) {
            if (record.fieldName(i).toLower() != QLatin1String("rowid"))
                columns.append(record.fieldName(i).toLower());
        }
        std::sort(columns.begin(), columns.end());
        QStringList quoted;
        for (const QString& column : columns)
            quoted.append(quoteIdentifier(column));
        dump.append(table.toLower() + u':' + columns.join(u','));
        dump += rows(db, QStringLiteral("SELECT rowid, %1 FROM %2 ORDER BY rowid")
                             .arg(quoted.join(u','), quoteIdentifier(table)));
    }
    return dump;
}

void fillEveryClubTable(const QSqlDatabase& db)
{
    exec(db, "INSERT INTO fanciers (id, Licence, Name, sort, Adress, Actief, KXX, KYY, KXT, KYT) VALUES "
             "(3, '10234567', 'D''Hondt Piet', 'DHONDT PIET', NULL, 1, 4.420090123, 51.0898, '04.42009', '51.08985'), "
             "(17, '10234568', 'Müller Ærø', 'MULLER AERO', 'Straße 1', 0, NULL, -1.5, '', NULL)");
    exec(db, "INSERT INTO pigeons (Fancier, country, Year, band, sex, color, elcode, volring, Security, \"delete\", Nr) VALUES "
             "(3, 'BE', '23', '1234567', 'F', 'BLAU', '0A1B2C3D', 'BE231234567F', '00', 0, 1), "
             "(3, 'BE', '24', '   2001234', '', NULL, '', NULL, '00', 1, 2), "
             "(17, 'NL', '24', '3456782', 'F', 'ROOD', '5D7F91B3', NULL, NULL, 0, 3)");
    exec(db, "DELETE FROM pigeons WHERE band = '   2001234'");
    exec(db, "INSERT INTO backup (Fancier, country, Year, band, Nr) VALUES (3, 'BE', '22', '7654321', 9)");
    exec(db, "INSERT INTO elcodes (id, elcode, Id_duif) VALUES (1, '0A1B2C3D00', 0), (2, NULL, 5)");
    exec(db, "INSERT INTO duiven (id, land, jaar, ringnummer, ringcompleet, sex, Kleur, Naam, opmerking) VALUES "
             "(1, 'BE', 23, '1234567', 'BE-23-1234567', 2, 3, 'Snelle', 'a \"b\" ; c')");
    exec(db, "INSERT INTO combine (id, Naam, L1, L2, L3) VALUES (1, 'Team 1', 3, 17, 0)");
    exec(db, "UPDATE badges SET Badge = 'Goud' WHERE id = 2");
    exec(db, "UPDATE races SET lossing = 'Noyon', afkort = 'NOYO' WHERE id = 1");
    exec(db, "UPDATE PcLanguage SET other = 'Liefhebber' WHERE id = 1");
    exec(db, "UPDATE settings SET Clubid = 'K1', Club = 'De Snelle Duif', Nominated = 1, PrizeEvery = 3");
    exec(db, "INSERT INTO releasepoints (race, point, latitude, longitude) VALUES (1, 'Noyon', '49.58', '02.99')");
    exec(db, "INSERT INTO racedays (race, racedate, releasetime) VALUES (1, '15-06-24', '07:30:00')");
    exec(db, "INSERT INTO clockchecks (race, racedate, fancier, settime, checktime, deviation) VALUES "
             "(1, '15-06-24', 3, '14-06-24 20:00:00', '15-06-24 18:00:00', -4)");
    exec(db, "INSERT INTO clubarrivals (race, racedate, fancier, elcode, band, arrivaldate, arrivaltime, status, "
             "nominationorder) VALUES (1, '15-06-24', 3, '0A1B2C3D', 'BE231234567', '15-06-24', '10:11:12', '', 1)");
}

} // namespace durvek::testing
