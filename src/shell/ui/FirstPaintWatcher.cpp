#include "shell/ui/FirstPaintWatcher.h"
#include <QEvent>
#include <QTimer>
#include <QWidget>

namespace durvek {

FirstPaintWatcher::FirstPaintWatcher(QWidget* widget, std::function<void()> onPainted)
    : QObject(widget), onPainted_(std::move(onPainted))
{
    widget->installEventFilter(this);
}

bool FirstPaintWatcher::eventFilter(QObject* watched, QEvent* event)
{
    if (!fired_ && event->type() == QEvent::Paint) {
        fired_ = true;
        // Queued, so the paint event itself finishes and reaches the screen first.
        QTimer::singleShot(0, this, [this] { onPainted_(); });
    }
    return QObject::eventFilter(watched, event);
}

} // namespace durvek
