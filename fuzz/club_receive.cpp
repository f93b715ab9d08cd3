// "From Clock To PC" with the fuzzer as the clock on the direct line: the
// fancier header, the pigeon count and the pigeon lines, stored in the club
// database. The line parsers also get the raw input on their own.
#include "FuzzDatabase.h"
#include "FuzzHost.h"
#include "FuzzLine.h"
#include "FuzzTransferWindow.h"
#include "clocklink/ClockLibrary.h"
#include "clocklink/ClubDataTransfer.h"
#include "clocklink/ClubDataTransferStore.h"
#include "clocklink/DirectLine.h"
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
    fuzz::FuzzTransferWindow window(database.db());
    if (input.flag())
        window.fancierId = fuzz::addFuzzedClub(database.db(), input);
    fuzz::FuzzHost host(input, [&window] { window.aborted = true; });
    ClubDataTransferStore store(database.db());
    ClockLibrary library;
    DirectLine line(library);
    fuzz::useFuzzLine(line, input);
    ClubDataTransfer transfer(host, window, store, line, QStringLiteral("fuzz"), fuzz::fuzzText);
    transfer.setSettlePause(0);
    transfer.ReceiveFromClock();
    return 0;
}
