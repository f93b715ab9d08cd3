#include "shell/RememberedServer.h"
#include "common/UserSettings.h"
#include <QUrl>

namespace durvek {

namespace {

const QString kKey = QStringLiteral("database/server");

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
