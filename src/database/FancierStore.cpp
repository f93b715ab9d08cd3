#include "database/FancierStore.h"
#include "common/TextCatalogue.h"
#include "database/SqlUtil.h"

namespace durvek {

void deleteFancierAndPigeons(const QSqlDatabase& db, int32_t id)
{
    inTransaction(db, [&] {
        runStatement(db, QStringLiteral("DELETE FROM pigeons WHERE fancier = ?"), {id});
        runStatement(db, QStringLiteral("DELETE FROM fanciers WHERE id = ?"), {id});
    });
}

bool DeleteFancier(const QSqlDatabase& db, int32_t id, const AskYesNo& ask)
{
    if (!ask(GetText(69) + QStringLiteral(" ?"), GetText(1)))
        return false;
    deleteFancierAndPigeons(db, id);
    return true;
}

} // namespace durvek
