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
    return m_uri.toString(QUrl::RemovePassword | QUrl::PrettyDecoded);
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
    QUrl uri;
    uri.setScheme(QStringLiteral("postgresql"));
    uri.setUserName(db.userName());
    const QString host = db.hostName();
    if (host.startsWith(u'/')) {
        uri.setQuery(kHostItem + u'=' + host);
    } else {
        uri.setHost(host);
    }
    if (db.port() > 0)
        uri.setPort(db.port());
    uri.setPath(u'/' + db.databaseName());
    return uri.toString(QUrl::PrettyDecoded);
}

} // namespace durvek
