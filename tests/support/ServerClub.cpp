#include "support/ServerClub.h"
#include "database/ClubDatabase.h"
#include "database/ServerLayout.h"
#include "database/SqlUtil.h"
#include <QCoreApplication>
#include <QDir>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
#include <cstdio>
#include <cstdlib>

namespace durvek::testing {

namespace {

const QString kMaintenanceConnection = QStringLiteral("durvek_test_maintenance");
const QString kTemplateConnection = QStringLiteral("durvek_test_template");
// What ctest counts as skipped (SKIP_RETURN_CODE of the server variants).
constexpr int kSkipped = 77;

DatabaseLocation maintenanceLocation()
{
    const QString uri = qEnvironmentVariable("DURVEK_TEST_POSTGRESQL");
    if (uri.isEmpty()) {
        std::fprintf(stderr, "SKIP: no PostgreSQL server for this variant: DURVEK_TEST_POSTGRESQL is not set "
                             "(./test starts one; or scripts/pg-test-server start)\n");
        std::exit(kSkipped);
    }
    return DatabaseLocation::fromArgument(uri);
}

QSqlDatabase connect(const QString& connection, const DatabaseLocation& location)
{
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), connection);
    location.applyTo(db);
    if (!db.open())
        throw DatabaseError::fromEngine(db.lastError(), location.displayName());
    return db;
}

void disconnect(const QString& connection)
{
    QSqlDatabase::database(connection, false).close();
    QSqlDatabase::removeDatabase(connection);
}

// The databases of one test program: their names carry its process id, so
// that programs run side by side on one server do not meet.
class ServerFixtures {
public:
    static ServerFixtures& instance()
    {
        static ServerFixtures* fixtures = new ServerFixtures;
        return *fixtures;
    }

    QSqlDatabase freshClub()
    {
        ClubDatabase::close();
        dropMade();
        const QString name = newName();
        run(QStringLiteral("CREATE DATABASE %1 TEMPLATE %2").arg(name, templateName()));
        m_current = m_server.withDatabase(name);
        NoPasswordSource noPassword;
        return ClubDatabase::open(m_current, noPassword);
    }

    QString emptyDatabase()
    {
        const QString name = newName();
        run(QStringLiteral("CREATE DATABASE %1").arg(name));
        return m_server.withDatabase(name).serverUri().toString();
    }

    QString currentUri() const { return m_current.serverUri().toString(); }

    void endBackend(const QVariant& backend)
    {
        const QSqlDatabase maintenance = QSqlDatabase::database(kMaintenanceConnection, false);
        if (!queryValue(maintenance, QStringLiteral("SELECT pg_terminate_backend(?)"), {backend}).toBool())
            throw DatabaseError("the server did not end the connection");
    }

private:
    ServerFixtures() : m_server(maintenanceLocation())
    {
        m_prefix = QStringLiteral("durvek_%1_").arg(QCoreApplication::applicationPid());
        connect(kMaintenanceConnection, m_server);
        // While the application still lives: the SQL drivers go with it.
        qAddPostRoutine([] { instance().dropAll(); });
    }

    QString newName() { return m_prefix + QString::number(++m_count); }

    void run(const QString& sql)
    {
        QSqlQuery query(QSqlDatabase::database(kMaintenanceConnection, false));
        if (!query.exec(sql))
            throw DatabaseError::fromEngine(query.lastError(), m_server.displayName(), sql);
        if (sql.startsWith(QLatin1String("CREATE DATABASE")))
            m_made.append(sql.section(u' ', 2, 2));
    }

    QString templateName()
    {
        if (!m_template.isEmpty())
            return m_template;
        const QString name = m_prefix + QStringLiteral("delivered");
        run(QStringLiteral("CREATE DATABASE %1").arg(name));
        m_kept.append(m_made.takeLast());
        layOutServerDatabase(connect(kTemplateConnection, m_server.withDatabase(name)));
        disconnect(kTemplateConnection);
        m_template = name;
        return m_template;
    }

    void dropMade()
    {
        for (const QString& name : std::exchange(m_made, {})) {
            run(QStringLiteral("DROP DATABASE IF EXISTS %1 WITH (FORCE)").arg(name));
            removeBackupsOf(name);
        }
    }

    // A window's bulk change backs the club up first, and a server club's
    // backups go to the program's folder, which every test program shares:
    // they go with their database, not to pile up there run after run.
    static void removeBackupsOf(const QString& database)
    {
        QDir backups(QDir(clubFilesFolder(QSqlDatabase::database(kMaintenanceConnection, false)))
                         .filePath(QStringLiteral("backups")));
        for (const QString& file : backups.entryList({database + QStringLiteral(" *")}, QDir::Files))
            backups.remove(file);
    }

    void dropAll()
    {
        ClubDatabase::close();
        m_made += std::exchange(m_kept, {});
        try {
            dropMade();
        } catch (const DatabaseError& e) {
            std::fprintf(stderr, "test databases not dropped: %s\n", e.what());
        }
        disconnect(kMaintenanceConnection);
    }

    DatabaseLocation m_server;
    DatabaseLocation m_current;
    QString m_prefix;
    QString m_template;
    QStringList m_made;
    QStringList m_kept;
    int m_count = 0;
};

} // namespace

Engine resolvedEngine(Engine engine)
{
    if (engine != Engine::FromEnvironment)
        return engine;
    return qEnvironmentVariable("DURVEK_TEST_ENGINE") == QLatin1String("postgresql") ? Engine::Postgresql
                                                                                    : Engine::Sqlite;
}

QSqlDatabase openDeliveredServerDatabase()
{
    return ServerFixtures::instance().freshClub();
}

QString serverDatabaseUri()
{
    return ServerFixtures::instance().currentUri();
}

void loseServerConnection(const QSqlDatabase& db)
{
    ServerFixtures::instance().endBackend(queryValue(db, QStringLiteral("SELECT pg_backend_pid()")));
}

ServerOutOfReach::ServerOutOfReach(QSqlDatabase db) : m_db(std::move(db)), m_clubName(m_db.databaseName())
{
    m_db.setDatabaseName(QStringLiteral("no club here"));
    loseServerConnection(m_db);
}

ServerOutOfReach::~ServerOutOfReach()
{
    m_db.setDatabaseName(m_clubName);
}

QString emptyServerDatabase()
{
    return ServerFixtures::instance().emptyDatabase();
}

} // namespace durvek::testing
