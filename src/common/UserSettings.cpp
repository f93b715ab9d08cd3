#include "common/UserSettings.h"
#include <QCoreApplication>

namespace durvek {

QSettings userSettings()
{
    const QString name = QCoreApplication::applicationName();
    return QSettings(QSettings::UserScope, name, name);
}

} // namespace durvek
