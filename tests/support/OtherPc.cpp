#include "support/OtherPc.h"
#include "database/DatabaseLocation.h"
#include "database/SqlDialect.h"

namespace durvek::testing {

OtherPc::OtherPc(const QString& fileOrUri, const QString& name) : m_name(name)
{
    const DatabaseLocation location = DatabaseLocation::fromArgument(fileOrUri);
    QSqlDatabase db =
        QSqlDatabase::addDatabase(location.isServer() ? QStringLiteral("QPSQL") : QStringLiteral("QSQLITE"), m_name);
    if (location.isServer())
        location.applyTo(db);
    else
        db.setDatabaseName(fileOrUri);
    if (db.open() && location.isServer())
        configureSession(db);
}

OtherPc::~OtherPc()
{
    QSqlDatabase::database(m_name, false).close();
    QSqlDatabase::removeDatabase(m_name);
}

QSqlDatabase OtherPc::db() const
{
    return QSqlDatabase::database(m_name, false);
}

} // namespace durvek::testing
