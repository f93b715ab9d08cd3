#include "linking/GridEditContext.h"
#include "common/AppState.h"
#include "common/TextCatalogue.h"
#include <QDate>

namespace durvek {

QString& lastColorEntered()
{
    static QString text;
    return text;
}

GridEditContext programEditContext(WarnUser warn)
{
    GridEditContext context;
    context.text = [](int number) { return GetText(number); };
    context.warn = std::move(warn);
    context.calendarYear = [] { return QDate::currentDate().year(); };
    context.lastBandEntered = &appState().lastBandEntered;
    context.lastColorEntered = &lastColorEntered();
    return context;
}

} // namespace durvek
