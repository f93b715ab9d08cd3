#include "clocklink/ClockModel.h"

namespace durvek {

namespace {

constexpr int kShortRecordBytes = 22;
constexpr int kLongRecordBytes = 29;

const std::array<ClockModel, 4> kModels{{
    {ClockModelIndex::Omnexa, "Omnexa", PigeonRecordLayout::Short, ReadJobKind::SingleBlock, false},
    {ClockModelIndex::Zefira, "Zefira", PigeonRecordLayout::Long, ReadJobKind::MultiBlock, true},
    {ClockModelIndex::LittleDurvek, "Little Durvek", PigeonRecordLayout::Short, ReadJobKind::None, false},
    {ClockModelIndex::Korvat, "Korvat", PigeonRecordLayout::Short, ReadJobKind::None, false},
}};

} // namespace

int ClockModel::recordDataBytes() const
{
    return recordLayout == PigeonRecordLayout::Long ? kLongRecordBytes : kShortRecordBytes;
}

int ClockModel::recordFrameLength() const { return recordDataBytes() + 2; }

const std::array<ClockModel, 4>& clockModels() { return kModels; }

const ClockModel& clockModel(int protocol)
{
    if (protocol < 0 || protocol >= int(kModels.size()))
        return kModels[0];
    return kModels[size_t(protocol)];
}

const ClockModel& clockModel(ClockModelIndex index) { return clockModel(int(index)); }

} // namespace durvek
