#pragma once
#include <QStringList>
#include <optional>

namespace durvek {

// The work the program does without a window, for scripts and the federation:
//   --help                                        the options, on standard output
//   --club-result RACE --date DD-MM-YY --csv FILE  a race day's club result as CSV
//   --database URI|FILE                           (with it) the club database to use
// Nothing when the arguments ask for none of it: the menu then opens as usual.
// Otherwise the exit code: 0 done; 1 with a message on standard error when
// the arguments are incomplete, the database cannot be opened or there is no
// result to write. Needs no display: it makes its own core application.
std::optional<int> runCommandLine(int& argc, char** argv);

// The text --help prints.
QString commandLineHelp();

} // namespace durvek
