#include "common/CsvWriter.h"

namespace durvek {

QString CsvWriter::field(const QString& value)
{
    const bool needsQuotes = value.contains(u',') || value.contains(u'"') || value.contains(u'\n')
        || value.contains(u'\r') || value != value.trimmed();
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
