#pragma once
#include "clocklink/LinkResult.h"
#include "clubdata/CsvImportLine.h"
#include "clubdata/CsvList.h"
#include <QByteArray>
#include <QHash>
#include <QList>
#include <QSqlDatabase>
#include <optional>

namespace durvek {

// What the member and the pigeon import share: the list read by its header,
// each line checked against the club database in file order (so a line may
// depend on the ones before it), and the verdicts kept for the preview.
// Nothing is stored until the import's store().
class CsvImport {
public:
    virtual ~CsvImport() = default;

    // Why the file cannot be imported at all; empty when it can.
    const QString& fault() const { return m_fault; }
    const QList<CsvImportLine>& lines() const { return m_lines; }

    // Stores the added and changed lines in one transaction: all of them or,
    // on a failure, none. Returns how many were stored. Throws DatabaseError.
    virtual int store() const = 0;

protected:
    // text gives the catalogue texts of captions and reasons; it must be set.
    // Widths are those of table's fields.
    CsvImport(const QSqlDatabase& db, const TextLookup& text, const QString& table);

    // Reads the list and checks every line; called by the import's constructor.
    // Throws DatabaseError.
    void checkLines(const QByteArray& bytes, const QList<CsvColumn>& columns);
    virtual CsvImportLine checkLine(const CsvList& list, const CsvRecord& record) = 0;

    // The reason value does not fit the table's field, named by caption.
    std::optional<QString> tooLong(const QString& value, const QString& field, int caption) const;

    QSqlDatabase m_db;
    TextLookup m_text;

private:
    QString m_table;
    QString m_fault;
    QList<CsvImportLine> m_lines;
    QHash<QString, int> m_widths;
};

// A field of a list as it would be stored: line breaks within quotes become
// blanks (the program's fields hold one line), other control characters go,
// surrounding blanks too.
QString cleanedCsvField(const QString& field);

// The verdict of a line that passed every check: added without a stored
// row, unchanged when no field changed, else changed with those captions.
CsvImportLine acceptedLine(int line, const QString& subject, bool stored, const QStringList& changedCaptions);
CsvImportLine refusedLine(int line, const QString& subject, const QString& reason);

} // namespace durvek
