#pragma once
// The delivered-database helpers live in tests/support; this name stays for
// the test folders that still build them in by path.
#include "support/DeliveredDatabase.h"
