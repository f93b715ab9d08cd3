#pragma once
#include "database/ClubCopy.h"
#include "database/DatabaseLocation.h"
#include "database/PasswordSource.h"
#include <QStringList>

namespace durvek {

// Moves a club from one club database to another (the file to a server, a
// server to a file, or file to file), for --copy-database FROM TO. FROM is
// only read: what an older FROM lacks, TO keeps as this version lays it out,
// and the next start on TO adds the rest. TO is
// an empty server database (laid out first), an existing club database file
// without fanciers or pigeons, or a file not there yet, made from the
// delivered club database. A TO holding fanciers or pigeons is refused
// before anything is written to it: a club's data is never overwritten.
// Returns the lines to print: the rows of every table and a closing
// sentence. Throws DatabaseError; a file it made is then removed again, and
// TO otherwise holds what it held.
QStringList copyClubDatabase(const DatabaseLocation& from, const DatabaseLocation& to, PasswordSource& passwords,
                             const ClubCopyProgress& progress = {});

} // namespace durvek
