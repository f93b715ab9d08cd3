// makeclub <db-file> --fanciers N --pigeons M [--seed S] [--unnumbered]
//
// Writes a club database with N fanciers and M pigeons (names, addresses,
// licences, bands, colours, sexes and chip codes) on the delivered schema.
#include "ClubGenerator.h"
#include "DatabaseFileWriter.h"
#include "SqlScript.h"
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <cstdio>

using namespace durvek;

namespace {

QString deliveredScript()
{
    QFile file(QStringLiteral(":/durvadm.sql"));
    if (!file.open(QIODevice::ReadOnly))
        throw SqlScriptError("the delivered schema is missing from the program");
    return QString::fromUtf8(file.readAll());
}

bool readCount(const QCommandLineParser& parser, const QString& option, int& value)
{
    bool ok = false;
    value = parser.value(option).toInt(&ok);
    return ok && value >= 0;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Writes a generated club database."));
    parser.addHelpOption();
    parser.addPositionalArgument(QStringLiteral("db-file"), QStringLiteral("database file to write (replaced)"));
    parser.addOption({QStringLiteral("fanciers"), QStringLiteral("number of fanciers"), QStringLiteral("N"), QStringLiteral("0")});
    parser.addOption({QStringLiteral("pigeons"), QStringLiteral("number of pigeons"), QStringLiteral("M"), QStringLiteral("0")});
    parser.addOption({QStringLiteral("seed"), QStringLiteral("random seed"), QStringLiteral("S"), QStringLiteral("1")});
    parser.addOption({QStringLiteral("unnumbered"), QStringLiteral("leave every pigeon number wrong")});
    parser.process(app);

    ClubShape shape;
    bool seedOk = false;
    shape.seed = parser.value(QStringLiteral("seed")).toUInt(&seedOk);
    shape.numbered = !parser.isSet(QStringLiteral("unnumbered"));
    if (parser.positionalArguments().size() != 1 || !seedOk
        || !readCount(parser, QStringLiteral("fanciers"), shape.fanciers)
        || !readCount(parser, QStringLiteral("pigeons"), shape.pigeons)
        || (shape.pigeons > 0 && shape.fanciers == 0)) {
        std::fprintf(stderr, "usage: makeclub <db-file> --fanciers N --pigeons M [--seed S] [--unnumbered]\n"
                             "       (pigeons need at least one fancier)\n");
        return 2;
    }
    const QString path = parser.positionalArguments().first();
    try {
        QElapsedTimer timer;
        timer.start();
        const QString script = deliveredScript();
        writeDatabaseFile(path, [&](QSqlDatabase& db) {
            runSqlScript(db, script);
            generateClub(db, shape);
        }, false);
        std::printf("%s: %d fanciers, %d pigeons (%s) in %lld ms\n", qPrintable(path), shape.fanciers,
                    shape.pigeons, shape.numbered ? "numbered" : "unnumbered", timer.elapsed());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "makeclub: %s\n", e.what());
        return 1;
    }
    return 0;
}
