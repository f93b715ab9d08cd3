#pragma once
// Test helper for the club data transfers: a club database, a club data
// window over it, a host that presses Cancel on cue, and the simulated clock
// on a real pseudo-terminal.
#include "Simulator.h"
#include "clocklink/ClockLibrary.h"
#include "clocklink/ClubDataTransfer.h"
#include "clocklink/ClubDataTransferStore.h"
#include "clocklink/ClubDataWindowAccess.h"
#include "clocklink/DirectLine.h"
#include "clocklink/JobHost.h"

#include <QList>
#include <QSqlDatabase>
#include <QStringList>
#include <QTemporaryDir>
#include <functional>
#include <memory>

namespace durvek::test {

// The window side as the club data window keeps it: boxes, check box,
// combine selection, the current fancier and the abort flag.
class TransferWindow : public ClubDataWindowAccess {
public:
    explicit TransferWindow(QSqlDatabase db) : m_db(std::move(db)) {}

    int32_t fancierId = 0;
    qint64 revision = 0;
    QString licence;
    QString name;
    bool combine = false;
    QString combineName;
    bool aborted = false;
    bool inTransferState = false;
    int reloads = 0;
    int saves = 0;

    int32_t clubDataFancierId() const override { return fancierId; }
    qint64 clubDataFancierRevision() const override { return revision; }
    QString licenceText() const override { return licence; }
    QString nameText() const override { return name; }
    void setLicenceText(const QString& text) override { licence = text; }
    void setNameText(const QString& text) override { name = text; }
    bool saveFancier() override;
    bool combineChecked() const override { return combine; }
    QString selectedCombineName() const override { return combineName; }
    void reloadPigeons() override;
    void enterTransferState() override { inTransferState = true; }
    bool transferAborted() const override { return aborted; }
    void clearTransferAborted() override { aborted = false; }

private:
    QSqlDatabase m_db;
};

// Cancel is pressed on the window after a number of event pumps, or during
// the n-th pause.
class TransferHost : public JobHost {
public:
    explicit TransferHost(TransferWindow& window) : m_window(window) {}

    QStringList warnings;   // "title|message"
    QStringList questions;  // "title|message"
    QList<int> pauses;
    bool answer = false;
    int pumps = 0;
    int abortAtPump = 0;    // 0: never
    int abortInPause = 0;   // 0: never
    QStringList progressSteps;  // "done/total" of each progress call
    QStringList sentences;
    std::function<void(int done)> onProgress;

    void showStatus(const QString&) override {}
    void warn(const QString& message, const QString& title) override { warnings << title + u'|' + message; }
    bool ask(const QString& message, const QString& title) override
    {
        questions << title + u'|' + message;
        return answer;
    }
    void pumpEvents() override
    {
        if (++pumps == abortAtPump)
            m_window.aborted = true;
    }
    void pause(int milliseconds) override
    {
        pauses << milliseconds;
        if (pauses.size() == abortInPause)
            m_window.aborted = true;
    }
    void progress(int done, int total) override
    {
        progressSteps << QStringLiteral("%1/%2").arg(done).arg(total);
        if (onProgress)
            onProgress(done);
    }
    void finished(const QString& sentence) override { sentences << sentence; }

private:
    TransferWindow& m_window;
};

// Everything one transfer test needs, fresh for each test.
struct TransferBench {
    explicit TransferBench(clocksim::SimState clock = clocksim::SimState());
    ~TransferBench();

    TransferOutcome send();
    TransferOutcome receive();
    // The receive from another device than the simulated clock.
    TransferOutcome receiveFrom(const QString& device);

    int32_t addFancier(const QString& licence, const QString& name);
    void addPigeon(int32_t fancier, const QVariant& country, const QVariant& year, const QVariant& band,
                   const QVariant& sex, const QVariant& elcode);
    void addCombine(int id, const QString& name, int l1, int l2, int l3);
    void setBadges(const QStringList& names);  // replaces the table
    QStringList rows(const QString& sql) const;

    QTemporaryDir dir;
    QSqlDatabase db;
    std::unique_ptr<clocksim::Simulator> sim;
    ClockLibrary library;
    DirectLine line {library};
    std::unique_ptr<TransferWindow> window;
    std::unique_ptr<TransferHost> host;
    std::unique_ptr<ClubDataTransferStore> store;
};

// Catalogue texts as "T<n>"; text 68 starts with the letter for hens.
QString transferText(int number);

} // namespace durvek::test
