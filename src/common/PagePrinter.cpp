#include "common/PagePrinter.h"
#include <QFontMetricsF>
#include <QPagedPaintDevice>

namespace durvek {

namespace {

constexpr double kMillimetresPerInch = 25.4;

} // namespace

PagePrinter::PagePrinter(QPagedPaintDevice* device)
    : m_device(device)
    , m_font(QStringLiteral("Times New Roman"))
{
}

PagePrinter::~PagePrinter()
{
    endDocument();
}

double PagePrinter::toDeviceX(double mm) const
{
    return m_device ? mm * m_device->logicalDpiX() / kMillimetresPerInch : 0.0;
}

double PagePrinter::toDeviceY(double mm) const
{
    return m_device ? mm * m_device->logicalDpiY() / kMillimetresPerInch : 0.0;
}

double PagePrinter::fromDeviceX(double units) const
{
    return m_device && m_device->logicalDpiX() > 0 ? units * kMillimetresPerInch / m_device->logicalDpiX() : 0.0;
}

double PagePrinter::fromDeviceY(double units) const
{
    return m_device && m_device->logicalDpiY() > 0 ? units * kMillimetresPerInch / m_device->logicalDpiY() : 0.0;
}

double PagePrinter::pageWidth() const
{
    return m_device ? fromDeviceX(m_device->width()) : 0.0;
}

double PagePrinter::pageHeight() const
{
    return m_device ? fromDeviceY(m_device->height()) : 0.0;
}

bool PagePrinter::ensureStarted()
{
    if (m_painter.isActive())
        return true;
    if (!m_device) {
        m_errorText = QStringLiteral("No printer");
        return false;
    }
    if (!m_painter.begin(m_device)) {
        m_errorText = QStringLiteral("The printer could not be started");
        return false;
    }
    // Text is drawn without a background box, so texts may overlap lines and each other.
    m_painter.setBackgroundMode(Qt::TransparentMode);
    m_fontOnPainter = false;  // a painter begins with the device's default font
    m_metrics.reset();
    m_widths.clear();
    m_pageNumber = 1;
    m_currentX = 0.0;
    m_unmeasured.clear();
    m_currentY = 0.0;
    return true;
}

void PagePrinter::applyFont(bool underline, bool bold, bool italic, double size, const QString& fontName)
{
    const FontRequest request{underline, bold, italic, size, fontName};
    if (m_fontOnPainter && m_lastRequest == request)
        return;
    m_lastRequest = request;
    QFont font = m_font;
    if (!fontName.isEmpty())
        font.setFamily(fontName);
    // A size the device cannot use keeps the previous one, as a printer does.
    if (size > 0.0)
        font.setPointSizeF(size);
    font.setBold(bold);
    font.setItalic(italic);
    font.setUnderline(underline);
    // Hinting is meant for screens; on paper it only shifts widths.
    font.setHintingPreference(QFont::PreferNoHinting);
    if (m_fontOnPainter && font == m_font)
        return;
    m_font = font;
    m_painter.setFont(m_font);
    m_fontOnPainter = true;
    m_metrics.reset();
    m_widths.clear();
}

const QFontMetricsF& PagePrinter::metrics()
{
    if (!m_metrics)
        m_metrics.emplace(m_painter.isActive() ? m_painter.font() : m_font, m_device);
    return *m_metrics;
}

double PagePrinter::deviceWidth(const QString& text)
{
    // Each distinct text once; a long report's unique texts are let go now
    // and then rather than kept to the end.
    constexpr qsizetype kMostWidthsKept = 4096;
    if (const auto found = m_widths.constFind(text); found != m_widths.cend())
        return *found;
    if (m_widths.size() >= kMostWidthsKept)
        m_widths.clear();
    return *m_widths.insert(text, metrics().horizontalAdvance(text));
}

double PagePrinter::currentX()
{
    if (!m_unmeasured.isEmpty()) {
        m_currentX += fromDeviceX(deviceWidth(m_unmeasured));
        m_unmeasured.clear();
    }
    return m_currentX;
}

void PagePrinter::PrintText(double x, double y, const QString& text, bool underline, bool bold,
                            bool italic, double size, const QString& fontName, int alignment,
                            bool endLine, const QColor& colour)
{
    if (!ensureStarted())
        return;
    const bool behindPrevious = alignment != AlignStart && alignment != AlignEnd && alignment != AlignCentre;
    // Where the previous text ends is measured in its own font, before this
    // one's applies.
    const double previousEnd = behindPrevious ? currentX() : 0.0;
    applyFont(underline, bold, italic, size, fontName);
    m_painter.setPen(colour.isValid() ? colour : QColor(Qt::black));

    const QFontMetricsF& metrics = this->metrics();
    const double left = alignment == AlignStart  ? x
                        : alignment == AlignEnd    ? x - fromDeviceX(deviceWidth(text))
                        : alignment == AlignCentre ? x - fromDeviceX(deviceWidth(text)) / 2.0
                                                   : previousEnd;
    m_currentY = y;
    m_currentX = left;
    m_unmeasured.clear();

    m_painter.drawText(QPointF(toDeviceX(m_currentX), toDeviceY(m_currentY) + metrics.ascent()), text);

    if (endLine) {
        m_currentX = 0.0;
        m_currentY += fromDeviceY(metrics.height());
    } else {
        m_unmeasured = text;
    }
}

double PagePrinter::textWidth(const QString& text)
{
    if (!m_device)
        return 0.0;
    return fromDeviceX(deviceWidth(text));
}

void PagePrinter::newPage()
{
    if (!ensureStarted())
        return;
    if (!m_device->newPage()) {
        m_errorText = QStringLiteral("The printer could not start a new page");
        return;
    }
    ++m_pageNumber;
    m_currentX = 0.0;
    m_unmeasured.clear();
    m_currentY = 0.0;
}

void PagePrinter::endDocument()
{
    if (m_painter.isActive() && !m_painter.end())
        m_errorText = QStringLiteral("The printer could not finish the document");
    m_fontOnPainter = false;
    m_metrics.reset();
    m_pageNumber = 0;
}

} // namespace durvek
