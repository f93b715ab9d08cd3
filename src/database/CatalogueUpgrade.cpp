#include "database/CatalogueUpgrade.h"
#include "database/SchemaUpgrade.h"
#include "database/ShippedTranslations.h"
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
constexpr auto kAddedTexts = std::to_array<CatalogueText>({
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
    {140, "Close without storing the changes"},
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
    {187, "One prize in"},
    {188, "Nominated pigeons"},
    {189, "One prize in: a whole number of 1 to 99, or blank for one in four"},
    {190, "Release..."},
    {191, "Release date (DD-MM-YY)"},
    {200, "A read-out is running. Stop it and close the window"},
    {210, "Pigeon list stored: %1, %2 pigeons"},
    {211, "%1 rows left out: a row is stored only with a band of 10 characters and a chip code of 8"},
    {212, "Writing pigeon %1 of %2: %3"},
    {213, "Pigeon %1 read: %2"},
    {214, "Multiple-bands stopped at row %1: take that pigeon off the antenna, then press Multiple-bands to go on from the next empty row"},
    {215, "These chip codes are already linked to pigeons of other fanciers:"},
    {216, "Store them for this fancier as well (No: these pigeons are stored without chip code)"},
    {217, "Chip codes in use"},
    {218, "%1 of them without chip code: other fanciers' pigeons hold those codes"},
    {250, "Back up now..."},
    {251, "Restore..."},
    {252, "No backup of the club database could be made: %1. Go on without a backup"},
    {253, "No backup made at start: %1"},
    {254, "Backup written: %1"},
    {255, "Replace the club database by the backup of %1? The present state is backed up first. Go on"},
    {256, "This file cannot be restored, nothing was replaced: %1"},
    {257, "it is damaged or is no club database"},
    {258, "the table %1 is missing"},
    {259, "Reason"},
    {260, "Fanciers"},
    {261, "Pigeons"},
    {262, "Start"},
    {263, "Restore"},
    {264, "Back up now"},
    {265, "Backups kept"},
    {266, "Monthly backups (months)"},
    {267, "Backups kept: the last 1 to 999, and one a month for 0 to 120 months, or blank for 20 and 12"},
    {268, "Other folder..."},
    {269, "The club database was restored from the backup of %1"},
    {270, "Export members (CSV)"},
    {271, "Export pigeons (CSV)"},
    {272, "Import members (CSV)"},
    {273, "Import pigeons (CSV)"},
    {274, "Restore previous list"},
    {275, "Bring back the list stored before the last one (the list stored now becomes the previous one)"},
    {276, "added"},
    {277, "changed"},
    {278, "unchanged"},
    {279, "refused"},
    {280, "Already on an earlier line of the file"},
    {281, "Chip code %1 belongs to a pigeon of %2"},
    {282, "Year not understood: two digits, e.g. 05"},
    {283, "%1: more than %2 characters"},
    {284, "Chip code not understood: 8 hexadecimal digits, or blank"},
    {285, "Sex not understood: F for a hen, M or blank for a cock"},
    {286, "The file has no column %1"},
    {287, "The file is not UTF-8 text: save it as CSV (UTF-8) and try again"},
    {288, "A quoted field that begins on line %1 is not closed"},
    {289, "%1 added, %2 changed, %3 refused. Store the added and changed lines"},
    {290, "Put the backup of %1 in the place of the damaged club database? The damaged file is kept beside it. Go on"},
    {291, "The club database was restored from the backup of %1. The damaged file is kept as %2"},
    {292, "Backups of the club database are in %1: \"Restore...\" puts one of them in its place"},
    {300, "Previous list restored: %1, %2 pigeons"},
    {301, "File written: %1"},
    {302, "Chip code %1 is already linked to a pigeon of %2. A pigeon that changed hands must first be taken off the list of its former owner"},
    {303, "Try again"},
    {304, "Start with the club file"},
    {305, "Quit"},
    {306, "The connection to the club database on the server was lost, so nothing was read or stored. Do it again once the server can be reached: the program connects again by itself"},
    {307, "The database server does not let this user do that: the tables of the club database must belong to the user the program logs in as. Ask the server's keeper"},
    {308, "Another PC was storing in the club database at the same moment, so nothing was stored. Do it again"},
    {310, "The database %1 holds tables of another program and no club database. Give the address of an empty database, or of the club's"},
    {311, "Password of the club database %1"},
    {312, "The server refused the password. Password of the club database %1"},
    {313, "Club database"},
    {320, "This fancier was changed on another PC in the meantime, so your change was not stored. Open the fancier again to see what is stored now (the pigeon list as well), then make your change again"},
    {321, "Another PC stored a fancier with licence %1 in the meantime, so nothing was stored. Look that fancier up, then do it again"},
    {322, "Each PC on the server keeps its own COM port, devices and \"%1\""},
    {326, "In use now: %1. A change here takes effect at the next start; left empty, the program starts on the club database file"},
    {327, "Use the file"},
    {328, "A club database on a server is given as postgresql://user@host:port/database, or with ?host=/folder for a local socket; leave the field empty for the file"},
    {340, "Language"},
    {341, "COM - Settings"},
    {342, "Default - COM"},
    {343, "Serial device"},
    {344, "Club - antenna"},
    {345, "Sort"},
    {346, "Club - ID"},
    {347, "Club"},
    {348, "Update"},
    {349, "Fills the Other column of Pc-Soft where it is blank; texts typed there are kept"},
    {350, "Clock texts..."},
    {351, "Export texts..."},
    {352, "Load the display texts into a clock"},
    {353, "Write the clock texts as a source-code table"},
});

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
    // A club that chose a shipped language sees the new texts in it too.
    const QHash<int, QString> translated = ShippedTranslations::texts(ShippedTranslations::chosen(db));
    inTransaction(db, [&] {
        for (const CatalogueText& text : missing)
            runStatement(db, QStringLiteral("INSERT INTO PcLanguage (id, \"default\", other) VALUES (?, ?, ?)"),
                         {text.number, QString::fromUtf8(text.base), translated.value(text.number, QStringLiteral(""))});
    });
}

QList<int> CatalogueNumbersAddedSinceDelivery()
{
    QList<int> numbers;
    for (const CatalogueText& text : kAddedTexts)
        numbers.append(text.number);
    return numbers;
}

QString CatalogueBaseText(int number)
{
    for (const CatalogueText& text : kAddedTexts) {
        if (text.number == number)
            return QString::fromUtf8(text.base);
    }
    return QString();
}

} // namespace durvek
