#include "database/DatabaseLocation.h"
#include <QDir>
#include <QUrlQuery>

namespace durvek {

namespace {

bool isServerScheme(const QString& scheme)
{
    return scheme == QLatin1String("postgresql") || scheme == QLatin1String("postgres");
}

const QString kHostItem = QStringLiteral("host");
const QString kPasswordItem = QStringLiteral("password");

} // namespace

DatabaseLocation DatabaseLocation::file(const QString& path)
{
    DatabaseLocation location;
    location.m_path = path;
    return location;
}

DatabaseLocation DatabaseLocation::fromArgument(const QString& argument)
{
    const QUrl uri(argument.trimmed(), QUrl::StrictMode);
    if (!uri.isValid() || !isServerScheme(uri.scheme().toLower()))
        return file(argument);
    DatabaseLocation location;
    location.m_server = true;
    location.m_uri = uri;
    return location;
}

QString DatabaseLocation::displayName() const
{
    if (!m_server)
        return QDir::toNativeSeparators(m_path);
    return serverAddress().displayName();
}

// Built from the parts the connection is given, not from the text as typed,
// so that an open connection, which keeps only those parts, reads the same.
QString DatabaseLocation::ServerAddress::displayName() const
{
    QUrl uri;
    uri.setScheme(QStringLiteral("postgresql"));
    uri.setUserName(user);
    QUrlQuery query;
    const bool socketFolder = host.startsWith(u'/');
    if (socketFolder)
        query.addQueryItem(kHostItem, host);
    // An empty host, not none: postgresql:///club, which libpq reads.
    uri.setHost(socketFolder || host.isEmpty() ? QLatin1String("") : host);
    if (port > 0)
        uri.setPort(port);
    uri.setPath(u'/' + database);
    for (const QString& option : options)
        query.addQueryItem(option.section(u'=', 0, 0), option.section(u'=', 1));
    uri.setQuery(query);
    return uri.toString(QUrl::PrettyDecoded);
}

DatabaseLocation::ServerAddress DatabaseLocation::serverAddress() const
{
    ServerAddress address;
    address.user = m_uri.userName(QUrl::FullyDecoded);
    address.password = m_uri.password(QUrl::FullyDecoded);
    address.host = m_uri.host(QUrl::FullyDecoded);
    address.port = m_uri.port(-1);
    address.database = m_uri.path(QUrl::FullyDecoded).mid(1);
    const QUrlQuery query(m_uri);
    for (const auto& [key, value] : query.queryItems(QUrl::FullyDecoded)) {
        // host= in the query is how a URI names a socket folder.
        if (key == kHostItem)
            address.host = value;
        // Given to the connection apart, so that it is never shown with the options.
        else if (key == kPasswordItem)
            address.password = value;
        else
            address.options.append(key + u'=' + value);
    }
    return address;
}

void DatabaseLocation::applyTo(QSqlDatabase& db) const
{
    const ServerAddress address = serverAddress();
    db.setHostName(address.host);
    db.setPort(address.port);
    db.setDatabaseName(address.database);
    db.setUserName(address.user);
    db.setConnectOptions(address.options.join(u';'));
}

DatabaseLocation DatabaseLocation::withDatabase(const QString& database) const
{
    DatabaseLocation other = *this;
    other.m_uri.setPath(u'/' + database);
    return other;
}

QString serverDisplayName(const QSqlDatabase& db)
{
    DatabaseLocation::ServerAddress address;
    address.user = db.userName();
    address.host = db.hostName();
    address.port = db.port();
    address.database = db.databaseName();
    address.options = db.connectOptions().split(u';', Qt::SkipEmptyParts);
    return address.displayName();
}

} // namespace durvek
