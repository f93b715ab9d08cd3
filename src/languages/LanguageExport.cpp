#include "languages/LanguageExport.h"
#include "common/TextTrim.h"
#include "database/ClubDatabase.h"
#include "languages/FirmwareStringTable.h"
#include "languages/LanguageTable.h"
#include <QDir>
#include <algorithm>
#include <QSaveFile>
#include <QStandardPaths>

namespace durvek {

namespace {

// Characters that would make the name a path, or that no file system of
// the clubs' computers takes in a name.
bool isFileNameCharacter(QChar c)
{
    static const QString forbidden = QStringLiteral("/\\:*?\"<>|");
    return c.unicode() >= 0x20 && !forbidden.contains(c);
}

bool isPlainFileName(const QString& name)
{
    return std::all_of(name.begin(), name.end(), isFileNameCharacter);
}

ExportResult failure(ExportResult::Outcome outcome, const QString& path, const QString& error)
{
    ExportResult r;
    r.outcome = outcome;
    r.filePath = path;
    r.error = error;
    return r;
}

} // namespace

QString defaultExportFolder()
{
    return QDir(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)).filePath(QStringLiteral("uk"));
}

QString exportFileName(const QString& fileNameBox)
{
    const QString name = trimSpaces(fileNameBox);
    return name.isEmpty() ? QString() : name + QStringLiteral(".txt");
}

LanguageExport::LanguageExport(QString folder)
    : m_folder(std::move(folder))
{
}

ExportResult LanguageExport::generate(const QSqlDatabase& db, const QString& fieldBox,
                                      const QString& fileNameBox) const
{
    if (fieldBox.isEmpty() || exportFileName(fileNameBox).isEmpty())
        return {};
    QList<ClockText> texts;
    try {
        texts = firmwareTexts(db);
    } catch (const DatabaseError& e) {
        return failure(ExportResult::DatabaseFailed, QString(), QString::fromStdString(e.what()));
    }
    return write(texts, fieldBox, fileNameBox);
}

ExportResult LanguageExport::write(const QList<ClockText>& texts, const QString& fieldBox,
                                   const QString& fileNameBox) const
{
    const QString name = exportFileName(fileNameBox);
    if (fieldBox.isEmpty() || name.isEmpty())
        return {};
    if (texts.isEmpty())
        return failure(ExportResult::NoTexts, QString(), QStringLiteral("The language table holds no texts."));
    if (!isPlainFileName(name))
        return failure(ExportResult::BadFileName, name,
                       QStringLiteral("\"%1\" cannot be used as a file name.").arg(trimSpaces(fileNameBox)));

    QString error;
    const std::optional<QByteArray> table = firmwareStringTable(texts, &error);
    if (!table)
        return failure(ExportResult::NotInCodePage, QString(), error);

    const QString path = QDir(m_folder).filePath(name);
    if (!QDir().mkpath(m_folder))
        return failure(ExportResult::CannotWrite, path,
                       QStringLiteral("The folder %1 cannot be made.").arg(QDir::toNativeSeparators(m_folder)));
    // Written aside and put in place whole, so a failure half way never
    // leaves a torn table where the previous one was.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)
        || file.write(*table) < 0
        || !file.commit()) {
        return failure(ExportResult::CannotWrite, path,
                       QStringLiteral("%1 cannot be written: %2").arg(QDir::toNativeSeparators(path), file.errorString()));
    }
    ExportResult r;
    r.outcome = ExportResult::Written;
    r.filePath = path;
    return r;
}

} // namespace durvek
