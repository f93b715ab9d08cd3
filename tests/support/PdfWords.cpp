#include "PdfWords.h"
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <algorithm>

namespace durvek::testing {

namespace {

constexpr double kPointsPerMm = 72.0 / 25.4;
constexpr double kSameLine = 0.3;

bool readingOrder(const PdfWord& a, const PdfWord& b)
{
    if (a.page != b.page)
        return a.page < b.page;
    if (qAbs(a.mm.top() - b.mm.top()) > kSameLine)
        return a.mm.top() < b.mm.top();
    return a.mm.left() < b.mm.left();
}

struct LayoutLine {
    int page = 0;
    double top = 0;
    double left = 0;
    QString text;
    bool valid = false;
};

LayoutLine parseLine(const QString& line)
{
    LayoutLine parsed;
    const QStringList parts = line.split(u' ');
    if (parts.size() < 4)
        return parsed;
    parsed.page = parts[0].toInt();
    parsed.top = parts[1].toDouble();
    parsed.left = parts[2].toDouble();
    parsed.text = parts.mid(3).join(u' ');
    parsed.valid = true;
    return parsed;
}

// pdftotext writes the words as XHTML text; &amp; goes last so that a
// printed "&lt;" stays what it was.
QString unescaped(QString text)
{
    text.replace(QStringLiteral("&lt;"), QStringLiteral("<"));
    text.replace(QStringLiteral("&gt;"), QStringLiteral(">"));
    text.replace(QStringLiteral("&quot;"), QStringLiteral("\""));
    text.replace(QStringLiteral("&apos;"), QStringLiteral("'"));
    text.replace(QStringLiteral("&amp;"), QStringLiteral("&"));
    return text;
}

} // namespace

bool PdfWords::toolAvailable()
{
    return !QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty();
}

PdfWords PdfWords::read(const QString& pdfPath)
{
    PdfWords words;
    QProcess process;
    process.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdfPath, QStringLiteral("-")});
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return words;
    const QString html = QString::fromUtf8(process.readAllStandardOutput());
    static const QRegularExpression pageOrWord(QStringLiteral(
        R"re(<page |<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re"));
    for (const QRegularExpressionMatch& m : pageOrWord.globalMatch(html)) {
        if (m.captured(0).startsWith(QStringLiteral("<page"))) {
            ++words.m_pages;
            continue;
        }
        PdfWord word;
        word.page = words.m_pages;
        word.mm = QRectF(QPointF(m.captured(1).toDouble() / kPointsPerMm, m.captured(2).toDouble() / kPointsPerMm),
                         QPointF(m.captured(3).toDouble() / kPointsPerMm, m.captured(4).toDouble() / kPointsPerMm));
        word.text = unescaped(m.captured(5));
        words.m_words.append(word);
    }
    std::stable_sort(words.m_words.begin(), words.m_words.end(), readingOrder);
    return words;
}

QList<PdfWord> PdfWords::lineAt(int page, double y) const
{
    QList<PdfWord> line;
    for (const PdfWord& word : m_words) {
        if (word.page == page && qAbs(word.mm.top() - y) <= kSameLine)
            line.append(word);
    }
    return line;
}

QString PdfWords::textAt(int page, double y) const
{
    QStringList texts;
    for (const PdfWord& word : lineAt(page, y))
        texts.append(word.text);
    return texts.join(u' ');
}

PdfWord PdfWords::find(const QString& text, int page) const
{
    for (const PdfWord& word : m_words) {
        if (word.text == text && (page == 0 || word.page == page))
            return word;
    }
    return PdfWord();
}

int PdfWords::wordsOnPage(int page) const
{
    return int(std::count_if(m_words.begin(), m_words.end(), [page](const PdfWord& word) { return word.page == page; }));
}

QStringList PdfWords::layoutLines() const
{
    QStringList lines;
    for (const PdfWord& word : m_words) {
        lines.append(QStringLiteral("%1 %2 %3 %4")
                         .arg(word.page)
                         .arg(word.mm.top(), 0, 'f', 1)
                         .arg(word.mm.left(), 0, 'f', 1)
                         .arg(word.text));
    }
    return lines;
}

QString compareLayout(const QStringList& expected, const QStringList& actual, double tolerance)
{
    for (int i = 0; i < qMax(expected.size(), actual.size()); ++i) {
        const QString want = expected.value(i);
        const QString got = actual.value(i);
        const LayoutLine a = parseLine(want);
        const LayoutLine b = parseLine(got);
        const bool same = a.valid && b.valid && a.page == b.page && a.text == b.text
            && qAbs(a.top - b.top) <= tolerance && qAbs(a.left - b.left) <= tolerance;
        if (!same)
            return QStringLiteral("word %1: expected \"%2\", printed \"%3\"").arg(i + 1).arg(want, got);
    }
    return QString();
}

} // namespace durvek::testing
