#include "backup/BorrowedCatalogue.h"
#include "common/TextCatalogue.h"
#include "database/CatalogueUpgrade.h"
#include "database/ClubDatabase.h"
#include "database/SqlUtil.h"
#include <QFileInfo>
#include <QSqlDatabase>
#include <QUrl>
#include <QtDebug>

namespace durvek {

namespace {

const QString kConnection = QStringLiteral("borrowed-catalogue");

QString readOnlyUri(const QString& path)
{
    QUrl url = QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath());
    url.setQuery(QStringLiteral("mode=ro"));
    return url.toString(QUrl::FullyEncoded);
}

void copyTexts(const QSqlDatabase& memory, const QString& backupPath)
{
    runStatement(memory, QStringLiteral("CREATE TABLE PcLanguage (id INTEGER, \"default\" TEXT, other TEXT)"));
    try {
        runStatement(memory, QStringLiteral("ATTACH DATABASE ? AS backup"), {readOnlyUri(backupPath)});
        runStatement(memory, QStringLiteral("INSERT INTO PcLanguage SELECT id, \"default\", other FROM backup.PcLanguage"));
        runStatement(memory, QStringLiteral("DETACH DATABASE backup"));
    } catch (const DatabaseError& error) {
        // The English texts this version adds still caption the restore.
        qWarning().noquote() << "No texts in the backup:" << error.what();
    }
    AddMissingCatalogueTexts(memory);
}

} // namespace

BorrowedCatalogue::BorrowedCatalogue(const QString& backupPath) : m_connection(kConnection)
{
    {
        QSqlDatabase memory = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connection);
        memory.setConnectOptions(QStringLiteral("QSQLITE_OPEN_URI"));
        memory.setDatabaseName(QStringLiteral(":memory:"));
        if (memory.open())
            copyTexts(memory, backupPath);
    }
    TextCatalogue::setConnectionName(m_connection);
}

BorrowedCatalogue::~BorrowedCatalogue()
{
    TextCatalogue::setConnectionName(QString::fromLatin1(ClubDatabase::kConnectionName));
    QSqlDatabase::database(m_connection, false).close();
    QSqlDatabase::removeDatabase(m_connection);
}

} // namespace durvek
