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

// Texts a club's database may lack: 97 to 101 once borrowed the number of an
// unrelated text, the others came with later versions. The delivered
// database (data/durvadm.sql) carries the same rows.
constexpr std::array<CatalogueText, 47> kAddedTexts {{
    {97, "Enter the fancier's name first"},
    {98, "The club database reports an error"},
    {99, "Import pigeons"},
    {100, "Hold pigeon in Antenna"},
    {101, "Flight"},
    {120, "Hold the pigeon of row %1 to the antenna"},
    {121, "Multiple-bands stopped at row %1. Press Multiple-bands to go on from the next empty row"},
    {122, "Latitude"},
    {123, "Longitude"},
    {124, "Latitude not understood: use N or S, e.g. N 51°05'23.45\" or 51 05 23.45 N, or degrees as 51.089847"},
    {125, "Longitude not understood: use E or W, e.g. E 4°25'12.34\" or W 1 30 00, or degrees as 4.420094"},
    {130, "Print preview"},
    {131, "Save as PDF"},
    {132, "Page %1 of %2"},
    {133, "No."},
    {134, "Date"},
    {135, "Time"},
    {136, "Arrivals"},
    {137, "Order"},
    {138, "Kind"},
    {160, "Club result"},
    {161, "No club result for race %1 on %2"},
    {162, "The clock's licence %1 is not a club fancier"},
    {163, "No loft coordinates"},
    {164, "No release time for this race day"},
    {165, "No coordinates for the release point"},
    {166, "Arrival before the release"},
    {167, "%1 entries of %2 stored in the club result of %3"},
    {168, "Add to club result"},
    {169, "No race %1 in the races table"},
    {170, "The date %1 is not a day written as DD-MM-YY"},
    {171, "Race day"},
    {172, "Release point"},
    {173, "Release time (hh:mm:ss)"},
    {174, "Clock set at basketing"},
    {175, "Deviation at the check in seconds (slow: negative, blank: none)"},
    {176, "Checked at"},
    {177, "Release time not understood: use hh:mm:ss, e.g. 07:30:00"},
    {178, "Deviation not understood: whole seconds, slow as negative, e.g. -12"},
    {179, "Choose the flight first"},
    {180, "%1 fanciers, %2 pigeons, %3 prizes"},
    {181, "Band"},
    {182, "Prize"},
    {183, "Distance (m)"},
    {184, "Velocity (m/min)"},
    {185, "Release time"},
    {186, "Arrival"},
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
