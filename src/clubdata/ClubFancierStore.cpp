#include "clubdata/ClubFancierStore.h"
#include "common/ValueHelpers.h"
#include "database/FancierRevision.h"
#include "database/LicenceClaim.h"
#include "database/SqlDialect.h"
#include "database/SqlUtil.h"
#include <QSqlQuery>

namespace durvek {

namespace {

const QString kBlank = QStringLiteral(" ");

} // namespace

QString sortKeyOf(const QString& name) { return TextOrDefault(RemoveSpaces(name.toUpper()), kBlank); }

ClubFancierStore::ClubFancierStore(QSqlDatabase db)
    : m_db(std::move(db))
{
}

QList<int32_t> ClubFancierStore::idsInSortOrder() const
{
    QList<int32_t> ids;
    QSqlQuery query = runStatement(m_db, QStringLiteral("SELECT id FROM fanciers ORDER BY sort, id"));
    while (query.next())
        ids.append(query.value(0).toInt());
    return ids;
}

std::optional<ClubFancier> ClubFancierStore::fancier(int32_t id) const
{
    QSqlQuery query =
        runStatement(m_db, QStringLiteral("SELECT Name, Adress, city, Licence FROM fanciers WHERE id = ?"), {id});
    if (!query.next())
        return std::nullopt;
    ClubFancier f;
    f.id = id;
    f.name = TextOrDefault(query.value(0), kBlank);
    f.adress = TextOrDefault(query.value(1), kBlank);
    f.city = TextOrDefault(query.value(2), kBlank);
    f.licence = TextOrDefault(query.value(3), kBlank);
    return f;
}

int32_t ClubFancierStore::save(const ClubFancier& fancier, qint64& revision)
{
    const QVariantList fields {TextOrDefault(fancier.name, kBlank), TextOrDefault(fancier.adress, kBlank),
                               TextOrDefault(fancier.city, kBlank), TextOrDefault(fancier.licence, kBlank),
                               sortKeyOf(fancier.name)};
    int32_t id = fancier.id;
    qint64 stored = 0;
    inTransaction(m_db, [&] {
        claimLicence(m_db, fields.at(3).toString(), id);
        if (id != 0 && claimUnlessGone(id, revision, stored)) {
            runStatement(m_db,
                         QStringLiteral("UPDATE fanciers SET Name = ?, Adress = ?, city = ?, Licence = ?, sort = ? "
                                        "WHERE id = ?"),
                         fields + QVariantList {id});
            return;
        }
        const QSqlQuery insert = runStatement(
            m_db, QStringLiteral("INSERT INTO fanciers (Name, Adress, city, Licence, sort) VALUES (?, ?, ?, ?, ?)"),
            fields);
        id = insert.lastInsertId().toInt();
    });
    revision = stored;
    return id;
}

bool ClubFancierStore::claimUnlessGone(int32_t id, qint64 revision, qint64& stored) const
{
    try {
        stored = claimFancierRevision(m_db, id, revision);
        return true;
    } catch (const FancierChangedElsewhere&) {
        if (queryValue(m_db, QStringLiteral("SELECT 1 FROM fanciers WHERE id = ?"), {id}).isValid())
            throw;
        return false;
    }
}

int32_t ClubFancierStore::findByNamePrefix(const QString& text) const
{
    const QVariant id = queryValue(
        m_db, QStringLiteral("SELECT id FROM fanciers WHERE %1 ORDER BY sort, id LIMIT 1")
                   .arg(startsWithIgnoringCase(m_db, QStringLiteral("Name"))),
        {likePrefixPattern(text)});
    return id.isValid() ? id.toInt() : 0;
}

int ClubFancierStore::chippedPigeonCount(int32_t id) const
{
    return queryValue(m_db, QStringLiteral("SELECT count(*) FROM pigeons WHERE Fancier = ? AND elcode > ''"), {id})
        .toInt();
}

QString ClubFancierStore::nameOf(int32_t id) const
{
    return TextOrDefault(queryValue(m_db, QStringLiteral("SELECT Name FROM fanciers WHERE id = ?"), {id}), kBlank);
}

} // namespace durvek
