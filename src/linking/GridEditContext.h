#pragma once
#include "clocklink/JobContext.h"
#include "linking/LookupText.h"
#include <QString>
#include <functional>

namespace durvek {

// Warning box with the exclamation icon: message, then title.
using WarnUser = std::function<void(const QString& message, const QString& title)>;

// What the grid editing rules work with besides the grid: the catalogue, the
// user's warnings, the calendar and the texts they remember between cells.
struct GridEditContext {
    TextLookup text;
    WarnUser warn;
    std::function<int()> calendarYear; // the four-digit year of today
    // The band cell text left last; its leading characters complete a shorter band.
    QString* lastBandEntered = nullptr;
    // The colour cell text left last; its leading characters complete a shorter colour.
    QString* lastColorEntered = nullptr;

    QString catalogue(int number) const { return lookupText(text, number); }
};

// The colour memory lives for the whole run, across fanciers and visits of
// the window, as the band memory does in the shared state.
QString& lastColorEntered();

// The context of the program: GetText, today's date, the run's memories.
GridEditContext programEditContext(WarnUser warn);

} // namespace durvek
