#pragma once
// Test helper: a clock holding race data behind the scripted transport. It
// answers the read-out's requests from lists a test fills, and lets a test
// act (press Cancel) at the moment a given request reaches it.
#include "clocklink/FakeClock.h"
#include <QByteArray>
#include <QList>
#include <deque>
#include <functional>
#include <optional>

namespace durvek::test {

struct ClockEntry {
    uint8_t status = 0;
    QByteArray text;
};

struct RaceClock {
    QByteArray identity = "OMNEXA 4.2";
    uint8_t fancierStatus = 0;
    QByteArray fancierBlock;
    QList<ClockEntry> flights;  // answered in order; past the end: status 1
    QList<ClockEntry> pigeons;
    std::deque<int> endStatuses; // statuses of the end requests; empty: 0
    int silentIdentifies = 0;    // identify requests that get no answer first
    // Called with every request before it is answered.
    std::function<void(const QByteArray& frame)> onRequest;

    std::optional<QByteArray> answer(const QByteArray& frame);

    static QByteArray fancier(const QByteArray& licence, const QByteArray& name, const QByteArray& address,
                              const QByteArray& zip, const QByteArray& city);
};

} // namespace durvek::test
