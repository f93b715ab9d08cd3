// "Update Zefira" with the fuzzer as the clock: the wait for an answer on the
// framed link, then the display texts (from the input) over the direct line.
#include "FuzzApp.h"
#include "FuzzHost.h"
#include "FuzzLine.h"
#include "clocklink/ClockLibrary.h"
#include "common/Ansi.h"
#include "languages/LanguageUpload.h"

using namespace durvek;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::ensureApplication();
    fuzz::FuzzInput input(data, size);
    linkBuffers().CancelRequested = false;
    QList<ClockText> texts;
    const int count = input.byte() % 8;
    for (int i = 0; i < count; ++i)
        texts << ClockText{i + 1, fromAnsi(input.chunk())};
    ClockLibrary library;
    fuzz::useFuzzLine(library, input);
    fuzz::FuzzHost host(input);
    LanguageUpload upload(host, library, fuzz::fuzzText);
    upload.setPacing(UploadPacing{0, 0, 0});
    fuzz::useFuzzLine(upload.line(), input);
    upload.run(texts, ClubSettings());
    return 0;
}
