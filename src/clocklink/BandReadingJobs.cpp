#include "clocklink/BandReadingJobs.h"
#include "clocklink/Frames.h"
#include "clocklink/JobHost.h"
#include "clocklink/JobSentence.h"
#include "clocklink/PigeonGridAccess.h"
#include "common/AppState.h"

namespace durvek {

namespace {

constexpr int kChipCodeText = 39;
constexpr int kNoFedBandText = 62;
constexpr int kAlreadyLinkedText = 65;
constexpr int kRowTitleText = 58;
constexpr int kStoppedAtRowText = 214;
constexpr int kConverterMissingText = 59;
constexpr int kSingleBandText = 44;
constexpr int kMultipleBandsText = 45;
const QString kNoCodeYet = QStringLiteral("00000000");

BandReadingEnd endOf(ChipRead::End end)
{
    switch (end) {
    case ChipRead::AntennaMissing:
        return BandReadingEnd::AntennaMissing;
    case ChipRead::Declined:
        return BandReadingEnd::Declined;
    case ChipRead::Code:
    case ChipRead::Cancelled:
        break;
    }
    return BandReadingEnd::Cancelled;
}

bool isDataRow(const PigeonGridAccess& grid, int row)
{
    return row >= 1 && row < grid.rowCount();
}

} // namespace

BandReadingJobs::BandReadingJobs(JobContext& job, PigeonGridAccess& grid, std::function<void()> enableLinkButtons)
    : m_job(job), m_grid(grid), m_enableLinkButtons(std::move(enableLinkButtons))
{
}

BandReadingJobs::~BandReadingJobs() = default;

void BandReadingJobs::setReading(std::unique_ptr<AntennaReading> reading)
{
    m_reading = std::move(reading);
}

void BandReadingJobs::setOwnerCheck(ChipCodeCheck chipCodeOfAnotherFancier)
{
    m_chipCodeOfAnotherFancier = std::move(chipCodeOfAnotherFancier);
}

bool BandReadingJobs::ownedElsewhere(const QString& code, const QString& stopNote) const
{
    return m_chipCodeOfAnotherFancier && m_chipCodeOfAnotherFancier(code, stopNote);
}

AntennaReading& BandReadingJobs::reading()
{
    if (!m_reading)
        m_reading = makeAntennaReading(m_job, m_grid);
    return *m_reading;
}

BandReadingResult BandReadingJobs::ReadSingleBand()
{
    linkBuffers().CancelRequested = false;
    m_job.host.progress(0, 0);
    BandReadingResult result;
    result.end = readSingle();
    result.stored = result.end == BandReadingEnd::Stored ? 1 : 0;
    if (m_enableLinkButtons)
        m_enableLinkButtons();
    m_grid.refresh();
    m_job.host.finished(closingSentence(result, kSingleBandText));
    return result;
}

BandReadingEnd BandReadingJobs::readSingle()
{
    const int row = m_grid.currentRow();
    // The header row has a text in the band column too; it is no pigeon.
    if (!isDataRow(m_grid, row) || m_grid.fedBand(row).isEmpty()) {
        m_job.host.warn(readingText(m_job, kNoFedBandText), QStringLiteral("Reading El. band # ") + QString::number(row));
        return BandReadingEnd::NoRow;
    }
    const ChipRead read = reading().readCode(ReadingFor::SingleBand);
    if (!read.hasCode())
        return endOf(read.end);

    const QString code = read.code.left(PigeonGridAccess::kChipCodeLength);
    if (const int holder = rowHoldingChipCode(m_grid, code)) {
        const QString chipCode = readingText(m_job, kChipCodeText);
        const QString linked = readingText(m_job, kAlreadyLinkedText);
        m_job.host.warn(chipCode + u' ' + code + linked + u' ', readingRowTitle(m_job, holder));
        m_job.host.warn(chipCode + u' ' + linked, readingRowTitle(m_job, row));
        return BandReadingEnd::CodeInUse;
    }
    if (ownedElsewhere(code, QString()))
        return BandReadingEnd::CodeInUse;
    storeCode(row, code);
    return BandReadingEnd::Stored;
}

BandReadingResult BandReadingJobs::ReadMultipleBands(const ChipCodeCheck& chipCodeInUse,
                                                     const QString& chipLeftOnAntenna)
{
    linkBuffers().CancelRequested = false;
    m_job.host.progress(0, 0);
    BandReadingResult result;
    result.end = readMultiple(chipCodeInUse, chipLeftOnAntenna, result);
    if (m_enableLinkButtons)
        m_enableLinkButtons();
    m_job.host.finished(closingSentence(result, kMultipleBandsText));
    return result;
}

// Cancel is how a reading run normally ends, so it reports what it read;
// only an antenna that is not there stops it.
QString BandReadingJobs::closingSentence(const BandReadingResult& result, int jobText) const
{
    const JobSentence say(m_job.text);
    if (result.end == BandReadingEnd::AntennaMissing)
        return say.stopped(readingText(m_job, jobText), readingText(m_job, kConverterMissingText));
    // Stays in view once the warning is closed: chips held from now on are
    // not read until Multiple-bands is pressed again.
    if (!result.stopNote.isEmpty())
        return result.stopNote;
    return say.chipBandsRead(result.stored, m_job.host.elapsedSeconds());
}

// The rows a run will read for: down to the first without a federation
// band, those without a complete chip code.
int BandReadingJobs::rowsToFill() const
{
    int rows = 0;
    for (int row = 1; row < m_grid.rowCount() && !m_grid.fedBand(row).isEmpty(); ++row) {
        if (m_grid.chipCode(row).length() != PigeonGridAccess::kChipCodeLength)
            ++rows;
    }
    return rows;
}

BandReadingEnd BandReadingJobs::readMultiple(const ChipCodeCheck& chipCodeInUse, const QString& chipLeftOnAntenna,
                                             BandReadingResult& result)
{
    if (m_grid.currentRow() < 1) {
        m_job.host.warn(readingText(m_job, kNoFedBandText), readingText(m_job, kRowTitleText));
        return BandReadingEnd::NoRow;
    }
    AppState& state = appState();
    // The chip that stopped the run before is most likely still lying on the
    // antenna: it counts as read already, as a chip held twice in a run does.
    state.lastCode = chipLeftOnAntenna.isEmpty() ? kNoCodeYet : chipLeftOnAntenna;
    state.currentCode = kNoCodeYet;
    const int total = rowsToFill();
    m_job.host.progress(0, total);

    for (int row = 1; row < m_grid.rowCount(); ++row) {
        if (m_grid.fedBand(row).isEmpty())
            break;
        if (m_grid.chipCode(row).length() == PigeonGridAccess::kChipCodeLength)
            continue;
        m_grid.setCurrentRow(row);
        const ChipRead read = readNewCode();
        if (!read.hasCode())
            return endOf(read.end);
        const QString stopNote = readingRowText(m_job, kStoppedAtRowText, row);
        const bool inUse = chipCodeInUse ? chipCodeInUse(read.code, stopNote) : rowHoldingChipCode(m_grid, read.code) != 0;
        if (inUse || ownedElsewhere(read.code, stopNote)) {
            m_grid.colourRow(row, PigeonGridAccess::RowColour::White);
            result.stopNote = stopNote;
            result.codeInUse = read.code;
            return BandReadingEnd::CodeInUse;
        }
        storeCode(row, read.code.left(PigeonGridAccess::kChipCodeLength));
        ++result.stored;
        m_job.host.progress(result.stored, total);
        state.lastCode = read.code;
        m_grid.colourRow(row, PigeonGridAccess::RowColour::White);
    }
    return BandReadingEnd::Finished;
}

ChipRead BandReadingJobs::readNewCode()
{
    AppState& state = appState();
    for (;;) {
        // The converter reading clears the cancel flag when it starts asking;
        // a Cancel that arrived with the last answer must stop the run here,
        // or a chip left in the antenna could never be cancelled.
        if (linkBuffers().CancelRequested)
            return ChipRead{ChipRead::Cancelled, QString()};
        ChipRead read = reading().readCode(ReadingFor::MultipleBands);
        if (!read.hasCode())
            return read;
        state.currentCode = read.code;
        if (read.code != state.lastCode)
            return read;
    }
}

void BandReadingJobs::storeCode(int row, const QString& code)
{
    m_grid.setCellText(row, PigeonGridAccess::kChipCodeColumn, code);
    m_job.host.beep();
    m_job.host.beep();
}

} // namespace durvek
