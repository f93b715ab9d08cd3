#include "languages/LanguageTable.h"
#include "common/TextTrim.h"
#include "database/SqlUtil.h"
#include <QSqlQuery>

namespace durvek {

namespace {

// Both roads read one text column in id order; null reads as "".
QList<ClockText> textsInIdOrder(const QSqlDatabase& db, const QString& sql)
{
    QList<ClockText> texts;
    QSqlQuery query = runStatement(db, sql);
    while (query.next())
        texts.append({query.value(0).toInt(), trimSpaces(query.value(1).toString())});
    return texts;
}

} // namespace

QList<ClockText> clockTexts(const QSqlDatabase& db)
{
    return textsInIdOrder(db, QStringLiteral("SELECT id, other FROM language ORDER BY id"));
}

QList<ClockText> firmwareTexts(const QSqlDatabase& db)
{
    return textsInIdOrder(db, QStringLiteral("SELECT id, spaans FROM language ORDER BY id"));
}

} // namespace durvek
