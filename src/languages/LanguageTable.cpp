#include "languages/LanguageTable.h"
#include "common/TextTrim.h"
#include "database/SqlUtil.h"
#include <QSqlQuery>

namespace durvek {

namespace {

// Both roads read one text column in id order; null reads as "".
template <typename Take>
void eachText(const QSqlDatabase& db, const QString& sql, Take take)
{
    QSqlQuery query = runStatement(db, sql);
    while (query.next())
        take(query.value(0).toInt(), trimSpaces(query.value(1).toString()));
}

} // namespace

QList<ClockText> clockTexts(const QSqlDatabase& db)
{
    QList<ClockText> texts;
    eachText(db, QStringLiteral("SELECT id, other FROM language ORDER BY id"),
             [&](int id, const QString& text) { texts.append({id, text}); });
    return texts;
}

QStringList firmwareTexts(const QSqlDatabase& db)
{
    QStringList texts;
    eachText(db, QStringLiteral("SELECT id, spaans FROM language ORDER BY id"),
             [&](int, const QString& text) { texts.append(text); });
    return texts;
}

} // namespace durvek
