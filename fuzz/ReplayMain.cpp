// Without libFuzzer: feeds every seed and every input that once failed to the
// target's entry function, so that they run with the ordinary tests. Files
// named on the command line run instead of the folders.
#include <QDir>
#include <QFile>
#include <QStringList>
#include <cstdint>
#include <cstdio>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

QStringList inputFiles(int argc, char** argv)
{
    QStringList files;
    for (int i = 1; i < argc; ++i)
        files << QString::fromLocal8Bit(argv[i]);
    if (!files.isEmpty())
        return files;
    for (const char* kind : {"corpus", "regressions"}) {
        const QDir dir(QStringLiteral(DURVEK_SOURCE_DIR "/fuzz/%1/" FUZZ_TARGET).arg(QLatin1String(kind)));
        for (const QString& name : dir.entryList(QDir::Files, QDir::Name))
            files << dir.filePath(name);
    }
    return files;
}

} // namespace

int main(int argc, char** argv)
{
    const QStringList files = inputFiles(argc, argv);
    if (files.isEmpty()) {
        std::fprintf(stderr, "no inputs for %s\n", FUZZ_TARGET);
        return 1;
    }
    for (const QString& path : files) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) {
            std::fprintf(stderr, "cannot read %s\n", qPrintable(path));
            return 1;
        }
        const QByteArray bytes = file.readAll();
        std::fprintf(stderr, "%s\n", qPrintable(path));
        LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.constData()), size_t(bytes.size()));
    }
    std::fprintf(stderr, "%lld inputs passed\n", static_cast<long long>(files.size()));
    return 0;
}
