#include "clocklink/ui/ClockModelOptions.h"
#include "clocklink/ClockModel.h"
#include <QBoxLayout>
#include <QButtonGroup>
#include <QRadioButton>

namespace durvek {

QButtonGroup* addClockModelOptions(QWidget* frame, QBoxLayout* column)
{
    auto* group = new QButtonGroup(frame);
    for (const ClockModel& model : clockModels()) {
        auto* button = new QRadioButton(model.caption(), frame);
        group->addButton(button, model.protocol());
        column->addWidget(button);
    }
    return group;
}

QRadioButton* clockModelOption(const QButtonGroup* group, int protocol)
{
    return qobject_cast<QRadioButton*>(group->button(protocol));
}

} // namespace durvek
