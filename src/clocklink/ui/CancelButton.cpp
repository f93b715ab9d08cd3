#include "clocklink/ui/CancelButton.h"
#include "clocklink/Frames.h"
#include <QPushButton>

namespace durvek {

void connectCancelButton(QPushButton* button)
{
    QObject::connect(button, &QPushButton::clicked, button, [] { linkBuffers().CancelRequested = true; });
}

} // namespace durvek
