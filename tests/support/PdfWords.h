#pragma once
// The words of a printed PDF with their places in millimetres,
// as poppler's pdftotext -bbox lays them out.
#include <QList>
#include <QRectF>
#include <QString>
#include <QStringList>

namespace durvek::testing {

struct PdfWord {
    int page = 0;  // 1 on the first page
    QRectF mm;     // from the page's top left
    QString text;
};

class PdfWords {
public:
    // Empty when pdftotext is missing or fails.
    static PdfWords read(const QString& pdfPath);
    static bool toolAvailable();

    const QList<PdfWord>& all() const { return m_words; }
    int pageCount() const { return m_pages; }

    // The words whose top lies within 0.3 mm of y on the page, left to right.
    QList<PdfWord> lineAt(int page, double y) const;
    // The words of lineAt joined by single spaces.
    QString textAt(int page, double y) const;
    // The first word with this text, or a word with an empty text.
    PdfWord find(const QString& text, int page = 0) const;
    bool contains(const QString& text) const { return !find(text).text.isEmpty(); }
    int wordsOnPage(int page) const;

    // One line per word, "page top left text", millimetres to one decimal,
    // in reading order: what the golden files hold.
    QStringList layoutLines() const;

private:
    QList<PdfWord> m_words;
    int m_pages = 0;
};

// Compares layout lines: the same words on the same pages, places within
// tolerance millimetres. Empty when they agree, else the first difference.
QString compareLayout(const QStringList& expected, const QStringList& actual, double tolerance);

} // namespace durvek::testing
