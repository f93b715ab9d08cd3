#pragma once
#include <QString>

namespace durvek {

// Writes a new club database file at path with the tables and rows of the
// club database as delivered (not yet brought up to date). An existing file
// at path is an error. Throws DatabaseError naming the file when the engine
// refuses.
void writeDeliveredClubFile(const QString& path);

} // namespace durvek
