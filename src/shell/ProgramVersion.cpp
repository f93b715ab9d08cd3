#include "shell/ProgramVersion.h"

namespace durvek {

QString programVersion()
{
    return QStringLiteral(DURVEK_VERSION);
}

} // namespace durvek
