#pragma once
#include <QPushButton>

namespace durvek {

// A tool of the menu's information panel: a flat button that reads as a
// link. A link's underline would hide the underline of the button's
// mnemonic letter, so the link is underlined dotted and the mnemonic letter
// solid: Alt plus that letter stays visible to a keyboard user.
class LinkButton : public QPushButton {
    Q_OBJECT

public:
    LinkButton(const QString& text, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void drawLinkUnderline(QPainter& painter, const QRect& textRect) const;
};

} // namespace durvek
