#include "database/FancierStore.h"
#include "common/TextCatalogue.h"
#include "database/FancierRevision.h"
#include "database/SqlUtil.h"
#include <QStringList>

namespace durvek {

void deleteFancierAndPigeons(const QSqlDatabase& db, int32_t id, qint64 revision)
{
    inTransaction(db, [&] {
        claimFancierRevision(db, id, revision);
        runStatement(db, QStringLiteral("DELETE FROM pigeons WHERE fancier = ?"), {id});
        // A place left to a fancier who is gone would keep the combine full
        // with one name missing from it.
        for (int place = 1; place <= 3; ++place)
            runStatement(db, QStringLiteral("UPDATE combine SET L%1 = 0 WHERE L%1 = ?").arg(place), {id});
        runStatement(db, QStringLiteral("DELETE FROM fanciers WHERE id = ?"), {id});
    });
}

QString combineMemberColumns()
{
    QStringList columns;
    for (int place = 1; place <= 3; ++place)
        columns.append(QStringLiteral("(SELECT id FROM fanciers WHERE id = combine.L%1)").arg(place));
    return columns.join(QStringLiteral(", "));
}

bool DeleteFancier(const QSqlDatabase& db, int32_t id, qint64 revision, const AskYesNo& ask)
{
    if (!ask(GetText(69) + QStringLiteral(" ?"), GetText(1)))
        return false;
    deleteFancierAndPigeons(db, id, revision);
    return true;
}

} // namespace durvek
