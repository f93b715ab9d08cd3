#include "results/PigeonImport.h"
#include "common/ValueHelpers.h"
#include "database/SqlUtil.h"
#include "results/ImportBand.h"
#include "results/PigeonFile.h"
#include "results/PigeonImportStore.h"
#include "results/RaceData.h"
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

// Replaces the records in memory by the file's, when it holds any.
// Throws on a file that cannot be a pigeon file.
void loadIntoMemory(const QString& path, RaceData& data, PigeonImportReport& report)
{
    PigeonFileContents file = LoadPigeonFile(path);
    if (file.kind == PigeonFileContents::Damaged)
        throw std::runtime_error(file.error.toStdString());
    if (file.kind == PigeonFileContents::Loaded) {
        data.results = std::move(file.records);
        report.shortenedFile = file.shortened;
    }
}

void importRecord(const PigeonImportStore& store, const ResultRecord& r, PigeonImportReport& report)
{
    const ImportBand band = ImportBand::fromBandText(r.band);
    int32_t pigeonId = 0;
    if (const auto found = store.findPigeon(band.jaar, band.ringnummer)) {
        pigeonId = *found;
    } else {
        pigeonId = store.nextPigeonId();
        store.addPigeon(pigeonId, band, !isBlank(r.sex));
        ++report.pigeonsAdded;
    }
    // The code is looked up as it is stored (trimmed), so a short code is
    // found again on the next import instead of being added once more.
    const QString elcode = TextOrDefault(r.elcode, QStringLiteral(" "));
    if (const auto row = store.findElcode(elcode)) {
        store.relinkElcode(*row, pigeonId);
        ++report.elcodesRelinked;
    } else {
        store.addElcode(store.NextElcodeId(), elcode, pigeonId);
        ++report.elcodesAdded;
    }
}

} // namespace

PigeonImportReport LinkPigeons(const QSqlDatabase& db, const QString& pigeonFilePath, RaceData& data,
                               const ImportWarning& warn)
{
    PigeonImportReport report;
    try {
        loadIntoMemory(pigeonFilePath, data, report);
        if (data.results.isEmpty())
            return report;
        report.ran = true;
        const PigeonImportStore store(db);
        PigeonImportReport counted = report;
        inTransaction(db, [&] {
            for (const ResultRecord& r : data.results) {
                ++counted.records;
                if (namesNoPigeon(r)) {
                    ++counted.skippedBlank;
                    continue;
                }
                importRecord(store, r, counted);
            }
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
