#pragma once
// Test bench of the clock jobs: a club database as delivered (brought up to
// date as at start-up), the device simulator on a pseudo-terminal without
// line delay, the program's clock library pointed at it and a scripted window.
#include "Simulator.h"
#include "clocklink/ClockLibrary.h"
#include "clocklink/JobContext.h"
#include "support/DeliveredClub.h"
#include "support/ScriptedHost.h"
#include <QList>
#include <QSqlDatabase>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>

namespace durvek::test {

struct TestPigeon {
    QString country;
    QString year;
    QString band;
    QString sex;
    QString color;
    QString elcode;
};

class ClockJobBench {
public:
    explicit ClockJobBench(clocksim::ClockModel model, bool converter = false);
    ~ClockJobBench();

    bool isReady() const { return m_ready; }

    clocksim::Simulator& sim() { return *m_sim; }
    testing::ScriptedHost& host() { return m_host; }
    JobContext& job() { return *m_job; }
    QSqlDatabase db() const { return m_club->db(); }

    // Rows of the club database.
    int32_t addFancier(const QString& licence, const QString& name);
    void addPigeon(int32_t fancier, const TestPigeon& pigeon, int nr);
    // "country|Year|band|sex|color|elcode" per pigeon of the fancier, in Nr order.
    QStringList pigeonsOf(int32_t fancier) const;
    int fancierCount() const;

    // The framed requests the simulator received so far, in order.
    QList<QByteArray> receivedFrames() const;
    // How many received frames carry this command byte.
    int countCommand(uint8_t command) const;
    // The frames received after the first `mark` ones (mark = an earlier size).
    QList<QByteArray> framesSince(int mark) const { return receivedFrames().mid(mark); }

    static QString text(int number) { return QStringLiteral("T%1").arg(number); }

private:
    QTemporaryDir m_dir;
    std::unique_ptr<clocksim::Simulator> m_sim;
    ClockLibrary m_library;
    testing::ScriptedHost m_host;
    std::unique_ptr<JobContext> m_job;
    std::unique_ptr<testing::DeliveredClub> m_club;
    bool m_ready = false;
};

// A frame as hex text without spaces, for readable comparisons.
QByteArray hexOf(const QByteArray& frame);

} // namespace durvek::test
