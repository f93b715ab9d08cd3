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

// The texts added since the club databases were delivered; the delivered
// database (data/durvadm.sql) carries the same rows. 97 to 101 each once
// borrowed the number of an unrelated text; 102 on explain line results and
// say how clock jobs ended.
constexpr std::array<CatalogueText, 23> kAddedTexts {{
    {97, "Enter the fancier's name first"},
    {98, "The club database reports an error"},
    {99, "Import pigeons"},
    {100, "Hold pigeon in Antenna"},
    {101, "Flight"},
    {102, "no answer: is the clock switched on and in its cradle, and is the right port chosen in Settings?"},
    {103, "garbled answer: check the cable"},
    {104, "%1 cannot be opened: the device is missing. Plug it in, or choose the right device in Settings"},
    {105, "%1 cannot be opened: another program is using it. Close that program and try again"},
    {106, "%1 cannot be opened: your user may not use it. Add the user to the dialout group and log in again"},
    {107, "the answer is too long"},
    {108, "the clock refuses the request: is the clock model in Settings the one on the line?"},
    {109, "%1 of %2"},
    {110, "Clock updated: %1, %2 pigeons, %3 s"},
    {111, "Clock read: %1, %2 pigeons stored, %3 s"},
    {112, "Race data read: %1, %2 flights, %3 pigeons, %4 s"},
    {113, "Texts loaded into the clock: %1 texts, %2 s"},
    {114, "Chip bands read: %1, %2 s"},
    {115, "%1 stopped by Cancel after %2: %3"},
    {116, "%1 stopped: %2"},
    {117, "nothing was stored"},
    {118, "what was done up to then is kept"},
    {119, "%1 pigeons"},
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
