// "From PC To Clock" with the fuzzer as the clock's answers and as the club's
// data: a fancier or combine, its pigeons and the badges.
#include "FuzzDatabase.h"
#include "FuzzTransfer.h"
#include "common/Ansi.h"

using namespace durvek;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::FuzzDatabase database;
    fuzz::FuzzInput input(data, size);
    fuzz::FuzzTransfer bench(input, database.db());
    test::TransferWindow& window = bench.window;
    window.fancierId = fuzz::addFuzzedClub(database.db(), input);
    window.licence = fromAnsi(input.chunk());
    window.name = fromAnsi(input.chunk());
    window.combine = input.flag();
    window.combineName = fromAnsi(input.chunk());
    ClubDataTransfer transfer = bench.transfer();
    transfer.setSettlePause(0);
    transfer.SendToClock();
    return 0;
}
