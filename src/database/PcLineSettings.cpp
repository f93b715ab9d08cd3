#include "database/PcLineSettings.h"
#include "common/UserSettings.h"
#include "database/SqlDialect.h"

namespace durvek {

namespace {

const QString kGroup = QStringLiteral("line/");
const QString kCom = QStringLiteral("com");
const QString kConverter = QStringLiteral("converter");
const QString kPort = QStringLiteral("port%1");

} // namespace

bool lineKeptOnThisPc(const QSqlDatabase& db)
{
    return engineOf(db) == SqlEngine::Postgres;
}

bool isLineField(const QString& field)
{
    const QString name = field.trimmed().toLower();
    for (int port = 1; port <= 4; ++port) {
        if (name == kPort.arg(port))
            return true;
    }
    return name == kCom || name == kConverter;
}

void readThisPcLine(ClubSettings& settings)
{
    const QSettings stored = userSettings();
    if (!stored.contains(kGroup + kCom))
        return;
    settings.com = qBound(0, stored.value(kGroup + kCom).toInt(), 3);
    settings.converter = stored.value(kGroup + kConverter).toBool();
    for (int port = 0; port < 4; ++port)
        settings.portDevices[size_t(port)] = stored.value(kGroup + kPort.arg(port + 1)).toString().trimmed();
}

void keepThisPcLine(const ClubSettings& settings)
{
    QSettings stored = userSettings();
    stored.setValue(kGroup + kCom, settings.com);
    stored.setValue(kGroup + kConverter, settings.converter);
    for (int port = 0; port < 4; ++port)
        stored.setValue(kGroup + kPort.arg(port + 1), settings.portDevices[size_t(port)].trimmed());
}

} // namespace durvek
