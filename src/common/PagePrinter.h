#pragma once
#include <QColor>
#include <QFont>
#include <QFontMetricsF>
#include <QHash>
#include <QPainter>
#include <QString>
#include <optional>

class QPagedPaintDevice;

namespace durvek {

// Places single texts at millimetre positions on a paged device (a printer
// or a PDF file), keeping a current print position as a printer does.
// Positions are measured from the top left of the printable area.
//
// The document starts with the first text printed and ends with
// endDocument() or when the PagePrinter goes away. Printer failures never
// interrupt a printout: the text is skipped and failed()/errorText() tell
// the caller afterwards.
class PagePrinter {
public:
    enum Alignment { AlignStart = 0, AlignEnd = 1, AlignCentre = 2 };

    // The device is not owned and must outlive the PagePrinter.
    explicit PagePrinter(QPagedPaintDevice* device);
    ~PagePrinter();
    PagePrinter(const PagePrinter&) = delete;
    PagePrinter& operator=(const PagePrinter&) = delete;

    // Prints text with its line top at y. Alignment 0 starts it at x, 1 ends
    // it at x, 2 centres it on x; any other value prints at the current x.
    // endLine moves the print position to the start of the next line,
    // otherwise it stays right behind the text. The colour is black unless
    // given, whatever an earlier call used.
    void PrintText(double x, double y, const QString& text, bool underline, bool bold, bool italic,
                   double size, const QString& fontName, int alignment, bool endLine,
                   const QColor& colour = QColor(Qt::black));

    // Width in millimetres of text in the font of the last text printed.
    double textWidth(const QString& text);

    // Printable area in millimetres.
    double pageWidth() const;
    double pageHeight() const;

    // 1 on the first page; 0 before anything is printed.
    int pageNumber() const { return m_pageNumber; }
    void newPage();
    // Finishes the document (the print job, or the file).
    void endDocument();

    double currentX();
    double currentY() const { return m_currentY; }

    bool failed() const { return !m_errorText.isEmpty(); }
    QString errorText() const { return m_errorText; }

    // Millimetres to device units; the painter itself is never scaled, so
    // fonts keep their true point size and metrics on the device.
    double toDeviceX(double mm) const;
    double toDeviceY(double mm) const;
    double fromDeviceX(double units) const;
    double fromDeviceY(double units) const;

private:
    bool ensureStarted();
    void applyFont(bool underline, bool bold, bool italic, double size, const QString& fontName);
    const QFontMetricsF& metrics();
    // Width in device units of text in the painter's font.
    double deviceWidth(const QString& text);

    QPagedPaintDevice* m_device;
    QPainter m_painter;
    QFont m_font;
    // The painter's font and its metrics on the device, set and measured only
    // when the font changes: a report prints thousands of cells in one font.
    bool m_fontOnPainter = false;
    struct FontRequest {
        bool underline, bold, italic;
        double size;
        QString fontName;
        bool operator==(const FontRequest&) const = default;
    };
    std::optional<FontRequest> m_lastRequest;
    std::optional<QFontMetricsF> m_metrics;
    // Widths already measured in the painter's font: a report repeats its
    // codes and dates on every row, and measuring lays the text out again.
    QHash<QString, double> m_widths;
    double m_currentX = 0.0;
    // The text printed last at m_currentX, when nobody has asked yet how far
    // it reaches: a cell that is not followed by one printed behind it never
    // needs its width.
    QString m_unmeasured;
    double m_currentY = 0.0;
    int m_pageNumber = 0;
    QString m_errorText;
};

} // namespace durvek
