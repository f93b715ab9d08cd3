#pragma once
#include "clocklink/JobContext.h"
#include <QSqlDatabase>
#include <QStringList>
#include <cstdint>
#include <optional>

namespace durvek {

class PigeonGrid;

// The column headers: "#" and catalogue texts 35, 36, 37, 67, 38, 39, 40.
QStringList pigeonGridHeaders(const TextLookup& text);

// Clears the grid to its header and an empty row 1 numbered "1".
void ResetPigeonGrid(PigeonGrid& grid, const TextLookup& text);

// Fills the grid with the fancier's pigeons not marked deleted, by year,
// country and band when sortByBand, else by their number; then the empty
// numbered row for the next entry. The last pigeon becomes the current row,
// scrolled to the top. Returns how many pigeons were loaded.
// Throws DatabaseError when the engine refuses.
int LoadPigeonGrid(PigeonGrid& grid, const QSqlDatabase& db, int32_t fancierId, bool sortByBand,
                   const TextLookup& text);

// The three header lines of the window for a fancier, or nothing when no
// fanciers row has the id. The field names are the catalogue's captions of
// the fancier fields; without a catalogue they are the English ones.
// Throws DatabaseError when the engine refuses.
std::optional<QStringList> fancierHeaderLines(const QSqlDatabase& db, int32_t fancierId,
                                              const TextLookup& text = {});

// "12345678 Jan Peeters": how printouts and sentences name the fancier; empty
// when no fanciers row has the id. Throws DatabaseError when the engine refuses.
QString fancierLicenceAndName(const QSqlDatabase& db, int32_t fancierId);

} // namespace durvek
