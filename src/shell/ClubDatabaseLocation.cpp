#include "shell/ClubDatabaseLocation.h"
#include "database/ClubDatabase.h"
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

namespace durvek {

namespace {

QString databaseIn(const QString& folder)
{
    return QDir(folder).filePath(QString::fromLatin1(ClubDatabase::kFileName));
}

// Through a temporary file, so a first start that is cut short leaves no half
// database that the next start would take for the club's. Opening then only
// finds the file missing, so why the copy failed is returned for the message
// (in English, as the club's language is in the database that is missing).
QString copyDelivered(const QString& delivered, const QString& target)
{
    QFile source(delivered);
    if (!source.open(QIODevice::ReadOnly))
        return QStringLiteral("The club database delivered with the program, %1, could not be read: %2.")
            .arg(QDir::toNativeSeparators(delivered), source.errorString());
    const QString folder = QFileInfo(target).absolutePath();
    QSaveFile copy(target);
    const QByteArray bytes = source.readAll();
    if (!QDir().mkpath(folder) || !copy.open(QIODevice::WriteOnly) || copy.write(bytes) != bytes.size()
        || !copy.commit()) {
        const QString reason = QDir(folder).exists() ? copy.errorString() : QStringLiteral("the folder cannot be made");
        return QStringLiteral("The club database delivered with the program could not be copied into %1 (%2). "
                              "Check that this folder can be written, or start the program from a folder that "
                              "holds the club database.")
            .arg(QDir::toNativeSeparators(folder), reason);
    }
    return {};
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

ClubDatabaseLocation::Found ClubDatabaseLocation::find() const
{
    if (QFile::exists(databaseIn(programDir_)))
        return {programDir_, {}};
    const QString delivered = deliveredDatabase();
    if (!QFile::exists(delivered))
        return {programDir_, {}};
    const QString target = databaseIn(dataFolder_);
    if (QFile::exists(target))
        return {dataFolder_, {}};
    return {dataFolder_, copyDelivered(delivered, target)};
}

ClubDatabaseLocation ClubDatabaseLocation::ofThisProgram()
{
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return ClubDatabaseLocation(QCoreApplication::applicationDirPath(),
                                QDir(data).filePath(QStringLiteral("durvek-club")));
}

} // namespace durvek
