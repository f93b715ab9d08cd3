#include "database/ClubCopy.h"
#include "database/SqlDialect.h"
#include "database/DatabaseError.h"
#include "database/SqlUtil.h"
#include <QSqlError>
#include <QSqlRecord>
#include <algorithm>

namespace durvek {

namespace {

const QString kRowid = QStringLiteral("rowid");

// Many rows per INSERT: on the server every statement is a round trip.
// Both engines take far more parameters than this.
constexpr int kMostParameters = 4000;
constexpr int kMostRowsPerInsert = 250;

// The target's name of each source table (engines differ in letter case).
struct TablePair {
    QString source;
    QString target;
};

bool isEngineTable(const QString& name)
{
    return name.startsWith(QLatin1String("sqlite_"), Qt::CaseInsensitive);
}

QString findIn(const QStringList& names, const QString& name)
{
    for (const QString& candidate : names) {
        if (candidate.compare(name, Qt::CaseInsensitive) == 0)
            return candidate;
    }
    return {};
}

QList<TablePair> pairTables(const QSqlDatabase& from, const QSqlDatabase& to, QStringList& leftOut)
{
    QStringList sources = from.tables(QSql::Tables);
    sources.removeIf(isEngineTable);
    std::sort(sources.begin(), sources.end(),
              [](const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
    const QStringList targets = to.tables(QSql::Tables);
    QList<TablePair> pairs;
    for (const QString& source : sources) {
        const QString target = findIn(targets, source);
        if (target.isEmpty())
            leftOut.append(source);
        else
            pairs.append({source, target});
    }
    return pairs;
}

QStringList columnsOf(const QSqlDatabase& db, const QString& table)
{
    const QSqlRecord record = db.record(table);
    QStringList names;
    for (int i = 0; i < record.count(); ++i)
        names.append(record.fieldName(i));
    return names;
}

// The columns both tables have, each by its name on either side; the rowid
// is handled apart from them.
struct ColumnPairs {
    QStringList source;
    QStringList target;
};

ColumnPairs pairColumns(const QSqlDatabase& from, const QSqlDatabase& to, const TablePair& table)
{
    const QStringList targets = columnsOf(to, table.target);
    ColumnPairs pairs;
    for (const QString& source : columnsOf(from, table.source)) {
        const QString target = findIn(targets, source);
        if (!target.isEmpty() && source.compare(kRowid, Qt::CaseInsensitive) != 0) {
            pairs.source.append(source);
            pairs.target.append(target);
        }
    }
    return pairs;
}

QString quotedList(const QStringList& names)
{
    QStringList quoted;
    for (const QString& name : names)
        quoted.append(quoteIdentifier(name));
    return quoted.join(QLatin1String(", "));
}

QString insertStatement(const QString& table, const QStringList& columns, int rows)
{
    const QString row = u'(' + QStringList(columns.size(), QStringLiteral("?")).join(u',') + u')';
    return QStringLiteral("INSERT INTO %1 (%2) VALUES %3")
        .arg(quoteIdentifier(table), quotedList(columns), QStringList(rows, row).join(u','));
}

// Writes rows to one table, a batch of them per statement.
class BatchInsert {
public:
    BatchInsert(const QSqlDatabase& db, const QString& table, const QStringList& columns)
        : m_db(db), m_table(table), m_columns(columns),
          m_batchRows(std::clamp(kMostParameters / int(std::max<qsizetype>(columns.size(), 1)), 1,
                                 kMostRowsPerInsert)),
          m_full(db)
    {
        prepare(m_full, m_batchRows);
    }

    void add(const QVariantList& row)
    {
        m_pending.append(row);
        if (m_pending.size() == m_batchRows * m_columns.size())
            flush(m_full);
    }

    void finish()
    {
        if (m_pending.isEmpty())
            return;
        QSqlQuery rest(m_db);
        prepare(rest, int(m_pending.size() / m_columns.size()));
        flush(rest);
    }

private:
    void prepare(QSqlQuery& query, int rows)
    {
        const QString sql = insertStatement(m_table, m_columns, rows);
        if (!query.prepare(sql))
            throw DatabaseError::fromEngine(query.lastError(), databaseFile(m_db), sql);
    }

    void flush(QSqlQuery& query)
    {
        for (int i = 0; i < m_pending.size(); ++i)
            query.bindValue(i, m_pending.at(i));
        execPrepared(query, m_db);
        m_pending.clear();
    }

    QSqlDatabase m_db;
    QString m_table;
    QStringList m_columns;
    int m_batchRows;
    QSqlQuery m_full;
    QVariantList m_pending;
};

qlonglong rowCount(const QSqlDatabase& db, const QString& table)
{
    return queryValue(db, QStringLiteral("SELECT count(*) FROM %1").arg(quoteIdentifier(table))).toLongLong();
}

DatabaseError countMismatch(const QSqlDatabase& to, const QString& table, qlonglong source, qlonglong target)
{
    return DatabaseError(DatabaseError::Kind::Other,
                         QStringLiteral("The copy of table %1 does not hold the rows of the original").arg(table),
                         QStringLiteral("%1: %2 rows copied into %3, %4 in the original")
                             .arg(databaseFile(to), table)
                             .arg(target)
                             .arg(source));
}

void copyTable(const QSqlDatabase& from, const QSqlDatabase& to, const TablePair& table)
{
    const ColumnPairs columns = pairColumns(from, to, table);
    const bool withRowid = insertsRowid(to, table.target);
    QStringList targetColumns = columns.target;
    if (withRowid)
        targetColumns.prepend(kRowid);

    runStatement(to, QStringLiteral("DELETE FROM %1").arg(quoteIdentifier(table.target)));
    QSqlQuery rows = runStatement(from, QStringLiteral("SELECT %1, %2 FROM %3 ORDER BY %1")
                                            .arg(kRowid, quotedList(columns.source), quoteIdentifier(table.source)));
    BatchInsert insert(to, table.target, targetColumns);
    const int first = withRowid ? 0 : 1;
    while (rows.next()) {
        QVariantList row;
        for (int i = first; i <= columns.source.size(); ++i)
            row.append(rows.value(i));
        insert.add(row);
    }
    if (rows.lastError().isValid())
        throw DatabaseError::fromEngine(rows.lastError(), databaseFile(from), rows.lastQuery());
    insert.finish();
    continueKeysAfterCopy(to, table.target);
}

} // namespace

ClubCopyOutcome copyClub(const QSqlDatabase& from, const QSqlDatabase& to, const ClubCopyProgress& progress)
{
    ClubCopyOutcome outcome;
    const QList<TablePair> tables = pairTables(from, to, outcome.leftOut);
    const ReadSnapshot snapshot(from);
    inTransaction(to, [&] {
        for (int k = 0; k < tables.size(); ++k) {
            const TablePair& table = tables.at(k);
            if (progress)
                progress(k + 1, int(tables.size()), table.source);
            copyTable(from, to, table);
        }
        // Counted apart from the copying, so that rows the target refused
        // quietly or added of its own accord are found too.
        for (const TablePair& table : tables) {
            const qlonglong source = rowCount(from, table.source);
            const qlonglong target = rowCount(to, table.target);
            if (source != target)
                throw countMismatch(to, table.source, source, target);
            outcome.tables.append({table.source, target});
        }
    });
    return outcome;
}

} // namespace durvek
