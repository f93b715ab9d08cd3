#include "database/FancierRevision.h"
#include "common/TextCatalogue.h"
#include "database/SqlUtil.h"
#include <QDir>

namespace durvek {

namespace {

constexpr int kChangedElsewhereText = 320;

} // namespace

FancierChangedElsewhere::FancierChangedElsewhere(const QSqlDatabase& db, int32_t fancierId, qint64 loadedRevision)
    : DatabaseError(Kind::Other, GetText(kChangedElsewhereText),
                    QStringLiteral("%1: fancier %2 was stored elsewhere after it was loaded at revision %3")
                        .arg(QDir::toNativeSeparators(databaseFile(db)))
                        .arg(fancierId)
                        .arg(loadedRevision))
{
}

qint64 fancierRevision(const QSqlDatabase& db, int32_t fancierId)
{
    return queryValue(db, QStringLiteral("SELECT Revision FROM fanciers WHERE id = ?"), {fancierId}).toLongLong();
}

void noteFancierRevision(const QSqlDatabase& db, int32_t fancierId, FancierRevisions& revisions)
{
    if (!revisions.contains(fancierId))
        revisions.insert(fancierId, fancierRevision(db, fancierId));
}

qint64 claimFancierRevision(const QSqlDatabase& db, int32_t fancierId, qint64 loadedRevision)
{
    // The check and the raise are one statement, so nothing can come between
    // them. SQLite lets one writer at a time into the file: a PC that comes
    // second waits here until the first one's transaction is over, then
    // finds the raised revision. PostgreSQL under READ COMMITTED does the
    // same per row: the update waits for the other transaction that changed
    // the row, then evaluates the condition again on the row as that one
    // left it, so it too finds the raised revision and changes nothing.
    // This is why the claim must come first: a store that read before it
    // would, on SQLite, hold a read lock that cannot be turned into a write
    // lock while another PC writes, and fail with "busy" instead.
    const QSqlQuery claim = runStatement(
        db, QStringLiteral("UPDATE fanciers SET Revision = Revision + 1 WHERE id = ? AND Revision = ?"),
        {fancierId, loadedRevision});
    if (claim.numRowsAffected() != 1)
        throw FancierChangedElsewhere(db, fancierId, loadedRevision);
    return loadedRevision + 1;
}

void claimFancierRevisions(const QSqlDatabase& db, FancierRevisions& revisions)
{
    // Left as they were when a claim fails: the transaction then rolls back.
    FancierRevisions claimed = revisions;
    for (auto it = claimed.begin(); it != claimed.end(); ++it)
        it.value() = claimFancierRevision(db, it.key(), it.value());
    revisions = claimed;
}

void replaceEveryFancier(const QSqlDatabase& db, const std::function<void()>& replace)
{
    // Raised before the highest is read, so that the highest is final: the
    // raise waits for claims in progress on other PCs and keeps new ones
    // waiting until the caller's transaction is over (they then find their
    // fancier gone or changed).
    runStatement(db, QStringLiteral("UPDATE fanciers SET Revision = Revision + 1"));
    const qint64 highest =
        queryValue(db, QStringLiteral("SELECT coalesce(max(Revision), 0) FROM fanciers")).toLongLong();
    replace();
    runStatement(db, QStringLiteral("UPDATE fanciers SET Revision = Revision + ?"), {highest + 1});
}

} // namespace durvek
