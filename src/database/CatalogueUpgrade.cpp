#include "database/CatalogueUpgrade.h"
#include "database/SchemaUpgrade.h"
#include "database/SqlUtil.h"
#include <QSet>
#include <QSqlQuery>
#include <array>

namespace durvek {

namespace {

struct CatalogueText {
    int number;
    const char* base;
};

// Each of these once borrowed the number of an unrelated text; the delivered
// database (data/durvadm.sql) carries the same rows.
constexpr std::array<CatalogueText, 6> kAddedTexts {{
    {97, "Enter the fancier's name first"},
    {98, "The club database reports an error"},
    {99, "Import pigeons"},
    {100, "Hold pigeon in Antenna"},
    {101, "Flight"},
    {140, "Close without storing the changes"},
}};

QSet<int> presentNumbers(const QSqlDatabase& db)
{
    QSet<int> numbers;
    QSqlQuery query = runStatement(db, QStringLiteral("SELECT id FROM PcLanguage WHERE id IS NOT NULL"));
    while (query.next())
        numbers.insert(query.value(0).toInt());
    return numbers;
}

} // namespace

void AddMissingCatalogueTexts(const QSqlDatabase& db)
{
    requireTable(db, QStringLiteral("PcLanguage"));
    const QSet<int> present = presentNumbers(db);
    QList<CatalogueText> missing;
    for (const CatalogueText& text : kAddedTexts) {
        if (!present.contains(text.number))
            missing.append(text);
    }
    if (missing.isEmpty())
        return;
    inTransaction(db, [&] {
        for (const CatalogueText& text : missing)
            runStatement(db, QStringLiteral("INSERT INTO PcLanguage (id, \"default\", other) VALUES (?, ?, '')"),
                         {text.number, QString::fromUtf8(text.base)});
    });
}

} // namespace durvek
