#include "shell/RememberedDatabase.h"
#include "database/DatabaseLocation.h"
#include <QCoreApplication>
#include <QSettings>

namespace durvek {

namespace {

const QString kServerKey = QStringLiteral("database/server");

// The file the windows keep their places in, too.
QSettings programSettings()
{
    const QString name = QCoreApplication::applicationName();
    return QSettings(QSettings::UserScope, name, name);
}

} // namespace

QString rememberedServer()
{
    return programSettings().value(kServerKey).toString();
}

void rememberServer(const QString& uri)
{
    programSettings().setValue(kServerKey, uri);
}

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
