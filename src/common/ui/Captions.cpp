#include "common/ui/Captions.h"
#include "common/TextCatalogue.h"
#include "common/ValueHelpers.h"
#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QStackedWidget>
#include <QTabWidget>
#include <QVariant>
#include <cmath>

namespace durvek {

namespace {

bool hasCaptionNumber(const QWidget* widget)
{
    return widget->property(kCaptionNumberProperty).isValid();
}

QTabWidget* tabWidgetHolding(QWidget* page)
{
    auto* stack = qobject_cast<QStackedWidget*>(page->parentWidget());
    if (!stack)
        return nullptr;
    auto* tabs = qobject_cast<QTabWidget*>(stack->parentWidget());
    return tabs && tabs->indexOf(page) >= 0 ? tabs : nullptr;
}

} // namespace

void setCaptionNumber(QWidget* widget, int number)
{
    if (widget)
        widget->setProperty(kCaptionNumberProperty, number);
}

int captionNumber(const QWidget* widget)
{
    if (!widget)
        return 0;
    const double number = FieldNumber(widget->property(kCaptionNumberProperty));
    if (!std::isfinite(number) || std::abs(number) > 2147483647.0)
        return 0;
    return int(std::lround(number));
}

void setCaption(QWidget* widget, const QString& caption)
{
    if (auto* button = qobject_cast<QAbstractButton*>(widget))
        button->setText(caption);
    else if (auto* label = qobject_cast<QLabel*>(widget))
        label->setText(caption);
    else if (auto* group = qobject_cast<QGroupBox*>(widget))
        group->setTitle(caption);
    else if (QTabWidget* tabs = tabWidgetHolding(widget))
        tabs->setTabText(tabs->indexOf(widget), caption);
    else if (widget->isWindow())
        widget->setWindowTitle(caption);
}

void applyCaptions(QWidget* root)
{
    if (!root)
        return;
    if (hasCaptionNumber(root))
        setCaption(root, GetText(captionNumber(root)));
    const QList<QWidget*> descendants = root->findChildren<QWidget*>();
    for (QWidget* widget : descendants) {
        if (hasCaptionNumber(widget))
            setCaption(widget, GetText(captionNumber(widget)));
    }
}

} // namespace durvek
