#pragma once
#include <QString>

namespace durvek {

// What the race read-out shows besides the status line (which goes through
// the JobHost): the print manager's fancier line, address line and flight list.
class RaceReadoutView {
public:
    virtual ~RaceReadoutView() = default;

    virtual void showFancierLine(const QString& text) = 0;
    virtual void showAddressLine(const QString& text) = 0;
    virtual void clearFlightList() = 0;
    // flightIndex is the entry's index in RaceData::flights. Entries the clock
    // reports as unusable get no item, so the window should keep this index
    // with the item rather than rely on the item's row.
    virtual void addFlightItem(const QString& text, int flightIndex) = 0;
};

} // namespace durvek
