#include "database/CatalogueSnapshot.h"
#include "database/SqlDialect.h"
#include <QRegularExpression>

namespace durvek {

namespace {

struct Snapshot {
    CatalogueContents contents;
    bool stale = true;
};

// Connections are used only by the thread that made them, and so are their
// snapshots.
QHash<QString, Snapshot>& snapshots()
{
    thread_local QHash<QString, Snapshot> byConnection;
    return byConnection;
}

Snapshot* snapshotOf(const QSqlDatabase& db)
{
    QHash<QString, Snapshot>& all = snapshots();
    if (all.isEmpty())
        return nullptr;
    const auto found = all.find(db.connectionName());
    return found == all.end() ? nullptr : &found.value();
}

// The statements that read or write rows, or steer a transaction or the
// session, leave the catalogue as it is.
bool leavesCatalogue(const QString& sql)
{
    static const QRegularExpression rowsOrSession(
        QStringLiteral(R"(^\s*(?:SELECT|INSERT|UPDATE|DELETE|SAVEPOINT|RELEASE|BEGIN|COMMIT|SET|RESET)\b)"),
        QRegularExpression::CaseInsensitiveOption);
    return rowsOrSession.match(sql).hasMatch();
}

// "CREATE TABLE/INDEX IF NOT EXISTS name": the kind and the name.
const QRegularExpression& createIfMissing()
{
    static const QRegularExpression create(
        QStringLiteral(R"(^\s*CREATE\s+(?:UNIQUE\s+)?(TABLE|INDEX)\s+IF\s+NOT\s+EXISTS\s+([A-Za-z_]\w*))"),
        QRegularExpression::CaseInsensitiveOption);
    return create;
}

bool createsWhatIsThere(const CatalogueContents& contents, const QString& sql)
{
    const QRegularExpressionMatch create = createIfMissing().match(sql);
    if (!create.hasMatch())
        return false;
    const QString name = create.captured(2).toLower();
    return create.captured(1).toUpper() == QLatin1String("TABLE") ? contents.tables.contains(name)
                                                                 : contents.indexes.contains(name);
}

} // namespace

CatalogueSnapshot::CatalogueSnapshot(const QSqlDatabase& db)
{
    if (snapshotOf(db))
        return;
    m_connection = db.connectionName();
    snapshots().insert(m_connection, Snapshot());
}

CatalogueSnapshot::~CatalogueSnapshot()
{
    if (!m_connection.isNull())
        snapshots().remove(m_connection);
}

const CatalogueContents* CatalogueSnapshot::contents(const QSqlDatabase& db)
{
    Snapshot* snapshot = snapshotOf(db);
    if (!snapshot)
        return nullptr;
    if (snapshot->stale) {
        snapshot->contents = readCatalogue(db);
        snapshot->stale = false;
    }
    return &snapshot->contents;
}

void CatalogueSnapshot::noteStatement(const QSqlDatabase& db, const QString& sql)
{
    Snapshot* snapshot = snapshotOf(db);
    if (!snapshot || snapshot->stale || leavesCatalogue(sql))
        return;
    // Each start asks for the indexes and tables it wants; when they are
    // there already, the snapshot stays good.
    if (!createsWhatIsThere(snapshot->contents, sql))
        snapshot->stale = true;
}

void CatalogueSnapshot::noteRollback(const QSqlDatabase& db)
{
    if (Snapshot* snapshot = snapshotOf(db))
        snapshot->stale = true;
}

} // namespace durvek
