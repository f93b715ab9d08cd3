#include "shell/RememberedDatabase.h"
#include "database/DatabaseLocation.h"

namespace durvek {

std::optional<QString> serverToRemember(const QString& typed)
{
    const QString text = typed.trimmed();
    if (text.isEmpty())
        return QString();
    const DatabaseLocation location = DatabaseLocation::fromArgument(text);
    if (!location.isServer() || location.serverAddress().database.isEmpty())
        return std::nullopt;
    return location.displayName();
}

} // namespace durvek
