#include "shell/ui/LinkButton.h"
#include <QPainter>
#include <QStyleOptionButton>
#include <QStylePainter>

namespace durvek {

namespace {

const QColor kLinkColour(0x1f, 0x4e, 0x79);

} // namespace

LinkButton::LinkButton(const QString& text, QWidget* parent) : QPushButton(text, parent)
{
    setFlat(true);
    setAutoDefault(false);
    setCursor(Qt::PointingHandCursor);
}

void LinkButton::paintEvent(QPaintEvent*)
{
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    const QString caption = option.text;
    // The frame and focus rectangle as the style draws them, the text apart.
    option.text.clear();
    painter.drawControl(QStyle::CE_PushButton, option);

    const QRect textRect = style()->subElementRect(QStyle::SE_PushButtonContents, &option, this);
    const bool showMnemonic = style()->styleHint(QStyle::SH_UnderlineShortcut, &option, this) != 0;
    painter.setPen(isEnabled() ? kLinkColour : palette().color(QPalette::Disabled, QPalette::ButtonText));
    painter.drawText(textRect, Qt::AlignCenter | (showMnemonic ? Qt::TextShowMnemonic : Qt::TextHideMnemonic),
                     caption);
    drawLinkUnderline(painter, textRect);
}

void LinkButton::drawLinkUnderline(QPainter& painter, const QRect& textRect) const
{
    const QFontMetrics metrics = fontMetrics();
    const QRect shown = metrics.boundingRect(textRect, Qt::AlignCenter | Qt::TextShowMnemonic, text());
    // Below the mnemonic's underline, and lighter, so the two never merge.
    const int y = shown.top() + metrics.ascent() + metrics.underlinePos() + 2 * qMax(1, metrics.lineWidth());
    QPen pen = painter.pen();
    QColor light = pen.color();
    light.setAlphaF(0.6f);
    pen.setColor(light);
    pen.setStyle(Qt::DotLine);
    pen.setWidth(qMax(1, metrics.lineWidth()));
    painter.setPen(pen);
    painter.drawLine(shown.left(), y, shown.right(), y);
}

} // namespace durvek
