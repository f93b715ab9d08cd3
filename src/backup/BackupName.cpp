#include "backup/BackupName.h"
#include "common/StrictNumber.h"
#include <QRegularExpression>

namespace durvek {

namespace {

const QString kDateTimeFormat = QStringLiteral("yyyy-MM-dd HHmmss");

} // namespace

QString BackupName::fileName() const
{
    QString name = base + u' ' + made.toString(kDateTimeFormat) + u' ' + reasonWord;
    if (sequence > 1)
        name += u' ' + QString::number(sequence);
    return name + QStringLiteral(".db");
}

bool BackupName::isNewerThan(const BackupName& other) const
{
    if (made != other.made)
        return made > other.made;
    return sequence > other.sequence;
}

std::optional<BackupName> parseBackupName(const QString& fileName)
{
    static const QRegularExpression pattern(
        QStringLiteral("^(.+) (\\d{4}-\\d{2}-\\d{2} \\d{6}) ([a-z]+)(?: (\\d{1,4}))?\\.db$"));
    const QRegularExpressionMatch match = pattern.match(fileName);
    if (!match.hasMatch())
        return std::nullopt;
    BackupName name;
    name.base = match.captured(1);
    name.made = QDateTime::fromString(match.captured(2), kDateTimeFormat);
    if (!name.made.isValid())
        return std::nullopt;
    name.reasonWord = match.captured(3);
    if (match.hasCaptured(4)) {
        const StrictNumber sequence = ReadStrictNumber(match.captured(4), 2, 9999);
        if (!sequence)
            return std::nullopt;
        name.sequence = int(sequence.value);
    }
    return name;
}

} // namespace durvek
