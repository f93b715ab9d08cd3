#pragma once
#include <QString>

namespace durvek {

// The program's version as the build names it (the project's version in
// CMake), for --version and the package.
QString programVersion();

} // namespace durvek
