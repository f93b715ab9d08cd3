// "From Clock To PC" with the fuzzer as the clock on the direct line: the
// fancier header, the pigeon count and the pigeon lines, stored in the club
// database. The line parsers also get the raw input on their own.
#include "FuzzDatabase.h"
#include "FuzzTransfer.h"
#include "clocklink/TransferLines.h"

using namespace durvek;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray raw(reinterpret_cast<const char*>(data), qsizetype(size));
    parseFancierHeader(raw);
    parsePigeonCount(raw);
    parsePigeonLine(raw);

    fuzz::FuzzDatabase database;
    fuzz::FuzzInput input(data, size);
    fuzz::FuzzTransfer bench(input, database.db());
    if (input.flag())
        bench.window.fancierId = fuzz::addFuzzedClub(database.db(), input);
    ClubDataTransfer transfer = bench.transfer();
    transfer.setSettlePause(0);
    transfer.ReceiveFromClock();
    return 0;
}
