#include "common/CsvWriter.h"

namespace durvek {

namespace {

constexpr QChar kByteOrderMarkCharacter = QChar(0xFEFF);

} // namespace

QString CsvWriter::field(const QString& value)
{
    // A semicolon is quoted as well, so that a reader that takes the
    // separator from the first line never mistakes it for one. A byte order
    // mark character in front would, as the first field of a file, be taken
    // for the file's mark and dropped.
    const bool needsQuotes = value.contains(u',') || value.contains(u';') || value.contains(u'"')
        || value.contains(u'\n') || value.contains(u'\r') || value != value.trimmed()
        || value.startsWith(kByteOrderMarkCharacter);
    if (!needsQuotes)
        return value;
    QString quoted = value;
    quoted.replace(u'"', QStringLiteral("\"\""));
    return u'"' + quoted + u'"';
}

void CsvWriter::addRecord(const QStringList& fields)
{
    QStringList written;
    written.reserve(fields.size());
    for (const QString& value : fields)
        written.append(field(value));
    m_text += written.join(u',') + QStringLiteral("\r\n");
}

} // namespace durvek
