#pragma once
#include "results/ResultRecord.h"
#include <QByteArray>
#include <QList>
#include <QString>

namespace durvek {

// The pigeon file "duiven.txt" beside the club database. Despite its name it is
// binary: the record count (32-bit signed, little-endian), then 127 bytes per
// record, every text one Windows-1252 byte per character.
namespace pigeonfile {

constexpr int kCountSize = 4;
constexpr int kRecordSize = 127;

QByteArray encodeRecord(const ResultRecord& record);
// bytes must hold at least kRecordSize bytes.
ResultRecord decodeRecord(const char* bytes);

QByteArray encode(const QList<ResultRecord>& results);

} // namespace pigeonfile

// The file in the club database's folder: the program's own folder may not
// be written in once the program is installed.
QString defaultPigeonFilePath();

// Writes the records. The new contents go to a temporary file beside the old
// one that replaces it only when complete, so a failure (full disk, no
// rights) never loses the previous file. False with a message on failure.
bool SavePigeonFile(const QString& path, const QList<ResultRecord>& results, QString* error = nullptr);

struct PigeonFileContents {
    enum Kind {
        Empty,   // no file or a file of no bytes: nothing to replace memory with
        Loaded,  // records holds the file's records
        Damaged, // the file cannot be a pigeon file; error names it and why
    };
    Kind kind = Empty;
    QList<ResultRecord> records;
    QString error;
};

// Reads the file. A missing file is created empty, as the read-out would
// find it. A file whose length is not that of its count of whole records
// (records missing, one cut short, bytes beyond them) is damaged, and no
// record of it is given: part of a result would pass for the whole.
PigeonFileContents LoadPigeonFile(const QString& path);

} // namespace durvek
