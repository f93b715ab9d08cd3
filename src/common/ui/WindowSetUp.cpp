#include "common/ui/WindowSetUp.h"
#include "common/ui/LayoutTabOrder.h"
#include "common/ui/Mnemonics.h"
#include "common/ui/WindowGeometry.h"

namespace durvek {

void finishWindowSetUp(QWidget* window)
{
    assignMnemonics(window);
    orderTabsByLayout(window);
    rememberGeometry(window);
}

} // namespace durvek
