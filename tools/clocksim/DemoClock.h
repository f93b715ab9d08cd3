#pragma once
#include "SimState.h"

namespace durvek::clocksim {

// A clock as a club would find it after a race: one fancier (two on a
// Zefira, which then announces itself as a multi-fancier clock), a handful of
// pigeons, a race and a training flight with arrivals of every kind.
SimState demoClock(ClockModel model);

} // namespace durvek::clocksim
