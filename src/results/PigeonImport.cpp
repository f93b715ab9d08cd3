#include "results/PigeonImport.h"
#include "common/Ansi.h"
#include "common/ValueHelpers.h"
#include "database/SqlDialect.h"
#include "database/SqlUtil.h"
#include "results/ImportBand.h"
#include "results/PigeonFile.h"
#include "results/PigeonImportStore.h"
#include "results/RaceData.h"
#include <QDate>
#include <QDir>
#include <exception>

namespace durvek {

namespace {

// Spaces and code-0 characters (the filling of a field never set) are blank.
bool isBlank(const QString& text)
{
    for (QChar c : text) {
        if (c != u' ' && c.unicode() != 0)
            return false;
    }
    return true;
}

// An entry the clock marked unusable is stored as a record of code 0
// throughout: it names no pigeon and must not become one.
bool namesNoPigeon(const ResultRecord& r) { return isBlank(r.elcode) && isBlank(r.band); }

// A band or code character: not a control code and not a byte that
// Windows-1252 leaves undefined (those read as the C1 controls).
bool isCharacter(QChar c)
{
    const char16_t u = c.unicode();
    return u >= 0x20 && !(u >= 0x7F && u <= 0x9F);
}

// Why the fields the import files cannot be a pigeon's; empty when they can.
QString characterProblem(const ResultRecord& r)
{
    const std::pair<const char*, const QString*> fields[] = {{"code", &r.elcode}, {"band", &r.band}, {"sex", &r.sex}};
    for (const auto& [name, text] : fields) {
        for (QChar c : *text) {
            if (!isCharacter(c))
                return QStringLiteral("%1 holds byte %2, which is no character")
                    .arg(QLatin1String(name))
                    .arg(int(ansiCode(c).value_or(0)));
        }
    }
    return {};
}

// A record as the import files it.
struct PigeonRow {
    ImportBand band;
    QString elcode;
    bool hen = false;
};

// Every record is checked before anything is written, so that a damaged
// file is refused whole rather than imported up to its first bad record.
// Throws naming source and the first bad record (1-based).
QList<PigeonRow> checkRecords(const QList<ResultRecord>& records, const QString& source, PigeonImportReport& report)
{
    const int thisYear = QDate::currentDate().year();
    QList<PigeonRow> rows;
    for (qsizetype i = 0; i < records.size(); ++i) {
        const ResultRecord& r = records[i];
        ++report.records;
        if (namesNoPigeon(r)) {
            ++report.skippedBlank;
            continue;
        }
        QString why = characterProblem(r);
        std::optional<ImportBand> band;
        if (why.isEmpty())
            band = ImportBand::fromBandText(r.band, thisYear, &why);
        if (!band)
            throw std::runtime_error(QStringLiteral("%1: record %2: %3").arg(source).arg(i + 1).arg(why).toStdString());
        // The code is looked up as it is stored (trimmed), so a short code is
        // found again on the next import instead of being added once more.
        rows.append({*band, TextOrDefault(r.elcode, QStringLiteral(" ")), !isBlank(r.sex)});
    }
    return rows;
}

// The records to import: the file's, or those in memory when the file is
// empty. Throws on a file that cannot be a pigeon file.
struct ImportSource {
    QList<ResultRecord> records;
    QString name; // for messages
    bool fromFile = false;
};

ImportSource readSource(const QString& path, const RaceData& data)
{
    PigeonFileContents file = LoadPigeonFile(path);
    if (file.kind == PigeonFileContents::Damaged)
        throw std::runtime_error(file.error.toStdString());
    if (file.kind == PigeonFileContents::Empty)
        return {data.results, QStringLiteral("the last read-out"), false};
    return {std::move(file.records), QDir::toNativeSeparators(path), true};
}

// The pigeon's row: found by its band, also under the year an earlier
// import gave it, or added.
int32_t pigeonIdFor(const PigeonImportStore& store, const PigeonRow& row, PigeonImportReport& report)
{
    const ImportBand& band = row.band;
    if (const auto found = store.findPigeon(band.year, band.bandNumber))
        return *found;
    if (band.earlierYear != 0) {
        if (const auto found = store.findPigeon(band.earlierYear, band.bandNumber))
            return *found;
    }
    const int32_t id = store.nextPigeonId();
    store.addPigeon(id, band, row.hen);
    ++report.pigeonsAdded;
    return id;
}

void importRow(const PigeonImportStore& store, const PigeonRow& row, PigeonImportReport& report)
{
    const int32_t pigeonId = pigeonIdFor(store, row, report);
    if (const auto found = store.findElcode(row.elcode)) {
        store.relinkElcode(*found, pigeonId);
        ++report.elcodesRelinked;
    } else {
        store.addElcode(store.NextElcodeId(), row.elcode, pigeonId);
        ++report.elcodesAdded;
    }
}

} // namespace

PigeonImportReport LinkPigeons(const QSqlDatabase& db, const QString& pigeonFilePath, RaceData& data,
                               const ImportWarning& warn)
{
    PigeonImportReport report;
    try {
        ImportSource source = readSource(pigeonFilePath, data);
        PigeonImportReport counted;
        const QList<PigeonRow> rows = checkRecords(source.records, source.name, counted);
        // Memory holds what was imported, for the reports; a damaged file
        // has changed nothing by now.
        if (source.fromFile)
            data.results = std::move(source.records);
        if (data.results.isEmpty())
            return report;
        report.ran = counted.ran = true;
        const PigeonImportStore store(db);
        inTransaction(db, [&] {
            // Another PC linking at the same moment waits, so that a pigeon
            // or code both add is there once and no id is given twice.
            lockTableForChange(db, QStringLiteral("duiven"));
            lockTableForChange(db, QStringLiteral("elcodes"));
            for (const PigeonRow& row : rows)
                importRow(store, row, counted);
        });
        report = counted;
    } catch (const std::exception& e) {
        report.error = QString::fromUtf8(e.what());
        if (warn)
            warn(QStringLiteral("Fout : ") + report.error, QStringLiteral("Linking"));
    }
    return report;
}

} // namespace durvek
