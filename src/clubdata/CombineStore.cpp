#include "clubdata/CombineStore.h"
#include "common/ValueHelpers.h"
#include "database/FancierStore.h"
#include "database/SqlDialect.h"
#include "database/SqlUtil.h"
#include <QSqlQuery>
#include <algorithm>

namespace durvek {

QString storedCombineName(const QString& typedName, int32_t id)
{
    const QString name = typedName.trimmed();
    if (name.isEmpty())
        return QStringLiteral("Combine  %1").arg(id);
    return name.leftJustified(CombineStore::kNameLength, u' ', true);
}

CombineStore::CombineStore(QSqlDatabase db)
    : m_db(std::move(db))
{
}

QList<StoredRow> CombineStore::combines() const
{
    QList<StoredRow> rows;
    QSqlQuery query = runStatement(m_db, QStringLiteral("SELECT rowid, Naam FROM combine ORDER BY id, rowid"));
    while (query.next())
        rows.append({query.value(0).toLongLong(), {query.value(1)}});
    return rows;
}

std::optional<Combine> CombineStore::combine(qint64 rowid) const
{
    // A fancier who is gone leaves an empty place: it neither fills the
    // combine nor shows a member.
    QSqlQuery query = runStatement(
        m_db, QStringLiteral("SELECT id, Naam, %1 FROM combine WHERE rowid = ?").arg(combineMemberColumns()), {rowid});
    if (!query.next())
        return std::nullopt;
    Combine c;
    c.rowid = rowid;
    c.id = query.value(0).toInt();
    c.name = query.value(1).toString();
    // A place left null counts as empty, like 0.
    for (int slot = 0; slot < kMostMembers; ++slot)
        c.members[slot] = query.value(2 + slot).toInt();
    return c;
}

QStringList CombineStore::memberNames(const Combine& combine) const
{
    QStringList names;
    for (int32_t member : combine.members) {
        if (member <= 0)
            continue;
        QSqlQuery query = runStatement(m_db, QStringLiteral("SELECT Name FROM fanciers WHERE id = ?"), {member});
        if (query.next())
            names.append(TextOrDefault(query.value(0), QStringLiteral(" ")));
    }
    return names;
}

int32_t CombineStore::addCombine(const QString& typedName)
{
    int32_t id = 0;
    // The id is read and taken in one go, also with another PC adding one.
    inTransaction(m_db, [&] {
        lockTableForChange(m_db, QStringLiteral("combine"));
        id = queryValue(m_db, QStringLiteral("SELECT coalesce(max(id), 0) + 1 FROM combine")).toInt();
        runStatement(m_db, QStringLiteral("INSERT INTO combine (id, Naam, L1, L2, L3) VALUES (?, ?, 0, 0, 0)"),
                     {id, storedCombineName(typedName, id)});
    });
    return id;
}

AddMemberResult CombineStore::addMember(qint64 rowid, int32_t fancierId)
{
    AddMemberResult result = AddMemberResult::NoSuchCombine;
    // The free place is read and taken in one go, also with another PC
    // adding a member.
    inTransaction(m_db, [&] {
        lockTableForChange(m_db, QStringLiteral("combine"));
        const std::optional<Combine> c = combine(rowid);
        if (!c)
            return;
        result = AddMemberResult::Full;
        // Twice the same fancier would take a place and announce the same
        // pigeons under two member digits.
        if (std::find(c->members.begin(), c->members.end(), fancierId) != c->members.end()) {
            result = AddMemberResult::AlreadyMember;
            return;
        }
        for (int slot = 0; slot < kMostMembers; ++slot) {
            if (c->members[slot] > 0)
                continue;
            runStatement(m_db, QStringLiteral("UPDATE combine SET L%1 = ? WHERE rowid = ?").arg(slot + 1),
                         {fancierId, rowid});
            result = AddMemberResult::Added;
            return;
        }
    });
    return result;
}

void CombineStore::rename(qint64 rowid, const QString& typedName)
{
    const std::optional<Combine> c = combine(rowid);
    if (!c)
        return;
    runStatement(m_db, QStringLiteral("UPDATE combine SET Naam = ? WHERE rowid = ?"),
                 {storedCombineName(typedName, c->id), rowid});
}

void CombineStore::remove(qint64 rowid)
{
    runStatement(m_db, QStringLiteral("DELETE FROM combine WHERE rowid = ?"), {rowid});
}

} // namespace durvek
