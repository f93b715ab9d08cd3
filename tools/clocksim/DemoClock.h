#pragma once
#include "SimState.h"

namespace durvek::clocksim {

// A clock as a club would find it after a race: one fancier (two on a
// Zefira, which then announces itself as a multi-fancier clock), a handful of
// pigeons, a race and a training flight with arrivals of every kind.
SimState demoClock(ClockModel model);

// The demo evening of a club result: the clock becomes the clock of demo
// fancier 1, 2 or 3 (licences 10234567, 10234568, 10234569), each with its own
// pigeons (bands and chips) and arrivals in the race NOYO0001; fancier 3's
// pigeon arrives the next morning. Fancier 1 gets the demo clock's pigeons
// and training flight back.
// False, and nothing changed, for any other number.
bool becomeRaceFancier(SimState& state, int fancier);

} // namespace durvek::clocksim
