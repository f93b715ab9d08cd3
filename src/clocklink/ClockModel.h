#pragma once
#include "common/ClubSettings.h"
#include <QString>
#include <deque>

namespace durvek {

enum class PigeonRecordLayout { Short, Long };
enum class ReadJobKind { SingleBlock, MultiBlock, None };

// What sets the clock models apart. A model is one row of the table in
// ClockModel.cpp, the one place that knows the models: the jobs, the
// settings window, the linking window and the device simulator ask the rows
// instead of testing model numbers or keeping lists of their own.
struct ClockModel {
    ClockModelIndex index;      // its number in settings.protocol; never reused
    const char* name;           // the caption of its option in the windows
    PigeonRecordLayout recordLayout;
    ReadJobKind readJob;
    bool fanciersPerClockSetup; // may be told to hold 2 or 3 fanciers

    int protocol() const { return int(index); }
    QString caption() const { return QString::fromLatin1(name); }
    // Data bytes of one pigeon record and the n of its write frame (2 more).
    int recordDataBytes() const;
    int recordFrameLength() const;
};

// Every model, in the order the windows offer them. References stay valid
// for the run.
const std::deque<ClockModel>& clockModels();

// The row of a settings protocol number; a number no row has gives the
// first model, as a fresh settings row does.
const ClockModel& clockModel(int protocol);
const ClockModel& clockModel(ClockModelIndex index);

// For tests: a further row at the end of the table while the object lives.
class ExtraClockModel {
public:
    explicit ExtraClockModel(const ClockModel& model);
    ~ExtraClockModel();
    ExtraClockModel(const ExtraClockModel&) = delete;
    ExtraClockModel& operator=(const ExtraClockModel&) = delete;
};

} // namespace durvek
