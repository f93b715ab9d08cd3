#pragma once
#include <QList>
#include <QPair>
#include <QSqlDatabase>
#include <QString>
#include <QUrl>

namespace durvek {

// Where the club database is: the SQLite file, or a database on a PostgreSQL
// server given as a libpq URI (postgresql://user@host:port/club, a local
// socket folder as ?host=/folder; what the URI leaves out comes from the PG*
// environment variables, as libpq does it).
class DatabaseLocation {
public:
    DatabaseLocation() = default;

    static DatabaseLocation file(const QString& path);
    // A postgresql:// or postgres:// URI names a server database, anything
    // else a file path.
    static DatabaseLocation fromArgument(const QString& argument);

    bool isServer() const { return m_server; }
    bool isEmpty() const { return !m_server && m_path.isEmpty(); }
    // The file's path (empty for a server).
    const QString& filePath() const { return m_path; }
    // The URI as given, password included (never shown or stored).
    const QUrl& serverUri() const { return m_uri; }

    // For messages and titles: the file's native path, or the server's
    // address without the password.
    QString displayName() const;

    // The parts of the server URI as QPSQL takes them; empty ones are left
    // to libpq (PG* variables, ~/.pgpass, the default socket).
    struct ServerAddress {
        QString user;
        QString password;
        QString host;  // a name, an address, or a socket folder
        int port = -1;
        QString database;
        QStringList options;  // further URI items as key=value

        // The address as a URI without the password, one spelling for one
        // address.
        QString displayName() const;
    };
    ServerAddress serverAddress() const;

    // Gives a QPSQL connection the server address (all but the password).
    void applyTo(QSqlDatabase& db) const;

    // The same server with another database on it (tests make their own).
    DatabaseLocation withDatabase(const QString& database) const;

private:
    bool m_server = false;
    QString m_path;
    QUrl m_uri;
};

// The address of an open server connection as DatabaseLocation::displayName
// shows it.
QString serverDisplayName(const QSqlDatabase& db);

} // namespace durvek
