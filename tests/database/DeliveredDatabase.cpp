// Builds the shared helpers into the test folders that still list this file
// among their sources instead of linking durvek_test_support.
#include "support/DeliveredDatabase.cpp"
