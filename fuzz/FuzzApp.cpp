#include "FuzzApp.h"
#include <QCoreApplication>
#include <memory>

namespace durvek::fuzz {

void ensureApplication()
{
    if (QCoreApplication::instance())
        return;
    static int argc = 1;
    static char name[] = "durvek-fuzz";
    static char* argv[] = {name, nullptr};
    static std::unique_ptr<QCoreApplication> app = std::make_unique<QCoreApplication>(argc, argv);
}

} // namespace durvek::fuzz
