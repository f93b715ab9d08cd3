#pragma once
// The club data transfer under the fuzzer: the direct line on the fuzzed line
// and the club data window of the transfer tests, which the fuzz host aborts
// once the input has run out.
#include "FuzzHost.h"
#include "FuzzLine.h"
#include "clocklink/ClockLibrary.h"
#include "clocklink/ClubDataTransfer.h"
#include "clocklink/ClubDataTransferStore.h"
#include "clocklink/DirectLine.h"
#include "clocklink/tst_transferfixture.h"
#include <QSqlDatabase>

namespace durvek::fuzz {

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
