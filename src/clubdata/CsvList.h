#pragma once
#include "clocklink/LinkResult.h"
#include "common/CsvReader.h"
#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace durvek {

// A column of a member or pigeon list: the header the export writes, the
// other headers federations and other programs use for it, the catalogue
// caption that names it to the user, and whether a list without it is
// refused.
struct CsvColumn {
    QString header;
    QStringList otherHeaders;
    int caption = 0;
    bool required = false;
};

// A member or pigeon list read from CSV, its columns found by their headers
// (letter case, blanks, "-", "_" and "." ignored), in any order; columns it
// does not know are passed over.
class CsvList {
public:
    // text gives the catalogue texts of the faults; it must be set.
    CsvList(const QByteArray& bytes, const QList<CsvColumn>& columns, const TextLookup& text);

    // Why nothing of the file can be used (not UTF-8, a quote left open, a
    // required column missing); empty when the records can be read.
    const QString& fault() const { return m_fault; }
    // The records after the header line.
    const QList<CsvRecord>& records() const { return m_records; }

    bool has(int column) const { return m_places.value(column, -1) >= 0; }
    // The record's field of that column, "" when the list has no such column
    // or the record stops short of it.
    QString value(const CsvRecord& record, int column) const;

    // The header the export writes for every column, in column order.
    static QStringList headers(const QList<CsvColumn>& columns);

private:
    QString m_fault;
    QList<CsvRecord> m_records;
    QList<int> m_places;
};

} // namespace durvek
