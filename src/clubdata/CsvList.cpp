#include "clubdata/CsvList.h"

namespace durvek {

namespace {

constexpr int kNotUtf8Text = 287;
constexpr int kOpenQuoteText = 288;
constexpr int kMissingColumnText = 286;

QString comparable(const QString& header)
{
    QString name = header.trimmed().toLower();
    name.remove(u' ');
    name.remove(u'-');
    name.remove(u'_');
    name.remove(u'.');
    return name;
}

// The export's own header first, then the others in their order: a pigeon
// list with both a "Licence" and a "Fancier" column takes the licence from
// the first.
int placeOf(const QStringList& header, const CsvColumn& column)
{
    for (const QString& name : QStringList {column.header} + column.otherHeaders) {
        for (qsizetype i = 0; i < header.size(); ++i) {
            if (comparable(header[i]) == comparable(name))
                return int(i);
        }
    }
    return -1;
}

} // namespace

CsvList::CsvList(const QByteArray& bytes, const QList<CsvColumn>& columns, const TextLookup& text)
{
    const CsvTable table = CsvReader::read(bytes);
    if (table.fault == CsvTable::Fault::NotUtf8) {
        m_fault = text(kNotUtf8Text);
        return;
    }
    if (table.fault == CsvTable::Fault::OpenQuote) {
        m_fault = text(kOpenQuoteText).arg(table.faultLine);
        return;
    }
    const QStringList header = table.records.isEmpty() ? QStringList() : table.records.front().fields;
    for (const CsvColumn& column : columns) {
        m_places.append(placeOf(header, column));
        if (column.required && m_places.back() < 0 && m_fault.isEmpty())
            m_fault = text(kMissingColumnText).arg(column.header);
    }
    if (m_fault.isEmpty())
        m_records = table.records.mid(1);
}

QString CsvList::value(const CsvRecord& record, int column) const
{
    return record.fields.value(m_places.value(column, -1));
}

QStringList CsvList::headers(const QList<CsvColumn>& columns)
{
    QStringList names;
    for (const CsvColumn& column : columns)
        names.append(column.header);
    return names;
}

} // namespace durvek
