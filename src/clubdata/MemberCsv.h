#pragma once
#include "clubdata/CsvImport.h"
#include "fanciers/FancierRecord.h"
#include <QSet>

namespace durvek {

// Every fancier of the club, active or not, in sort order, as CSV (UTF-8,
// RFC 4180) with the header "Licence,Name,Adress,Zip,City,District,
// Telephone,Fax,E-Mail,Latitude,Longitude"; coordinates as stored.
// Throws DatabaseError.
QByteArray membersCsv(const QSqlDatabase& db);

// A member list to import, checked as the fancier window checks what is
// typed: a licence of 8 digits and "-", a name, coordinates it can read,
// texts that fit their fields. A line is matched to a fancier by licence;
// columns the list lacks leave the fancier's fields as they are.
class MemberImport : public CsvImport {
public:
    // Throws DatabaseError.
    MemberImport(const QSqlDatabase& db, const QByteArray& bytes, const TextLookup& text);

    // A stored member is active.
    int store() const override;

private:
    CsvImportLine checkLine(const CsvList& list, const CsvRecord& record) override;
    // The line's fields over the stored ones, with the captions of those
    // that change: the reason one is wrong, else empty.
    QString takeFields(const CsvList& list, const CsvRecord& record, FancierRecord& member,
                       QStringList& changed) const;

    QSet<QString> m_seenLicences;
    QList<FancierRecord> m_accepted;
};

} // namespace durvek
