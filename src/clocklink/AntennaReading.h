#pragma once
#include "clocklink/JobContext.h"
#include <QString>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

namespace durvek {

class PigeonGridAccess;

// What the antenna and the converter answer, as plain conversions.
namespace antenna {

constexpr int kAnswerSize = 21;          // the direct answer buffer
constexpr int kCodeAnswerLength = 12;    // only an answer this long carries a code
constexpr uint8_t kConverterMark = 51;   // byte 0 of every converter answer
constexpr int kConverterCodeOffset = 7;  // the five code bytes of a converter answer
constexpr int kConverterCodeBytes = 5;
constexpr int kConverterCheckTimeoutMs = 500;
constexpr int kConverterChipTimeoutMs = 5000;
constexpr uint8_t kChipRequestLineMode = 1;

// The 8 digits of a direct answer (bytes 1..8, one digit each in bits 1..4),
// or an empty text when the call failed or the answer is not 12 bytes long.
QString directAnswerCode(uint16_t result, int16_t length, const uint8_t* answer);

// True when the exchange completed and the reply is a converter answer with
// status 0: the converter is there, and after a chip request bytes 7..11
// hold a chip code.
bool isConverterDone(uint16_t result, const uint8_t* reply);
// The 10 hexadecimal digits of bytes 7..11 of a converter answer.
QString converterAnswerCode(const uint8_t* reply);

} // namespace antenna

// Catalogue text by number, or the bare number when the job has no catalogue.
QString readingText(const JobContext& job, int number);
// The title of the antenna messages: text 58 followed by a row number.
QString readingRowTitle(const JobContext& job, int row);
// A catalogue text that names a grid row where it says %1 (after it when a
// translation left the %1 out).
QString readingRowText(const JobContext& job, int number, int row);

enum class ReadingFor { SingleBand, MultipleBands };

// One chip reading for the grid's current row, or why there is none. When
// there is none the user has been told why where there is anything to tell.
struct ChipRead {
    enum End { Code, Cancelled, AntennaMissing, Declined };
    End end = Cancelled;
    QString code; // 8 digits from the direct antenna, 10 from the converter

    bool hasCode() const { return end == Code; }
};

class AntennaReading {
public:
    virtual ~AntennaReading() = default;
    virtual ChipRead readCode(ReadingFor purpose) = 0;
};

// The antenna on the port itself: asks it again and again until a chip is
// in its field or the user cancels. The current row is yellow meanwhile, and
// the status line says which row's pigeon the antenna waits for.
class DirectAntennaReading : public AntennaReading {
public:
    // One ReadAnt call: sets length and fills the 21-byte answer.
    using Reader = std::function<uint16_t(int16_t& length, uint8_t* answer)>;

    DirectAntennaReading(JobContext& job, PigeonGridAccess& grid);
    DirectAntennaReading(JobContext& job, PigeonGridAccess& grid, Reader reader);

    ChipRead readCode(ReadingFor purpose) override;

private:
    JobContext& m_job;
    PigeonGridAccess& m_grid;
    Reader m_reader;
};

// The antenna behind the club converter: checks that the converter is there,
// then asks it for a chip (5 s a request) until one comes or the user
// cancels; a cancel takes effect after the request under way. The status
// line says which row's pigeon it waits for.
class ConverterAntennaReading : public AntennaReading {
public:
    ConverterAntennaReading(JobContext& job, PigeonGridAccess& grid);

    ChipRead readCode(ReadingFor purpose) override;

private:
    bool converterAnswers();
    uint16_t askForChip();

    JobContext& m_job;
    PigeonGridAccess& m_grid;
};

// The reading the settings ask for: through the converter when it is in use.
std::unique_ptr<AntennaReading> makeAntennaReading(JobContext& job, PigeonGridAccess& grid);

} // namespace durvek
