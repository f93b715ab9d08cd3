#include "SqlScript.h"
#include <QSqlError>
#include <QSqlQuery>

namespace durvek {

namespace {

// Walks a script character by character, remembering just enough of the
// statement so far to know whether a semicolon ends it.
class ScriptSplitter {
public:
    explicit ScriptSplitter(const QString& script) : m_script(script) {}

    QList<SqlStatement> split()
    {
        const qsizetype n = m_script.size();
        qsizetype i = 0;
        while (i < n) {
            const QChar c = m_script.at(i);
            if (c == u'-' && peek(i + 1) == u'-') {
                i = skipUntil(i + 2, QStringLiteral("\n"), false);
            } else if (c == u'/' && peek(i + 1) == u'*') {
                i = skipUntil(i + 2, QStringLiteral("*/"), false);
            } else if (c == u'\'' || c == u'"' || c == u'`') {
                i = skipQuoted(i, c);
            } else if (c == u'[') {
                i = skipUntil(i + 1, QStringLiteral("]"), true);
            } else if (isWordChar(c)) {
                i = readWord(i);
            } else if (c == u';' && semicolonEndsStatement()) {
                finishStatement(i + 1);
                ++i;
            } else {
                ++i;
            }
        }
        finishStatement(n);
        return m_statements;
    }

private:
    QChar peek(qsizetype i) const { return i < m_script.size() ? m_script.at(i) : QChar(); }

    static bool isWordChar(QChar c) { return c.isLetterOrNumber() || c == u'_'; }

    // Position after the terminator; the whole rest when it never comes.
    // Words inside brackets count as words ([END] is not a keyword, but a name
    // is a token all the same).
    qsizetype skipUntil(qsizetype from, const QString& terminator, bool isToken)
    {
        const qsizetype end = m_script.indexOf(terminator, from);
        if (isToken)
            noteWord(QString());
        return end < 0 ? m_script.size() : end + terminator.size();
    }

    // A doubled quote inside quotes stands for the quote itself.
    qsizetype skipQuoted(qsizetype i, QChar quote)
    {
        const qsizetype n = m_script.size();
        for (qsizetype j = i + 1; j < n; ++j) {
            if (m_script.at(j) != quote)
                continue;
            if (peek(j + 1) == quote) {
                ++j;
                continue;
            }
            noteWord(QString());
            return j + 1;
        }
        noteWord(QString());
        return n;
    }

    qsizetype readWord(qsizetype i)
    {
        qsizetype j = i;
        while (j < m_script.size() && isWordChar(m_script.at(j)))
            ++j;
        noteWord(m_script.mid(i, j - i).toUpper());
        return j;
    }

    void noteWord(const QString& word)
    {
        if (m_leadingWords.size() < 3)
            m_leadingWords.append(word);
        m_lastWord = word;
    }

    bool isTrigger() const
    {
        if (m_leadingWords.value(0) != QLatin1String("CREATE"))
            return false;
        const QString second = m_leadingWords.value(1);
        if (second == QLatin1String("TRIGGER"))
            return true;
        return (second == QLatin1String("TEMP") || second == QLatin1String("TEMPORARY"))
            && m_leadingWords.value(2) == QLatin1String("TRIGGER");
    }

    // Inside a trigger the body's own statements end in semicolons too; only
    // the one after the closing END ends the CREATE TRIGGER.
    bool semicolonEndsStatement() const
    {
        return !isTrigger() || m_lastWord == QLatin1String("END");
    }

    void finishStatement(qsizetype end)
    {
        const QString text = m_script.mid(m_start, end - m_start).trimmed();
        if (!m_leadingWords.isEmpty() && !text.isEmpty() && text != QLatin1String(";"))
            m_statements.append({text, lineOf(m_start, text)});
        m_start = end;
        m_leadingWords.clear();
        m_lastWord.clear();
    }

    // Line of the statement's first non-blank character.
    int lineOf(qsizetype from, const QString& text) const
    {
        const qsizetype first = m_script.indexOf(text.left(1), from);
        return int(m_script.left(first < 0 ? from : first).count(u'\n')) + 1;
    }

    const QString& m_script;
    QList<SqlStatement> m_statements;
    QStringList m_leadingWords;
    QString m_lastWord;
    qsizetype m_start = 0;
};

} // namespace

QList<SqlStatement> splitSqlScript(const QString& script)
{
    return ScriptSplitter(script).split();
}

void runSqlScript(QSqlDatabase& db, const QString& script)
{
    const QList<SqlStatement> statements = splitSqlScript(script);
    if (!db.transaction())
        throw SqlScriptError("cannot start a transaction: " + db.lastError().text().toStdString());
    QSqlQuery query(db);
    for (const SqlStatement& statement : statements) {
        if (query.exec(statement.text))
            continue;
        const QString message = QStringLiteral("statement at line %1 failed: %2")
                                    .arg(statement.line)
                                    .arg(query.lastError().text());
        query.finish();
        db.rollback();
        throw SqlScriptError(message.toStdString());
    }
    query.finish();
    if (!db.commit())
        throw SqlScriptError("cannot commit: " + db.lastError().text().toStdString());
}

} // namespace durvek
