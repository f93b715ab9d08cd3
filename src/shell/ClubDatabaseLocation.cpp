#include "shell/ClubDatabaseLocation.h"
#include "database/ClubDatabase.h"
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <cstdio>

namespace durvek {

namespace {

QString databaseIn(const QString& folder)
{
    return QDir(folder).filePath(QString::fromLatin1(ClubDatabase::kFileName));
}

// Through a temporary file, so a first start that is cut short leaves no half
// database that the next start would take for the club's. Why a copy failed
// goes to stderr: opening then only knows that the file is missing.
void copyDelivered(const QString& delivered, const QString& target)
{
    QFile source(delivered);
    QSaveFile copy(target);
    QDir().mkpath(QFileInfo(target).absolutePath());
    if (!source.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "durvek-club: %s: %s\n", qPrintable(delivered), qPrintable(source.errorString()));
        return;
    }
    const QByteArray bytes = source.readAll();
    if (!copy.open(QIODevice::WriteOnly) || copy.write(bytes) != bytes.size() || !copy.commit())
        std::fprintf(stderr, "durvek-club: cannot copy the delivered club database to %s: %s\n",
                     qPrintable(target), qPrintable(copy.errorString()));
}

} // namespace

ClubDatabaseLocation::ClubDatabaseLocation(QString programDir, QString dataFolder)
    : programDir_(std::move(programDir)), dataFolder_(std::move(dataFolder))
{
}

QString ClubDatabaseLocation::deliveredDatabase() const
{
    return QDir(programDir_).filePath(QStringLiteral(DURVEK_DELIVERED_FROM_PROGRAM "/")
                                      + QString::fromLatin1(ClubDatabase::kFileName));
}

QString ClubDatabaseLocation::folder() const
{
    if (QFile::exists(databaseIn(programDir_)))
        return programDir_;
    const QString delivered = deliveredDatabase();
    if (!QFile::exists(delivered))
        return programDir_;
    const QString target = databaseIn(dataFolder_);
    if (!QFile::exists(target))
        copyDelivered(delivered, target);
    return dataFolder_;
}

ClubDatabaseLocation ClubDatabaseLocation::ofThisProgram()
{
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return ClubDatabaseLocation(QCoreApplication::applicationDirPath(),
                                QDir(data).filePath(QStringLiteral("durvek-club")));
}

} // namespace durvek
