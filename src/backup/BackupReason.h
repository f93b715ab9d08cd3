#pragma once
#include <QString>
#include <optional>

namespace durvek {

// Why a backup was made. The word goes into the file name, so it must stay
// the same from one version to the next: backups already on disk are listed
// by it.
enum class BackupReason { Start, ReadClock, Receive, Import, FancierDelete, Restore, Manual };

QString backupReasonWord(BackupReason reason);
std::optional<BackupReason> backupReasonFromWord(const QString& word);

// The catalogue text that names the reason in the restore list.
int backupReasonTextNumber(BackupReason reason);

} // namespace durvek
