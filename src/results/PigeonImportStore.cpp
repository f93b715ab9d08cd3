#include "results/PigeonImportStore.h"
#include "common/ValueHelpers.h"
#include "database/SqlUtil.h"
#include "results/ImportBand.h"
#include <QSqlQuery>

namespace durvek {

namespace {

int32_t oneMoreThan(const QVariant& highest)
{
    // An empty table, or ids that are all null, give 0 + 1.
    return int32_t(FieldNumber(highest, u'.')) + 1;
}

} // namespace

PigeonImportStore::PigeonImportStore(QSqlDatabase db)
    : m_db(std::move(db))
{
}

std::optional<int32_t> PigeonImportStore::findPigeon(int jaar, const QString& ringnummer) const
{
    const QVariant id = queryValue(m_db,
                                   QStringLiteral("SELECT id FROM duiven WHERE jaar = ? AND ringnummer = ? "
                                                  "ORDER BY rowid LIMIT 1"),
                                   {jaar, ringnummer});
    if (!id.isValid())
        return std::nullopt;
    return int32_t(FieldNumber(id, u'.'));
}

void PigeonImportStore::addPigeon(int32_t id, const ImportBand& band, bool hen) const
{
    runStatement(m_db,
                 QStringLiteral("INSERT INTO duiven (id, land, jaar, ringnummer, ringcompleet, sex, Kleur, Naam, "
                                "opmerking) VALUES (?, ?, ?, ?, ?, ?, 0, ' ', ' ')"),
                 {id, band.land, band.jaar, band.ringnummer, band.ringcompleet, hen ? 2 : 1});
}

int32_t PigeonImportStore::nextPigeonId() const
{
    return oneMoreThan(queryValue(m_db, QStringLiteral("SELECT MAX(id) FROM duiven")));
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
    return oneMoreThan(queryValue(m_db, QStringLiteral("SELECT MAX(id) FROM elcodes")));
}

} // namespace durvek
