#include "clocklink/ClubDataTransferStore.h"
#include "common/ValueHelpers.h"
#include "database/FancierStore.h"
#include "database/PigeonNumbering.h"
#include "database/FancierRevision.h"
#include "database/SqlDialect.h"
#include "database/SqlUtil.h"
#include <QSqlQuery>

namespace durvek {

namespace {

// Letter case folded as both engines fold a stored text with lower(): ASCII
// letters only (the server's texts compare bytewise). Folding the wanted
// text here keeps the server's own locale out of the comparison.
QString asciiLowered(const QString& text) { return QString::fromUtf8(text.toUtf8().toLower()); }

} // namespace

ClubDataTransferStore::ClubDataTransferStore(QSqlDatabase db)
    : m_db(std::move(db))
{
}

std::optional<CombineForTransfer> ClubDataTransferStore::findCombine(const QString& name) const
{
    const QString wanted = name.trimmed();
    if (wanted.isEmpty())
        return std::nullopt;
    // A member whose fancier is gone sends nothing, not even a blank name.
    // The member columns are called id too, so the order names its table.
    QSqlQuery query = runStatement(m_db,
                                   QStringLiteral("SELECT Naam, %1 FROM combine WHERE lower(trim(Naam)) = ? "
                                                  "ORDER BY combine.id, combine.rowid LIMIT 1")
                                       .arg(combineMemberColumns()),
                                   {asciiLowered(wanted)});
    if (!query.next())
        return std::nullopt;
    CombineForTransfer combine;
    combine.name = TextOrDefault(query.value(0));
    // Every member slot that is set counts, also after an empty one: a
    // member whose predecessor left must not lose the pigeons.
    for (int slot = 1; slot <= 3; ++slot) {
        const int32_t id = query.value(slot).toInt();
        if (id > 0)
            combine.memberIds.append(id);
    }
    combine.memberNames = memberNames(combine.memberIds);
    return combine;
}

QStringList ClubDataTransferStore::memberNames(const QList<int32_t>& ids) const
{
    QStringList names;
    for (int32_t id : ids) {
        const QVariant name = queryValue(m_db, QStringLiteral("SELECT Name FROM fanciers WHERE id = ?"), {id});
        names.append(TextOrDefault(name, QStringLiteral(" ")));
    }
    return names;
}

QList<PigeonWithOwner> ClubDataTransferStore::pigeonsOf(const QList<int32_t>& fancierIds) const
{
    QList<PigeonWithOwner> pigeons;
    if (fancierIds.isEmpty())
        return pigeons;
    QStringList marks;
    QVariantList values;
    for (int32_t id : fancierIds) {
        marks.append(QStringLiteral("?"));
        values.append(id);
    }
    QSqlQuery query = runStatement(
        m_db,
        QStringLiteral("SELECT Fancier, country, Year, band, sex, elcode FROM pigeons WHERE Fancier IN (%1) "
                       "ORDER BY lower(country) NULLS FIRST, lower(Year) NULLS FIRST, lower(band) NULLS FIRST, rowid")
            .arg(marks.join(u',')),
        values);
    while (query.next()) {
        PigeonWithOwner p;
        p.fancier = query.value(0).toInt();
        p.line.country = query.value(1);
        p.line.year = query.value(2);
        p.line.band = query.value(3);
        p.line.sex = query.value(4);
        p.line.elcode = query.value(5);
        pigeons.append(p);
    }
    return pigeons;
}

QList<QVariant> ClubDataTransferStore::badges() const
{
    QList<QVariant> names;
    QSqlQuery query = runStatement(m_db, QStringLiteral("SELECT Badge FROM badges ORDER BY rowid"));
    while (query.next())
        names.append(query.value(0));
    return names;
}

bool ClubDataTransferStore::hasPigeons(int32_t fancierId) const
{
    return queryValue(m_db, QStringLiteral("SELECT 1 FROM pigeons WHERE Fancier = ? LIMIT 1"), {fancierId}).isValid();
}

void ClubDataTransferStore::replacePigeonsOf(int32_t fancierId, qint64& revision, const QList<ReceivedPigeon>& pigeons)
{
    qint64 stored = revision;
    inTransaction(m_db, [&] {
        stored = claimFancierRevision(m_db, fancierId, revision);
        lockPigeonNumbering(m_db);
        runStatement(m_db, QStringLiteral("DELETE FROM pigeons WHERE Fancier = ?"), {fancierId});
        for (const ReceivedPigeon& pigeon : pigeons)
            storeReceivedPigeon(fancierId, pigeon);
    });
    revision = stored;
}

QVariant ClubDataTransferStore::pigeonWithChip(int32_t fancierId, const QString& elcode) const
{
    if (elcode.isEmpty())
        return {};
    return queryValue(m_db,
                      QStringLiteral("SELECT rowid FROM pigeons WHERE Fancier = ? AND lower(elcode) = ? "
                                     "ORDER BY rowid LIMIT 1"),
                      {fancierId, asciiLowered(elcode)});
}

void ClubDataTransferStore::storeReceivedPigeon(int32_t fancierId, const ReceivedPigeon& pigeon)
{
    const QVariant row = pigeonWithChip(fancierId, pigeon.elcode);
    if (row.isValid()) {
        runStatement(m_db,
                     QStringLiteral("UPDATE pigeons SET Fancier = ?, country = ?, Year = ?, band = ?, sex = ?, "
                                    "elcode = ? WHERE rowid = ?"),
                     {fancierId, pigeon.country, pigeon.year, pigeon.band, pigeon.sex, pigeon.elcode, row});
        return;
    }
    runStatement(m_db,
                 QStringLiteral("INSERT INTO pigeons (Fancier, country, Year, band, sex, elcode, Nr) "
                                "VALUES (?, ?, ?, ?, ?, ?, ?)"),
                 {fancierId, pigeon.country, pigeon.year, pigeon.band, pigeon.sex, pigeon.elcode,
                  NextPigeonNr(m_db)});
}

} // namespace durvek
