#include "common/AppState.h"
#include <QLocale>

namespace durvek {

AppState& appState()
{
    static AppState state;
    return state;
}

void resetRunState(AppState& state)
{
    state.currentFancierId = 0;
    state.lastBandEntered = QStringLiteral("0000000000");
    state.lastCode = QStringLiteral("0000000000");
    state.currentCode = QStringLiteral("0000000000");
    state.languageRequestBytes[0] = 32;
    state.languageRequestBytes[1] = 1;
}

QChar localeDecimalSeparator()
{
    const QString zero = QLocale().toString(0.0, 'f', 1);
    return zero.size() >= 2 ? zero.at(1) : QChar(u'.');
}

} // namespace durvek
