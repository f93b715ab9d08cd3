#pragma once
#include <QByteArray>
#include <QChar>
#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

namespace durvek {

// One record of a CSV file and the line of the file on which it begins, so
// that a message can point at it even when a quoted field spans lines.
struct CsvRecord {
    int line = 0;
    QStringList fields;
};

// A CSV file as read by CsvReader.
struct CsvTable {
    enum class Fault {
        None,
        NotUtf8,       // the bytes are no UTF-8 text
        OpenQuote,     // a quoted field runs to the end of the file; faultLine is where it began
    };
    Fault fault = Fault::None;
    int faultLine = 0;
    QChar separator = u',';
    QList<CsvRecord> records; // the header first; lines without any text left out

    bool ok() const { return fault == Fault::None; }
};

// Reads the comma-separated form of RFC 4180 as federations and spreadsheets
// write it: UTF-8 with or without a byte order mark; a comma or a semicolon
// between fields, whichever the first line uses more of (spreadsheets in
// countries with a decimal comma write semicolons); fields in double quotes
// may hold separators, line breaks and doubled quotes; lines end in CR LF,
// LF or CR. Outside quotes it forgives what spreadsheets write by hand: a
// quote inside an unquoted field is taken as it stands, and text after a
// closing quote is added to the field.
class CsvReader {
public:
    static CsvTable read(const QByteArray& bytes);

    // The separator the first line of text that is not blank uses: a
    // semicolon when it holds more semicolons than commas outside quotes,
    // else a comma.
    static QChar separatorOf(QStringView text);
};

} // namespace durvek
