#include "shell/RememberedServer.h"
#include <QCoreApplication>
#include <QSettings>
#include <QUrl>

namespace durvek {

namespace {

const QString kKey = QStringLiteral("database/server");

// The same file as the windows' places (~/.config/durvek-club/durvek-club.conf).
QSettings userSettings()
{
    const QString name = QCoreApplication::applicationName();
    return QSettings(QSettings::UserScope, name, name);
}

} // namespace

QString rememberedServer()
{
    return userSettings().value(kKey).toString().trimmed();
}

void rememberServer(const QString& uri)
{
    QSettings settings = userSettings();
    if (uri.trimmed().isEmpty()) {
        settings.remove(kKey);
        return;
    }
    settings.setValue(kKey, QUrl(uri.trimmed()).toString(QUrl::RemovePassword));
}

} // namespace durvek
