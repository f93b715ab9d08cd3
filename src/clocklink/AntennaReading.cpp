#include "clocklink/AntennaReading.h"
#include "clocklink/ClockJobSteps.h"
#include "clocklink/ClockLibrary.h"
#include "clocklink/Exchange.h"
#include "clocklink/Frames.h"
#include "clocklink/JobHost.h"
#include "clocklink/PigeonGridAccess.h"
#include <cstring>

namespace durvek {

namespace {

constexpr int kConverterMissingText = 59;
constexpr int kAlreadyHasChipCodeText = 63;
constexpr int kRowTitleText = 58;
constexpr int kHoldPigeonText = 120;
// A port that cannot be opened fails at once; without a pause the reading
// would ask it again thousands of times a second.
constexpr int kPortFaultPauseMs = 100;

QChar hexDigit(int value)
{
    return QLatin1Char("0123456789ABCDEF"[value & 0x0F]);
}

// Paints the row yellow for as long as the object lives.
class WaitingRow {
public:
    WaitingRow(PigeonGridAccess& grid, int row)
        : m_grid(grid), m_row(row)
    {
        m_grid.colourRow(m_row, PigeonGridAccess::RowColour::Yellow);
    }
    ~WaitingRow() { m_grid.colourRow(m_row, PigeonGridAccess::RowColour::White); }
    WaitingRow(const WaitingRow&) = delete;
    WaitingRow& operator=(const WaitingRow&) = delete;

private:
    PigeonGridAccess& m_grid;
    int m_row;
};

// Says in the status line which pigeon the antenna waits for, with what went
// wrong on the line, if anything; the line is cleared when the waiting ends.
class WaitingStatus {
public:
    WaitingStatus(JobContext& job, int row)
        : m_job(job), m_text(readingRowText(job, kHoldPigeonText, row))
    {
        m_job.host.showStatus(m_text);
    }
    ~WaitingStatus() { m_job.host.showStatus(QString()); }
    WaitingStatus(const WaitingStatus&) = delete;
    WaitingStatus& operator=(const WaitingStatus&) = delete;

    void showResult(uint16_t result)
    {
        if (result == 0)
            m_job.host.showStatus(m_text);
        else
            m_job.host.showStatus(m_text + QStringLiteral(" - ") + resultStatusText(result, m_job.library.lastDevice()));
    }

private:
    JobContext& m_job;
    QString m_text;
};

ChipRead noCode(ChipRead::End end) { return ChipRead{end, QString()}; }
ChipRead gotCode(const QString& code) { return ChipRead{ChipRead::Code, code}; }

} // namespace

namespace antenna {

QString directAnswerCode(uint16_t result, int16_t length, const uint8_t* answer)
{
    if (result != 0 || length != kCodeAnswerLength)
        return QString();
    QString digits;
    for (int i = 1; i <= 8; ++i)
        digits += hexDigit((answer[i] & 0x1E) / 2);
    return digits;
}

bool isConverterDone(uint16_t result, const uint8_t* reply)
{
    return result == 0 && reply[0] == kConverterMark && reply[4] == 0;
}

QString converterAnswerCode(const uint8_t* reply)
{
    QString digits;
    for (int i = 0; i < kConverterCodeBytes; ++i) {
        const uint8_t byte = reply[kConverterCodeOffset + i];
        digits += hexDigit(byte >> 4);
        digits += hexDigit(byte);
    }
    return digits;
}

} // namespace antenna

QString readingText(const JobContext& job, int number)
{
    return jobText(job, number);
}

QString readingRowTitle(const JobContext& job, int row)
{
    return readingText(job, kRowTitleText) + QString::number(row);
}

QString readingRowText(const JobContext& job, int number, int row)
{
    const QString text = readingText(job, number);
    if (!text.contains(QLatin1String("%1")))
        return text + u' ' + QString::number(row);
    return text.arg(row);
}

DirectAntennaReading::DirectAntennaReading(JobContext& job, PigeonGridAccess& grid)
    : DirectAntennaReading(job, grid, [&job](int16_t& length, uint8_t* answer) {
          return job.library.ReadAnt(job.link.port, -1, length, answer);
      })
{
}

DirectAntennaReading::DirectAntennaReading(JobContext& job, PigeonGridAccess& grid, Reader reader)
    : m_job(job), m_grid(grid), m_reader(std::move(reader))
{
}

ChipRead DirectAntennaReading::readCode(ReadingFor)
{
    const WaitingRow waiting(m_grid, m_grid.currentRow());
    WaitingStatus status(m_job, m_grid.currentRow());
    for (;;) {
        if (linkBuffers().CancelRequested)
            return noCode(ChipRead::Cancelled);
        uint8_t answer[antenna::kAnswerSize];
        std::memset(answer, 0, sizeof answer);
        int16_t length = 0;
        const uint16_t result = m_reader(length, answer);
        m_job.host.pumpEvents();
        const QString code = antenna::directAnswerCode(result, length, answer);
        if (!code.isEmpty())
            return gotCode(code);
        if (result == resultCode(LinkResult::PortFault)) {
            status.showResult(result);
            m_job.host.pause(kPortFaultPauseMs);
        }
    }
}

ConverterAntennaReading::ConverterAntennaReading(JobContext& job, PigeonGridAccess& grid)
    : m_job(job), m_grid(grid)
{
}

bool ConverterAntennaReading::converterAnswers()
{
    LinkBuffers& b = linkBuffers();
    FrameAntennaA0();
    b.clearReply(LinkBuffers::kReplySize);
    const uint16_t result = m_job.library.WinSerial(m_job.link.port, m_job.link.lineMode,
                                                    antenna::kConverterCheckTimeoutMs, b.SendFrame,
                                                    b.ReplyFrame, LinkBuffers::kReplySize);
    return antenna::isConverterDone(result, b.ReplyFrame);
}

uint16_t ConverterAntennaReading::askForChip()
{
    LinkBuffers& b = linkBuffers();
    FrameAntennaB7();
    // A cleared reply cannot pass for an answer when the call brought none.
    b.clearReply(LinkBuffers::kReplySize);
    return m_job.library.WinSerial(m_job.link.port, antenna::kChipRequestLineMode,
                                   antenna::kConverterChipTimeoutMs, b.SendFrame, b.ReplyFrame,
                                   LinkBuffers::kReplySize);
}

ChipRead ConverterAntennaReading::readCode(ReadingFor purpose)
{
    const int row = m_grid.currentRow();
    if (!converterAnswers()) {
        m_job.host.warn(readingText(m_job, kConverterMissingText), readingRowTitle(m_job, row));
        return noCode(ChipRead::AntennaMissing);
    }
    if (purpose == ReadingFor::SingleBand && !m_grid.chipCode(row).isEmpty()
        && !m_job.host.ask(readingText(m_job, kAlreadyHasChipCodeText) + QStringLiteral(" ?"),
                           readingRowTitle(m_job, row)))
        return noCode(ChipRead::Declined);

    LinkBuffers& b = linkBuffers();
    b.CancelRequested = false;
    WaitingStatus status(m_job, row);
    for (;;) {
        if (b.CancelRequested)
            return noCode(ChipRead::Cancelled);
        uint16_t result;
        {
            const WaitingRow waiting(m_grid, row);
            result = askForChip();
        }
        status.showResult(result);
        m_job.host.pumpEvents();
        // Status 0 alone is not enough: a failed call or a stray answer
        // would otherwise deliver whatever bytes 7..11 happen to hold.
        if (antenna::isConverterDone(result, b.ReplyFrame))
            break;
    }
    m_job.host.beep();
    return gotCode(antenna::converterAnswerCode(b.ReplyFrame));
}

std::unique_ptr<AntennaReading> makeAntennaReading(JobContext& job, PigeonGridAccess& grid)
{
    if (job.link.converter)
        return std::make_unique<ConverterAntennaReading>(job, grid);
    return std::make_unique<DirectAntennaReading>(job, grid);
}

} // namespace durvek
