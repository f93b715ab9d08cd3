#pragma once
#include <QIcon>
#include <QWidget>

namespace durvek {

// The picture of the menu's information panel: a racing pigeon in flight
// over a clock face, drawn rather than loaded so the program ships no images.
class LogoEmblem : public QWidget {
public:
    explicit LogoEmblem(QWidget* parent = nullptr);
    QSize sizeHint() const override;

    // The same picture as the program's window icon, in the usual icon sizes.
    static QIcon icon();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    static void paintEmblem(QPainter& painter, const QRectF& face);
    static void paintClockFace(QPainter& painter, const QRectF& face);
    static void paintPigeon(QPainter& painter, const QRectF& face);
};

} // namespace durvek
