#pragma once
// What a job under the fuzzer runs with: the clock library and the direct
// line on the fuzzed line, the fuzz host, and the job context of a framed
// clock job. The club data transfer runs on the same bench with the club data
// window of the transfer tests, which the host aborts once the input has run out.
#include "FuzzHost.h"
#include "FuzzLine.h"
#include "clocklink/ClockLibrary.h"
#include "clocklink/ClubDataTransfer.h"
#include "clocklink/ClubDataTransferStore.h"
#include "clocklink/DirectLine.h"
#include "clocklink/tst_transferfixture.h"
#include <QSqlDatabase>

namespace durvek::fuzz {

struct FuzzJob {
    FuzzJob(FuzzInput& input, bool converter);

    ClockLibrary library;
    FuzzHost host;
    JobContext context;
};

struct FuzzTransfer {
    FuzzTransfer(FuzzInput& input, const QSqlDatabase& db);

    ClubDataTransfer transfer() { return ClubDataTransfer(host, window, store, line, QStringLiteral("fuzz"), fuzzText); }

    test::TransferWindow window;
    FuzzHost host;
    ClubDataTransferStore store;
    ClockLibrary library;
    DirectLine line {library};
};

} // namespace durvek::fuzz
