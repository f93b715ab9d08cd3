#pragma once
#include <QSqlDatabase>
#include <QString>

namespace durvek {

// Field types of the club database, numbered as the old engine numbered them.
// Counter has no number of the old engine: a whole number that is never null,
// 0 in the rows that were there when it came.
enum class FieldType { Boolean = 1, Long = 4, Text = 10, Memo = 12, Counter = 100 };

// Throws DatabaseError naming the database file and the table when the
// table does not exist.
void requireTable(const QSqlDatabase& db, const QString& table);

// Adds field to table unless a field of that name is there already; names are
// compared trimmed and without regard to letter case. size is informational
// for Text fields (the engine does not cut); allowZeroLength false makes the
// engine refuse "" in a Text or Memo field. Booleans are added as 0/1 fields
// that are never null (existing rows read false).
// Throws DatabaseError when the table does not exist or the engine refuses.
void AddFieldIfMissing(const QSqlDatabase& db, const QString& table, const QString& field,
                       FieldType type, int size, bool allowZeroLength);

// Creates the table when absent. Any failure is absorbed: an existing table is
// the normal case, and start-up goes on without it as it always did.
void CreateCombineTable(const QSqlDatabase& db);
void CreateBadgesTable(const QSqlDatabase& db);
void CreateRacesTable(const QSqlDatabase& db);

// Tops the fixed rows up: badges to 5 rows (ids only), races to 25 rows with
// "Race n" and the abbreviation RAE1..RAE9, RA10..RA25. Existing rows are kept;
// a table that already has that many rows (or more) gets nothing.
// Throws DatabaseError when the table is missing.
void FillBadges(const QSqlDatabase& db);
void FillRaces(const QSqlDatabase& db);

// The abbreviation a race gets by default: the first two and the last two
// characters of "RACE" followed by the number.
QString defaultRaceAbbreviation(int raceNumber);

// Start-up's database work, in order: the upgrade fields (settings.Converter,
// settings.Sort, pigeons.Nr, backup.Nr, fanciers.KXT, fanciers.KYT, then the
// port devices settings.Port1..Port4, the backup retention settings.BackupsKept
// and settings.BackupMonths, the chosen translation settings.Language, the
// fancier's store count fanciers.Revision), RenumberPigeons, the index on
// pigeons.Nr, the fancier search indexes, the combine, badges and races tables
// with their fixed rows, the club result's tables (AddClubResultTables) and
// the catalogue texts the file lacks.
// Throws DatabaseError when a table the upgrade needs is missing.
void upgradeSchema(const QSqlDatabase& db);

} // namespace durvek
