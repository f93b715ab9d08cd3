// makedb [--if-missing] <db-file> <sql-file>
//
// Writes a SQLite database from SQL text. The build uses it with --if-missing
// to deliver the club database next to the program without ever touching a
// club's existing file.
#include "DatabaseFileWriter.h"
#include "SqlScript.h"
#include <QCoreApplication>
#include <QFile>
#include <QStringList>
#include <cstdio>

using namespace durvek;

namespace {

int usage()
{
    std::fprintf(stderr, "usage: makedb [--if-missing] <db-file> <sql-file>\n");
    return 2;
}

QString readScript(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw SqlScriptError(QStringLiteral("%1: %2").arg(path, file.errorString()).toStdString());
    return QString::fromUtf8(file.readAll());
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    const bool ifMissing = args.removeAll(QStringLiteral("--if-missing")) > 0;
    if (args.size() != 2 || args.at(0).startsWith(u'-') || args.at(1).startsWith(u'-'))
        return usage();
    const QString dbPath = args.at(0);
    const QString sqlPath = args.at(1);
    try {
        if (ifMissing && QFile::exists(dbPath))
            return 0;
        const QString script = readScript(sqlPath);
        writeDatabaseFile(dbPath, [&](QSqlDatabase& db) { runSqlScript(db, script); }, ifMissing);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "makedb: %s: %s\n", qPrintable(sqlPath), e.what());
        return 1;
    }
    return 0;
}
