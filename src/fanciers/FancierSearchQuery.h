#pragma once
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>

namespace durvek {

// How the search window matches the typed text against the fanciers.
enum class FancierSearchMode : int {
    ByLicence = 0,      // licences that start with the text
    ByName = 1,         // names that start with the text, letter case ignored
    ByRecordNumber = 2, // the fancier whose id is the text read as a number
};

// The mode for the number the linking window passes; anything unknown
// searches by licence, the first of the three buttons.
FancierSearchMode fancierSearchModeFromNumber(int number);

// The key mask of the query box: digits only for licences and record numbers,
// no mask token for names.
QString fancierSearchMask(FancierSearchMode mode);

// Columns of every result row, in the order the grid shows them.
enum FancierSearchColumn : int {
    SearchId = 0,
    SearchLicence,
    SearchName,
    SearchAdress,
    SearchZip,
    SearchCity,
    SearchTelephone,
    SearchFax,
    SearchEmail,
    SearchDistrict,
    SearchColumnCount
};

// Catalogue numbers of the captions of the first nine columns; the district
// column that follows them has none.
inline constexpr int kFancierSearchCaptions[] = {7, 8, 9, 10, 11, 16, 13, 14, 15};

// Runs the search for text and returns the result rows (active and inactive
// fanciers) ordered by sort key. The text is matched literally: wildcard
// characters in it match only themselves. An empty text lists every fancier
// by licence or name and none by record number.
// Throws DatabaseError when the engine refuses.
QSqlQuery queryFanciers(const QSqlDatabase& db, FancierSearchMode mode, const QString& text);

} // namespace durvek
