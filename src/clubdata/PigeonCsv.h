#pragma once
#include "clubdata/CsvImport.h"
#include "database/FancierRevision.h"
#include <QSet>
#include <cstdint>

namespace durvek {

// Every pigeon of the club that is not marked for deletion, by fancier in
// sort order and then by pigeon number, as CSV (UTF-8, RFC 4180) with the
// header "Licence,Country,Year,Band,Sex,Color,Chip code": the owner's
// licence, the federation band (a band stored right-aligned keeps its
// leading blanks), "F" for a hen, the chip code. Throws DatabaseError.
QByteArray pigeonsCsv(const QSqlDatabase& db);

// A pigeon list to import, checked line by line: the owner must be a club
// fancier (by licence), the year two digits (four are cut to two), a chip
// code 8 hexadecimal digits that no other pigeon holds. A line is matched to
// the owner's pigeon with the same federation band; columns the list lacks
// leave that pigeon's fields as they are.
class PigeonImport : public CsvImport {
public:
    // Throws DatabaseError.
    PigeonImport(const QSqlDatabase& db, const QByteArray& bytes, const TextLookup& text);

    // New pigeons get the next pigeon numbers. Throws FancierChangedElsewhere,
    // and stores nothing, when another PC stored one of the lines' fanciers
    // after the list was checked.
    int store() const override;

    // A pigeon as a line would store it.
    struct Pigeon {
        qint64 rowid = 0; // the stored pigeon it changes, 0 for a new one
        int32_t fancier = 0;
        QString country;
        QString year;
        QString band;
        QString sex;
        QString color;
        QString elcode;
    };

private:
    CsvImportLine checkLine(const CsvList& list, const CsvRecord& record) override;
    // Owner, year and band, which find the pigeon: the reason one is wrong,
    // empty when they are right (the pigeon then has its owner and year).
    QString bandFault(Pigeon& pigeon, const QString& licence, const QString& typedYear) const;
    // The owner's stored pigeon with that band, its fields taken into pigeon;
    // false when there is none.
    bool readStored(Pigeon& pigeon) const;
    // Sex, colour and chip code from the line over the stored ones, with the
    // captions of those that change: the reason one is wrong, else empty.
    QString takeFields(const CsvList& list, const CsvRecord& record, Pigeon& pigeon, QStringList& changed) const;
    // Why the chip code may not go to this pigeon, empty when it may.
    QString chipCodeTaken(const Pigeon& pigeon, const QString& key) const;

    QList<Pigeon> m_accepted;
    QSet<QString> m_seenBands;
    // Chip codes of the lines accepted so far: the owner and the band.
    QHash<QString, std::pair<int32_t, QString>> m_chipsInList;
    // The revision of each fancier of the accepted lines when checked.
    FancierRevisions m_revisions;
};

} // namespace durvek
