#include "database/SettingsStore.h"
#include "common/AppState.h"
#include "common/ValueHelpers.h"
#include "database/ClubDatabase.h"
#include "database/PcLineSettings.h"
#include "database/SqlUtil.h"
#include <QSqlRecord>
#include <QStringList>

namespace durvek {

namespace {

const QString kPortField = QStringLiteral("Port%1");

QVariant fieldValue(const QSqlRecord& row, const QString& field)
{
    const int index = row.indexOf(field); // letter case does not matter here
    return index < 0 ? QVariant() : row.value(index);
}

// The fields present in the settings table (older files lack the upgrade's).
QStringList settingsFields(const QSqlDatabase& db)
{
    QStringList names;
    for (const QString& column : columnNames(db, QStringLiteral("settings")))
        names.append(column.trimmed().toLower());
    return names;
}

// Field name -> value to store, for every field the settings row may have.
QList<QPair<QString, QVariant>> settingsValues(const ClubSettings& settings)
{
    QList<QPair<QString, QVariant>> values{
        {QStringLiteral("com"), settings.com},
        {QStringLiteral("protocol"), settings.protocol},
        {QStringLiteral("Clubid"), TextOrDefault(settings.clubId, QStringLiteral(" "))},
        {QStringLiteral("Club"), TextOrDefault(settings.club, QStringLiteral(" "))},
        {QStringLiteral("Converter"), settings.converter ? 1 : 0},
        {QStringLiteral("Sort"), settings.sort ? 1 : 0},
        // Null, not 0, when not set: the club result reads null as its default.
        {QStringLiteral("PrizeEvery"), settings.prizeEvery > 0 ? QVariant(settings.prizeEvery) : QVariant()},
        {QStringLiteral("Nominated"), settings.nominated ? 1 : 0},
        {QStringLiteral("BackupsKept"), settings.backupsKept > 0 ? QVariant(settings.backupsKept) : QVariant()},
        {QStringLiteral("BackupMonths"), settings.backupMonths >= 0 ? QVariant(settings.backupMonths) : QVariant()},
        {QStringLiteral("Language"), settings.language.trimmed()},
    };
    for (int port = 0; port < 4; ++port)
        values.append({kPortField.arg(port + 1), settings.portDevices[size_t(port)].trimmed()});
    return values;
}

} // namespace

ClubSettings loadSettings(const QSqlDatabase& db)
{
    ClubSettings settings;
    QSqlQuery query = runStatement(db, QStringLiteral("SELECT * FROM settings ORDER BY rowid LIMIT 1"));
    if (!query.next())
        return settings;
    const QSqlRecord row = query.record();
    settings.com = int(FieldNumber(fieldValue(row, QStringLiteral("com"))));
    settings.protocol = int(FieldNumber(fieldValue(row, QStringLiteral("protocol"))));
    settings.clubId = TextOrDefault(fieldValue(row, QStringLiteral("Clubid")), QStringLiteral(" "));
    settings.club = TextOrDefault(fieldValue(row, QStringLiteral("Club")), QStringLiteral(" "));
    settings.converter = FieldBool(fieldValue(row, QStringLiteral("converter")));
    settings.sort = FieldBool(fieldValue(row, QStringLiteral("sort")));
    for (int port = 0; port < 4; ++port)
        settings.portDevices[size_t(port)] = TextOrDefault(fieldValue(row, kPortField.arg(port + 1)));
    settings.prizeEvery = qMax(0, int(FieldNumber(fieldValue(row, QStringLiteral("PrizeEvery")))));
    settings.nominated = FieldBool(fieldValue(row, QStringLiteral("Nominated")));
    settings.backupsKept = qMax(0, int(FieldNumber(fieldValue(row, QStringLiteral("BackupsKept")))));
    const QVariant months = fieldValue(row, QStringLiteral("BackupMonths"));
    settings.backupMonths = months.isNull() ? -1 : qMax(0, int(FieldNumber(months)));
    settings.language = TextOrDefault(fieldValue(row, QStringLiteral("Language")));
    if (lineKeptOnThisPc(db))
        readThisPcLine(settings);
    return settings;
}

void saveSettings(const QSqlDatabase& db, const ClubSettings& settings, const std::optional<ClubSettings>& loaded)
{
    const QStringList present = settingsFields(db);
    const QList<QPair<QString, QVariant>> values = settingsValues(settings);
    const QList<QPair<QString, QVariant>> before = loaded ? settingsValues(*loaded) : values;
    const QVariant firstRow = queryValue(db, QStringLiteral("SELECT min(rowid) FROM settings"));
    QStringList columns;
    QVariantList bound;
    for (qsizetype i = 0; i < values.size(); ++i) {
        const auto& [field, value] = values.at(i);
        if (!present.contains(field.toLower()))
            continue;
        // An existing row gets only what was changed here: a value another
        // PC stored meanwhile stays, and so does the settings row's line
        // where each PC keeps its own.
        const bool unchanged = loaded && before.at(i).second == value;
        const bool thisPcsOwn = lineKeptOnThisPc(db) && isLineField(field);
        if (!firstRow.isNull() && (unchanged || thisPcsOwn))
            continue;
        columns.append(quoteName(db, field));
        bound.append(value);
    }
    if (firstRow.isNull()) {
        runStatement(db, QStringLiteral("INSERT INTO settings (%1) VALUES (%2)")
                             .arg(columns.join(u','), QStringList(columns.size(), QStringLiteral("?")).join(u',')),
                     bound);
    } else if (!columns.isEmpty()) {
        bound.append(firstRow);
        runStatement(db, QStringLiteral("UPDATE settings SET %1 = ? WHERE rowid = ?")
                             .arg(columns.join(QLatin1String(" = ?, "))),
                     bound);
    }
    if (lineKeptOnThisPc(db))
        keepThisPcLine(settings);
}

void LoadSettings()
{
    appState().activeSettings = loadSettings(ClubDatabase::get());
}

} // namespace durvek
