#include "FuzzTransfer.h"

namespace durvek::fuzz {

FuzzTransfer::FuzzTransfer(FuzzInput& input, const QSqlDatabase& db)
    : window(db)
    , host(input, [this] { window.aborted = true; })
    , store(db)
{
    useFuzzLine(line, input);
}

} // namespace durvek::fuzz
