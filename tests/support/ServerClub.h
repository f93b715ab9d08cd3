#pragma once
// The club database on a throwaway PostgreSQL server for the tests that run
// on both engines (durvek_add_test ... BOTH_ENGINES): the variant named
// <test>_postgresql has DURVEK_TEST_ENGINE=postgresql, and finds the server
// through DURVEK_TEST_POSTGRESQL (its maintenance URI; ./test and
// scripts/pg-test-server provide it). Without that variable the variant
// reports itself skipped (exit code 77) instead of running.
#include <QSqlDatabase>
#include <QString>

namespace durvek::testing {

enum class Engine {
    FromEnvironment,  // DURVEK_TEST_ENGINE: "postgresql" or else SQLite
    Sqlite,
    Postgresql,
};

// The engine a fixture asked for Engine::FromEnvironment gets.
Engine resolvedEngine(Engine engine);

// True in a test's _postgresql variant: tests about the SQLite file itself
// skip there (QSKIP("about the SQLite file")).
inline bool onServer()
{
    return resolvedEngine(Engine::FromEnvironment) == Engine::Postgresql;
}

// A fresh server database laid out as delivered (a copy of a template made
// once per test program), opened as the program's connection. The one made
// before is dropped, as are all of them when the program ends.
QSqlDatabase openDeliveredServerDatabase();

// The address of the server database openDeliveredServerDatabase opened
// last (for a second connection, as another PC would have).
QString serverDatabaseUri();

// Ends the server's side of db's connection, as a restarted server or a
// cut network does; the connection does not know it until it is next used.
void loseServerConnection(const QSqlDatabase& db);

// Ends db's connection as loseServerConnection does, and keeps the server
// out of reach while it lives: connecting again asks for a database the
// server does not have, as a stopped server refuses.
class ServerOutOfReach {
public:
    explicit ServerOutOfReach(QSqlDatabase db);
    ~ServerOutOfReach();
    ServerOutOfReach(const ServerOutOfReach&) = delete;
    ServerOutOfReach& operator=(const ServerOutOfReach&) = delete;

private:
    QSqlDatabase m_db;
    QString m_clubName;
};

// An empty database of its own on the test server (dropped at the end),
// for tests of the lay-out; its URI.
QString emptyServerDatabase();

} // namespace durvek::testing
