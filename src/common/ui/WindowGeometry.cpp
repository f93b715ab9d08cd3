#include "common/ui/WindowGeometry.h"
#include "common/UserSettings.h"
#include <QEvent>
#include <QScreen>
#include <QSettings>
#include <QWidget>

namespace durvek {

namespace {

void fitToScreen(QWidget* window)
{
    const QScreen* screen = window->screen();
    if (!screen)
        return;
    const QSize available = screen->availableGeometry().size();
    const QSize wanted = window->size();
    if (wanted.width() > available.width() || wanted.height() > available.height())
        window->resize(wanted.boundedTo(available));
}

class GeometryKeeper : public QObject {
public:
    explicit GeometryKeeper(QWidget* window) : QObject(window), window_(window) {}

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == window_ && (event->type() == QEvent::Hide || event->type() == QEvent::Close))
            userSettings().setValue(geometryKey(window_), window_->saveGeometry());
        return false;
    }

private:
    QWidget* window_;
};

} // namespace

QString geometryKey(const QWidget* window)
{
    const QString name = window->objectName().isEmpty() ? QString::fromLatin1(window->metaObject()->className())
                                                        : window->objectName();
    return QStringLiteral("windows/%1/geometry").arg(name);
}

void rememberGeometry(QWidget* window)
{
    if (!window)
        return;
    const QByteArray saved = userSettings().value(geometryKey(window)).toByteArray();
    // restoreGeometry() also brings a window back onto a screen that shrank.
    if (saved.isEmpty() || !window->restoreGeometry(saved))
        fitToScreen(window);
    window->installEventFilter(new GeometryKeeper(window));
}

} // namespace durvek
