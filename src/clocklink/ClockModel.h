#pragma once
#include "common/ClubSettings.h"
#include <QString>
#include <array>

namespace durvek {

enum class PigeonRecordLayout { Short, Long };
enum class ReadJobKind { SingleBlock, MultiBlock, None };

// What sets the four clock models apart. A model is one row of the table in
// ClockModel.cpp; jobs ask the row instead of testing model numbers.
struct ClockModel {
    ClockModelIndex index;
    const char* name;
    PigeonRecordLayout recordLayout;
    ReadJobKind readJob;
    bool fanciersPerClockSetup; // may be told to hold 2 or 3 fanciers

    // Data bytes of one pigeon record and the n of its write frame (2 more).
    int recordDataBytes() const;
    int recordFrameLength() const;
};

const std::array<ClockModel, 4>& clockModels();

// The row of a settings protocol number; a number outside the table gives
// the first model, as a fresh settings row does.
const ClockModel& clockModel(int protocol);
const ClockModel& clockModel(ClockModelIndex index);

} // namespace durvek
