#include "clocklink/ClockModel.h"
#include <algorithm>

namespace durvek {

namespace {

constexpr int kShortRecordBytes = 22;
constexpr int kLongRecordBytes = 29;

std::deque<ClockModel>& table()
{
    static std::deque<ClockModel> models{
        {ClockModelIndex::Omnexa, "Omnexa", PigeonRecordLayout::Short, ReadJobKind::SingleBlock, false},
        {ClockModelIndex::Zefira, "Zefira", PigeonRecordLayout::Long, ReadJobKind::MultiBlock, true},
        {ClockModelIndex::LittleDurvek, "Little Durvek", PigeonRecordLayout::Short, ReadJobKind::None, false},
        {ClockModelIndex::Korvat, "Korvat", PigeonRecordLayout::Short, ReadJobKind::None, false},
    };
    return models;
}

const ClockModel* findModel(int protocol)
{
    const std::deque<ClockModel>& models = table();
    const auto row = std::find_if(models.begin(), models.end(),
                                  [protocol](const ClockModel& m) { return m.protocol() == protocol; });
    return row == models.end() ? nullptr : &*row;
}

} // namespace

int ClockModel::recordDataBytes() const
{
    return recordLayout == PigeonRecordLayout::Long ? kLongRecordBytes : kShortRecordBytes;
}

int ClockModel::recordFrameLength() const { return recordDataBytes() + 2; }

const std::deque<ClockModel>& clockModels() { return table(); }

const ClockModel& clockModel(int protocol)
{
    const ClockModel* model = findModel(protocol);
    return model ? *model : table().front();
}

const ClockModel& clockModel(ClockModelIndex index) { return clockModel(int(index)); }

ExtraClockModel::ExtraClockModel(const ClockModel& model) { table().push_back(model); }

ExtraClockModel::~ExtraClockModel() { table().pop_back(); }

} // namespace durvek
