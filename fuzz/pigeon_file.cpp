// The pigeon file as the import and the print manager load it: any bytes on
// disk, and a file written from what was loaded must load back the same.
#include "FuzzApp.h"
#include "results/PigeonFile.h"
#include <QFile>
#include <QTemporaryDir>
#include <cstdlib>

using namespace durvek;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::ensureApplication();
    static QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("duiven.txt"));
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            std::abort();
        file.write(reinterpret_cast<const char*>(data), qint64(size));
    }
    const PigeonFileContents loaded = LoadPigeonFile(path);
    if (loaded.kind != PigeonFileContents::Loaded)
        return 0;
    for (const ResultRecord& record : loaded.records)
        pigeonfile::encodeRecord(record);
    if (!SavePigeonFile(path, loaded.records))
        std::abort();
    const PigeonFileContents again = LoadPigeonFile(path);
    if (again.kind != PigeonFileContents::Loaded || again.records != loaded.records)
        std::abort();
    return 0;
}
