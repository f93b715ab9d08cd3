#include "results/PigeonImportStore.h"
#include "common/ValueHelpers.h"
#include "database/ClubDatabase.h"
#include "database/SqlUtil.h"
#include "results/ImportBand.h"
#include <QSqlQuery>
#include <limits>

namespace durvek {

namespace {

// The ids of duiven and elcodes are 32-bit wherever the club's tables are
// read, so an id beyond that range can be neither linked to nor given.
int32_t storedId(const QVariant& value, const char* table)
{
    const double id = FieldNumber(value, u'.');
    if (id < std::numeric_limits<int32_t>::min() || id > std::numeric_limits<int32_t>::max())
        throw DatabaseError(QStringLiteral("%1: id %2 is beyond the 32-bit range")
                                .arg(QLatin1String(table), value.toString())
                                .toStdString());
    return int32_t(id);
}

int32_t oneMoreThan(const QVariant& highest, const char* table)
{
    // An empty table, or ids that are all null, give 0 + 1.
    const int32_t top = storedId(highest, table);
    if (top == std::numeric_limits<int32_t>::max())
        throw DatabaseError(QStringLiteral("%1: no id left after %2").arg(QLatin1String(table)).arg(top).toStdString());
    return top + 1;
}

} // namespace

PigeonImportStore::PigeonImportStore(QSqlDatabase db)
    : m_db(std::move(db))
{
}

std::optional<int32_t> PigeonImportStore::findPigeon(int year, const QString& bandNumber) const
{
    const QVariant id = queryValue(m_db,
                                   QStringLiteral("SELECT id FROM duiven WHERE jaar = ? AND ringnummer = ? "
                                                  "ORDER BY rowid LIMIT 1"),
                                   {year, bandNumber});
    if (!id.isValid())
        return std::nullopt;
    return storedId(id, "duiven");
}

void PigeonImportStore::addPigeon(int32_t id, const ImportBand& band, bool hen) const
{
    runStatement(m_db,
                 QStringLiteral("INSERT INTO duiven (id, land, jaar, ringnummer, ringcompleet, sex, Kleur, Naam, "
                                "opmerking) VALUES (?, ?, ?, ?, ?, ?, 0, ' ', ' ')"),
                 {id, band.country, band.year, band.bandNumber, band.fullBand, hen ? 2 : 1});
}

int32_t PigeonImportStore::nextPigeonId() const
{
    return oneMoreThan(queryValue(m_db, QStringLiteral("SELECT MAX(id) FROM duiven")), "duiven");
}

std::optional<qint64> PigeonImportStore::findElcode(const QString& elcode) const
{
    const QVariant key = queryValue(
        m_db, QStringLiteral("SELECT rowid FROM elcodes WHERE elcode = ? ORDER BY rowid LIMIT 1"), {elcode});
    if (!key.isValid())
        return std::nullopt;
    return key.toLongLong();
}

void PigeonImportStore::addElcode(int32_t id, const QString& elcode, int32_t pigeonId) const
{
    runStatement(m_db, QStringLiteral("INSERT INTO elcodes (id, elcode, Id_duif) VALUES (?, ?, ?)"),
                 {id, elcode, pigeonId});
}

void PigeonImportStore::relinkElcode(qint64 rowKey, int32_t pigeonId) const
{
    runStatement(m_db, QStringLiteral("UPDATE elcodes SET Id_duif = ? WHERE rowid = ?"), {pigeonId, rowKey});
}

int32_t PigeonImportStore::NextElcodeId() const
{
    return oneMoreThan(queryValue(m_db, QStringLiteral("SELECT MAX(id) FROM elcodes")), "elcodes");
}

} // namespace durvek
