#pragma once
#include "clocklink/AntennaReading.h"
#include "clocklink/JobContext.h"
#include <QString>
#include <functional>
#include <memory>

namespace durvek {

class PigeonGridAccess;

// The check of a new chip code against the grid before it is stored; true
// when a row holds it already (the check has warned the user, adding
// stopNote, which says where the run stopped and how it goes on). The linking
// window passes ChipCodeInUse.
using ChipCodeCheck = std::function<bool(const QString& code, const QString& stopNote)>;

// How a band reading job ended.
enum class BandReadingEnd {
    Stored,         // single band: the code is in the current row
    Finished,       // multiple bands: every row up to the first without a band was done
    NoRow,          // no row to read for, or the row has no federation band
    Cancelled,
    AntennaMissing, // the converter did not answer
    Declined,       // the row has a code and the user kept it
    CodeInUse,      // another row holds the code already
};

struct BandReadingResult {
    BandReadingEnd end = BandReadingEnd::Cancelled;
    int stored = 0; // codes put into the grid
    QString stopNote; // multiple bands stopped at a code in use: where, and how to go on
    QString codeInUse; // that code, as the antenna gave it
};

// The "Single-band" and "Multiple-bands" jobs of the linking window: read
// chip codes from the club antenna into the electronic band column. Codes go
// into the grid only; the window stores the grid when the user says so.
// Every job ends by giving the window its buttons back.
class BandReadingJobs {
public:
    BandReadingJobs(JobContext& job, PigeonGridAccess& grid, std::function<void()> enableLinkButtons);
    ~BandReadingJobs();

    // The reading the settings ask for is used unless another is set here.
    void setReading(std::unique_ptr<AntennaReading> reading);
    // The check of a new code against the pigeons of other fanciers, made
    // after the grid's by both jobs: a code it finds taken is not stored
    // and stops the job as a code in the grid does. The linking window
    // passes ChipCodeOfAnotherFancier.
    void setOwnerCheck(ChipCodeCheck chipCodeOfAnotherFancier);

    // One code for the current row.
    BandReadingResult ReadSingleBand();
    // Codes for the rows that lack one, from row 1 down to the first row
    // without a federation band. A chip still in the antenna from the row
    // before is ignored until another is read. A chip already linked stops
    // the run at its row, which stays without code: the next run goes on
    // from there. chipLeftOnAntenna, the code that stopped the run before,
    // is passed over as a chip still lying there rather than stopping the
    // run again; it is never stored, as any other chip in use.
    BandReadingResult ReadMultipleBands(const ChipCodeCheck& chipCodeInUse,
                                        const QString& chipLeftOnAntenna = QString());

private:
    BandReadingEnd readSingle();
    BandReadingEnd readMultiple(const ChipCodeCheck& chipCodeInUse, const QString& chipLeftOnAntenna,
                                BandReadingResult& result);
    int rowsToFill() const;
    ChipRead readNewCode();
    void storeCode(int row, const QString& code);
    AntennaReading& reading();
    bool ownedElsewhere(const QString& code, const QString& stopNote) const;
    QString closingSentence(const BandReadingResult& result, int jobText) const;

    JobContext& m_job;
    PigeonGridAccess& m_grid;
    std::function<void()> m_enableLinkButtons;
    std::unique_ptr<AntennaReading> m_reading;
    ChipCodeCheck m_chipCodeOfAnotherFancier;
};

} // namespace durvek
