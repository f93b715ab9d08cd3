#include "clubdata/CsvImport.h"
#include "common/ValueHelpers.h"
#include "database/FieldWidths.h"

namespace durvek {

namespace {

constexpr int kTooLongText = 283;

} // namespace

CsvImport::CsvImport(const QSqlDatabase& db, const TextLookup& text, const QString& table)
    : m_db(db)
    , m_text(text)
    , m_table(table)
{
}

void CsvImport::checkLines(const QByteArray& bytes, const QList<CsvColumn>& columns)
{
    const CsvList list(bytes, columns, m_text);
    m_fault = list.fault();
    if (!m_fault.isEmpty())
        return;
    m_widths = textFieldWidths(m_db, m_table);
    for (const CsvRecord& record : list.records())
        m_lines.append(checkLine(list, record));
}

std::optional<QString> CsvImport::tooLong(const QString& value, const QString& field, int caption) const
{
    const int width = m_widths.value(field.toLower(), -1);
    if (width < 0 || value.size() <= width)
        return std::nullopt;
    return m_text(kTooLongText).arg(m_text(caption)).arg(width);
}

QString cleanedCsvField(const QString& field)
{
    QString value = field;
    value.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    value.replace(u'\r', u' ');
    return StripControlChars(value.replace(u'\n', u' ')).trimmed();
}

CsvImportLine acceptedLine(int line, const QString& subject, bool stored, const QStringList& changedCaptions)
{
    CsvImportLine result {line, subject, CsvImportLine::Verdict::Added, QString()};
    if (stored) {
        result.verdict = changedCaptions.isEmpty() ? CsvImportLine::Verdict::Unchanged
                                                   : CsvImportLine::Verdict::Changed;
        result.detail = changedCaptions.join(QStringLiteral(", "));
    }
    return result;
}

CsvImportLine refusedLine(int line, const QString& subject, const QString& reason)
{
    return {line, subject, CsvImportLine::Verdict::Refused, reason};
}

} // namespace durvek
