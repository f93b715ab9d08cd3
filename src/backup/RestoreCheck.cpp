#include "backup/RestoreCheck.h"
#include "backup/SqliteFile.h"
#include <QFileInfo>

namespace durvek {

namespace {

RestoreVerdict damaged(const QString& details)
{
    RestoreVerdict verdict;
    verdict.problem = RestoreVerdict::Damaged;
    verdict.details = details;
    return verdict;
}

} // namespace

QStringList requiredClubTables()
{
    return {QStringLiteral("settings"), QStringLiteral("fanciers"), QStringLiteral("pigeons"),
            QStringLiteral("backup"), QStringLiteral("language"), QStringLiteral("PcLanguage")};
}

RestoreVerdict checkRestorable(const QString& path)
{
    // The engine would take an empty file for an empty database.
    if (QFileInfo(path).size() == 0)
        return damaged(path + QStringLiteral(": the file is empty"));
    try {
        const SqliteFile file(path, SqliteFile::ReadOnly);
        const QStringList findings = file.column("PRAGMA integrity_check");
        if (findings != QStringList{QStringLiteral("ok")})
            return damaged(findings.join(u'\n'));
        for (const QString& table : requiredClubTables()) {
            const QStringList found = file.column(
                "SELECT name FROM sqlite_master WHERE type = 'table' AND name = ?1 COLLATE NOCASE", table);
            if (found.isEmpty()) {
                RestoreVerdict verdict;
                verdict.problem = RestoreVerdict::MissingTable;
                verdict.table = table;
                return verdict;
            }
        }
    } catch (const DatabaseError& error) {
        return damaged(error.details());
    }
    return {};
}

} // namespace durvek
