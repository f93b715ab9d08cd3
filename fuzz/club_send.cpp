// "From PC To Clock" with the fuzzer as the clock's answers and as the club's
// data: a fancier or combine, its pigeons and the badges.
#include "FuzzDatabase.h"
#include "FuzzHost.h"
#include "FuzzLine.h"
#include "FuzzTransferWindow.h"
#include "clocklink/ClockLibrary.h"
#include "clocklink/ClubDataTransfer.h"
#include "clocklink/ClubDataTransferStore.h"
#include "clocklink/DirectLine.h"
#include "common/Ansi.h"

using namespace durvek;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::FuzzDatabase database;
    fuzz::FuzzInput input(data, size);
    fuzz::FuzzTransferWindow window(database.db());
    window.fancierId = fuzz::addFuzzedClub(database.db(), input);
    window.licence = fromAnsi(input.chunk());
    window.name = fromAnsi(input.chunk());
    window.combine = input.flag();
    window.combineName = fromAnsi(input.chunk());
    fuzz::FuzzHost host(input, [&window] { window.aborted = true; });
    ClubDataTransferStore store(database.db());
    ClockLibrary library;
    DirectLine line(library);
    fuzz::useFuzzLine(line, input);
    ClubDataTransfer transfer(host, window, store, line, QStringLiteral("fuzz"), fuzz::fuzzText);
    transfer.setSettlePause(0);
    transfer.SendToClock();
    return 0;
}
