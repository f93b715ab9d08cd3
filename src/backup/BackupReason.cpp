#include "backup/BackupReason.h"
#include <array>

namespace durvek {

namespace {

struct ReasonRow {
    BackupReason reason;
    const char* word;
    int textNumber;
};

// Receive from the clock is "Read Clock" in the club data window too.
constexpr std::array<ReasonRow, 7> kReasons = {{
    {BackupReason::Start, "start", 262},
    {BackupReason::ReadClock, "readclock", 49},
    {BackupReason::Receive, "receive", 49},
    {BackupReason::Import, "import", 99},
    {BackupReason::FancierDelete, "delete", 21},
    {BackupReason::Restore, "restore", 263},
    {BackupReason::Manual, "manual", 264},
}};

const ReasonRow& rowOf(BackupReason reason)
{
    for (const ReasonRow& row : kReasons) {
        if (row.reason == reason)
            return row;
    }
    return kReasons.front();
}

} // namespace

QString backupReasonWord(BackupReason reason)
{
    return QString::fromLatin1(rowOf(reason).word);
}

std::optional<BackupReason> backupReasonFromWord(const QString& word)
{
    for (const ReasonRow& row : kReasons) {
        if (word == QLatin1String(row.word))
            return row.reason;
    }
    return std::nullopt;
}

int backupReasonTextNumber(BackupReason reason)
{
    return rowOf(reason).textNumber;
}

} // namespace durvek
