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
    m_pageNumber = 1;
    m_currentX = 0.0;
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
}

const QFontMetricsF& PagePrinter::metrics()
{
    if (!m_metrics)
        m_metrics.emplace(m_painter.isActive() ? m_painter.font() : m_font, m_device);
    return *m_metrics;
}

void PagePrinter::PrintText(double x, double y, const QString& text, bool underline, bool bold,
                            bool italic, double size, const QString& fontName, int alignment,
                            bool endLine, const QColor& colour)
{
    if (!ensureStarted())
        return;
    applyFont(underline, bold, italic, size, fontName);
    m_painter.setPen(colour.isValid() ? colour : QColor(Qt::black));

    const QFontMetricsF& metrics = this->metrics();
    const double width = fromDeviceX(metrics.horizontalAdvance(text));
    m_currentY = y;
    switch (alignment) {
    case AlignStart: m_currentX = x; break;
    case AlignEnd: m_currentX = x - width; break;
    case AlignCentre: m_currentX = x - width / 2.0; break;
    default: break; // prints where the previous text left off
    }

    m_painter.drawText(QPointF(toDeviceX(m_currentX), toDeviceY(m_currentY) + metrics.ascent()), text);

    if (endLine) {
        m_currentX = 0.0;
        m_currentY += fromDeviceY(metrics.height());
    } else {
        m_currentX += width;
    }
}

double PagePrinter::textWidth(const QString& text)
{
    if (!m_device)
        return 0.0;
    return fromDeviceX(metrics().horizontalAdvance(text));
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
