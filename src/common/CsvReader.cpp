#include "common/CsvReader.h"
#include <QStringDecoder>

namespace durvek {

namespace {

const QByteArray kByteOrderMark = QByteArrayLiteral("\xEF\xBB\xBF");

bool isLineBreak(QChar c) { return c == u'\r' || c == u'\n'; }

// The state machine of RFC 4180, one character at a time.
class CsvParser {
public:
    CsvParser(QStringView text, QChar separator, CsvTable& table)
        : m_text(text), m_separator(separator), m_table(table)
    {
    }

    void run()
    {
        for (m_at = 0; m_at < m_text.size(); ++m_at)
            take(m_text[m_at]);
        if (m_state == State::Quoted) {
            m_table.fault = CsvTable::Fault::OpenQuote;
            m_table.faultLine = m_quoteLine;
            m_table.records.clear();
            return;
        }
        if (m_inRecord)
            endRecord();
    }

private:
    enum class State { FieldStart, Unquoted, Quoted, QuoteInQuoted };

    void take(QChar c)
    {
        if (!m_inRecord) {
            m_inRecord = true;
            m_recordLine = m_line;
        }
        switch (m_state) {
        case State::FieldStart:
            if (c == u'"') {
                m_state = State::Quoted;
                m_quoteLine = m_line;
            } else {
                unquoted(c);
            }
            break;
        case State::Unquoted:
            unquoted(c);
            break;
        case State::Quoted:
            if (c == u'"')
                m_state = State::QuoteInQuoted;
            else
                keepInField(c);
            break;
        case State::QuoteInQuoted:
            if (c == u'"') {
                m_field += c;
                m_state = State::Quoted;
            } else {
                unquoted(c);
            }
            break;
        }
    }

    // A character outside quotes: it ends the field or the record, or belongs
    // to the field.
    void unquoted(QChar c)
    {
        if (c == m_separator) {
            endField();
        } else if (isLineBreak(c)) {
            skipLineFeedAfter(c);
            ++m_line;
            endRecord();
        } else {
            m_field += c;
            m_state = State::Unquoted;
        }
    }

    // Inside quotes a line break is part of the value, as written.
    void keepInField(QChar c)
    {
        m_field += c;
        if (!isLineBreak(c))
            return;
        if (c == u'\r' && m_at + 1 < m_text.size() && m_text[m_at + 1] == u'\n')
            m_field += m_text[++m_at];
        ++m_line;
    }

    void skipLineFeedAfter(QChar c)
    {
        if (c == u'\r' && m_at + 1 < m_text.size() && m_text[m_at + 1] == u'\n')
            ++m_at;
    }

    void endField()
    {
        m_fields.append(m_field);
        m_field.clear();
        m_state = State::FieldStart;
    }

    void endRecord()
    {
        endField();
        const bool blank = m_fields.size() == 1 && m_fields.front().trimmed().isEmpty();
        if (!blank)
            m_table.records.append({m_recordLine, m_fields});
        m_fields.clear();
        m_inRecord = false;
    }

    QStringView m_text;
    QChar m_separator;
    CsvTable& m_table;
    qsizetype m_at = 0;
    State m_state = State::FieldStart;
    QString m_field;
    QStringList m_fields;
    bool m_inRecord = false;
    int m_line = 1;
    int m_recordLine = 1;
    int m_quoteLine = 1;
};

} // namespace

QChar CsvReader::separatorOf(QStringView text)
{
    int commas = 0;
    int semicolons = 0;
    bool quoted = false;
    bool lineHasText = false; // blank lines before the header are passed over, as the records skip them
    for (const QChar c : text) {
        if (isLineBreak(c) && !quoted) {
            if (lineHasText)
                break;
            continue;
        }
        lineHasText = lineHasText || !c.isSpace();
        if (c == u'"')
            quoted = !quoted;
        else if (quoted)
            continue;
        else if (c == u',')
            ++commas;
        else if (c == u';')
            ++semicolons;
    }
    return semicolons > commas ? u';' : u',';
}

CsvTable CsvReader::read(const QByteArray& bytes)
{
    CsvTable table;
    const QByteArray body = bytes.startsWith(kByteOrderMark) ? bytes.mid(kByteOrderMark.size()) : bytes;
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = decoder.decode(body);
    if (decoder.hasError()) {
        table.fault = CsvTable::Fault::NotUtf8;
        return table;
    }
    table.separator = separatorOf(text);
    CsvParser(text, table.separator, table).run();
    return table;
}

} // namespace durvek
