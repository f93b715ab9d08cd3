#pragma once
#include "languages/ClockText.h"
#include <QList>
#include <QSqlDatabase>
#include <QString>

namespace durvek {

// How a "Generate" ended; the window shows error for the failures.
struct ExportResult {
    enum Outcome {
        Written,         // filePath holds the whole table
        NothingAsked,    // the field or the file name box is empty: nothing is done
        NoTexts,         // the language table has no rows: no file is written
        BadFileName,     // the name holds a folder separator or a character no file name may hold
        CannotWrite,     // the folder or the file cannot be made or written; an older file stays as it was
        NotInCodePage,   // a text holds a character the clocks cannot show: no file is written
        DatabaseFailed,  // the table cannot be read
    };
    Outcome outcome = NothingAsked;
    QString filePath;
    QString error;

    bool written() const { return outcome == Written; }
};

// The folder the tables go to unless the window is given another: "uk" in
// the user's documents folder.
QString defaultExportFolder();

// The file name the name box stands for: its content trimmed of spaces and
// ".txt"; "" when nothing is left.
QString exportFileName(const QString& fileNameBox);

// Writes the clock texts of the language table as the firmware's string
// table (see firmwareStringTable) into a text file of the export folder.
class LanguageExport {
public:
    explicit LanguageExport(QString folder = defaultExportFolder());

    QString folder() const { return m_folder; }

    // "Generate": fieldBox must not be empty (its content is not used;
    // the exported column is always the same), fileNameBox names the file.
    ExportResult generate(const QSqlDatabase& db, const QString& fieldBox, const QString& fileNameBox) const;

    // The same with the texts already read.
    ExportResult write(const QList<ClockText>& texts, const QString& fieldBox, const QString& fileNameBox) const;

private:
    QString m_folder;
};

} // namespace durvek
