#pragma once
// Test helper: the print manager's lines and flight list as plain values.
#include "results/RaceReadoutView.h"
#include <QList>
#include <QPair>
#include <QStringList>

namespace durvek::test {

class RecordingView : public RaceReadoutView {
public:
    QString fancierLine;
    QString addressLine;
    QList<QPair<QString, int>> items;
    int clears = 0;

    void showFancierLine(const QString& text) override { fancierLine = text; }
    void showAddressLine(const QString& text) override { addressLine = text; }
    void clearFlightList() override
    {
        items.clear();
        ++clears;
    }
    void addFlightItem(const QString& text, int flightIndex) override { items.append({text, flightIndex}); }
};

} // namespace durvek::test
