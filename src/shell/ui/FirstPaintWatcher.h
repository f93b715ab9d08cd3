#pragma once
#include <QObject>
#include <functional>

class QWidget;

namespace durvek {

// Runs a function once, right after a widget has been painted for the first
// time, i.e. when the user can actually see it.
class FirstPaintWatcher : public QObject {
public:
    FirstPaintWatcher(QWidget* widget, std::function<void()> onPainted);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::function<void()> onPainted_;
    bool fired_ = false;
};

} // namespace durvek
