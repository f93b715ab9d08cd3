#include "fanciers/ActiveFancierCursor.h"
#include "database/SqlUtil.h"

namespace durvek {

void ActiveFancierCursor::open(const QSqlDatabase& db, int32_t id)
{
    QSqlQuery query = runStatement(db, QStringLiteral("SELECT id FROM fanciers WHERE Actief <> 0 ORDER BY sort, id"));
    ids_.clear();
    while (query.next())
        ids_.append(int32_t(query.value(0).toLongLong()));
    const qsizetype found = id > 0 ? ids_.indexOf(id) : -1;
    position_ = found >= 0 ? int(found) : 0;
}

int32_t ActiveFancierCursor::currentId() const
{
    return ids_.isEmpty() ? 0 : ids_.at(position_);
}

bool ActiveFancierCursor::movePrevious()
{
    if (position_ == 0)
        return true;
    --position_;
    return false;
}

bool ActiveFancierCursor::moveNext()
{
    if (position_ + 1 >= ids_.size())
        return true;
    ++position_;
    return false;
}

} // namespace durvek
