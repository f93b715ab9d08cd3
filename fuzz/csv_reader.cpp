// The CSV reader on any bytes a member or pigeon list may hold: it never
// crashes, its records start on lines in file order, and what it read is
// read the same again once written back in RFC 4180.
#include "common/CsvWriter.h"
#include "common/CsvReader.h"
#include <cstdlib>

using namespace durvek;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const CsvTable table = CsvReader::read(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
    if (!table.ok())
        return 0;
    int line = 0;
    CsvWriter written;
    for (const CsvRecord& record : table.records) {
        if (record.line <= line || record.fields.isEmpty())
            std::abort();
        line = record.line;
        written.addRecord(record.fields);
    }
    const CsvTable again = CsvReader::read(written.utf8());
    if (!again.ok() || again.separator != u',' || again.records.size() != table.records.size())
        std::abort();
    for (qsizetype i = 0; i < again.records.size(); ++i) {
        if (again.records[i].fields != table.records[i].fields)
            std::abort();
    }
    return 0;
}
