#pragma once
#include <QString>
#include <QStringList>

namespace durvek {

// Text in the comma-separated form of RFC 4180: a field holding a comma, a
// semicolon, a double quote, a line break, a leading or trailing blank or a
// leading byte order mark character is quoted, inner double quotes doubled;
// each record ends with CR LF.
class CsvWriter {
public:
    void addRecord(const QStringList& fields);
    const QString& text() const { return m_text; }
    // The text as UTF-8, the encoding spreadsheets and the federation read.
    QByteArray utf8() const { return m_text.toUtf8(); }

    static QString field(const QString& value);

private:
    QString m_text;
};

} // namespace durvek
