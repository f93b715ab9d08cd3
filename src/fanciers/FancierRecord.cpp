#include "fanciers/FancierRecord.h"
#include "common/KeyFilter.h"
#include "common/ValueHelpers.h"
#include "database/ClubDatabase.h"
#include "database/FancierRevision.h"
#include "database/LicenceClaim.h"
#include "database/SqlUtil.h"
#include <QSqlQuery>

namespace durvek {

namespace {

QString storedText(const QString& boxText)
{
    return TextOrDefault(StripControlChars(boxText), QStringLiteral(" "));
}

QVariant textOrNull(const QString& text)
{
    return text.isNull() ? QVariant() : QVariant(text);
}

QVariantList storedValues(const FancierRecord& record)
{
    return {storedText(record.licence), storedText(record.name),    fancierSortKey(StripControlChars(record.name)),
            storedText(record.adress),  storedText(record.zip),     storedText(record.city),
            storedText(record.district), storedText(record.telephone), storedText(record.fax),
            storedText(record.email),   textOrNull(record.kxt),    textOrNull(record.kyt)};
}

} // namespace

std::optional<FancierRecord> readFancier(const QSqlDatabase& db, int32_t id)
{
    QSqlQuery query = runStatement(db,
                                   QStringLiteral("SELECT id, Licence, Name, Adress, zip, city, district, telephone, "
                                                  "fax, email, KXT, KYT, Revision FROM fanciers WHERE id = ?"),
                                   {id});
    if (!query.next())
        return std::nullopt;
    FancierRecord record;
    record.id = int32_t(query.value(0).toLongLong());
    record.licence = TextOrDefault(query.value(1));
    record.name = TextOrDefault(query.value(2));
    record.adress = TextOrDefault(query.value(3));
    record.zip = TextOrDefault(query.value(4));
    record.city = TextOrDefault(query.value(5));
    record.district = TextOrDefault(query.value(6));
    record.telephone = TextOrDefault(query.value(7));
    record.fax = TextOrDefault(query.value(8));
    record.email = TextOrDefault(query.value(9));
    record.kxt = query.value(10).isNull() ? QString() : query.value(10).toString();
    record.kyt = query.value(11).isNull() ? QString() : query.value(11).toString();
    record.revision = query.value(12).toLongLong();
    return record;
}

QString fancierSortKey(const QString& name)
{
    // Letter by letter, so that a letter without a one-letter capital (ß)
    // keeps its place instead of growing into two.
    QString upper;
    upper.reserve(name.size());
    for (QChar c : name)
        upper.append(ansiUpper(c));
    return TextOrDefault(RemoveSpaces(upper), QStringLiteral(" "));
}

int32_t storeFancier(const QSqlDatabase& db, const FancierRecord& record)
{
    const QVariantList values = storedValues(record);
    int32_t id = record.id;
    inTransaction(db, [&] {
        claimLicence(db, values.first().toString(), id);
        if (id == 0) {
            const QSqlQuery insert = runStatement(
                db,
                QStringLiteral("INSERT INTO fanciers (Licence, Name, sort, Adress, zip, city, "
                               "district, telephone, fax, email, KXT, KYT, Actief) "
                               "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, 1)"),
                values);
            id = int32_t(insert.lastInsertId().toLongLong());
            return;
        }
        claimFancierRevision(db, id, record.revision);
        runStatement(db,
                     QStringLiteral("UPDATE fanciers SET Licence = ?, Name = ?, sort = ?, Adress = ?, "
                                    "zip = ?, city = ?, district = ?, telephone = ?, fax = ?, "
                                    "email = ?, KXT = ?, KYT = ?, Actief = 1 WHERE id = ?"),
                     values + QVariantList{id});
    });
    return id;
}

} // namespace durvek
