#pragma once
#include <QWidget>

namespace durvek {

// The picture of the menu's information panel: a racing pigeon in flight
// over a clock face, drawn rather than loaded so the program ships no images.
class LogoEmblem : public QWidget {
public:
    explicit LogoEmblem(QWidget* parent = nullptr);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void paintClockFace(QPainter& painter, const QRectF& face) const;
    void paintPigeon(QPainter& painter, const QRectF& face) const;
};

} // namespace durvek
