#include "results/PigeonFile.h"
#include "common/Ansi.h"
#include "database/ClubDatabase.h"
#include "database/SqlUtil.h"
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QtEndian>

namespace durvek {

namespace pigeonfile {

namespace {

// The fields in file order, with their widths (they add up to 127).
template <typename Record, typename Visit>
void eachField(Record& r, Visit&& visit)
{
    visit(r.elcode, 8);
    visit(r.band, 14);
    visit(r.flightCode, 4);
    visit(r.flightCode2, 4);
    visit(r.num1, 2);
    visit(r.num2, 2);
    visit(r.num3, 2);
    visit(r.sex, 1);
    visit(r.arrivalDate, 6);
    visit(r.arrivalTime, 6);
    visit(r.spare, 4);
    visit(r.status, 1);
    visit(r.spareByte, 1);
    visit(r.spare30, 30);
    visit(r.sortKey, 42);
}

// A field always takes its full width: a shorter text is filled with code 0,
// as an unset field is.
QByteArray fieldBytes(const QString& text, int width)
{
    QByteArray bytes = toAnsi(text.left(width));
    bytes.append(QByteArray(width - bytes.size(), '\0'));
    return bytes;
}

} // namespace

QByteArray encodeRecord(const ResultRecord& record)
{
    QByteArray out;
    out.reserve(kRecordSize);
    eachField(record, [&](const QString& field, int width) { out += fieldBytes(field, width); });
    return out;
}

ResultRecord decodeRecord(const char* bytes)
{
    ResultRecord r;
    int offset = 0;
    eachField(r, [&](QString& field, int width) {
        field = fromAnsi(reinterpret_cast<const unsigned char*>(bytes + offset), width);
        offset += width;
    });
    return r;
}

QByteArray encode(const QList<ResultRecord>& results)
{
    QByteArray out(kCountSize, '\0');
    qToLittleEndian<qint32>(qint32(results.size()), out.data());
    out.reserve(kCountSize + kRecordSize * int(results.size()));
    for (const ResultRecord& r : results)
        out += encodeRecord(r);
    return out;
}

} // namespace pigeonfile

namespace {

// Why a file of size bytes cannot hold count records, naming the first
// record that is wrong (1-based); empty when it holds exactly them.
QString lengthProblem(qint32 count, qint64 size)
{
    using namespace pigeonfile;
    if (count < 0)
        return QStringLiteral("negative record count %1").arg(count);
    const qint64 whole = (size - kCountSize) / kRecordSize;
    const bool partial = (size - kCountSize) % kRecordSize != 0;
    if (whole < count && partial)
        return QStringLiteral("record %1 of %2 is cut short").arg(whole + 1).arg(count);
    if (whole < count)
        return QStringLiteral("record %1 of %2 is missing").arg(whole + 1).arg(count);
    if (whole > count || partial)
        return QStringLiteral("bytes after the last of its %1 records").arg(count);
    return {};
}

PigeonFileContents damaged(const QString& path, const QString& why)
{
    PigeonFileContents out;
    out.kind = PigeonFileContents::Damaged;
    out.error = QDir::toNativeSeparators(path) + QStringLiteral(": ") + why;
    return out;
}

} // namespace

QString defaultPigeonFilePath()
{
    return QDir(clubFilesFolder(ClubDatabase::get())).filePath(QStringLiteral("duiven.txt"));
}

bool SavePigeonFile(const QString& path, const QList<ResultRecord>& results, QString* error)
{
    QSaveFile file(path);
    const QByteArray bytes = pigeonfile::encode(results);
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit())
        return true;
    if (error)
        *error = file.errorString();
    file.cancelWriting();
    return false;
}

PigeonFileContents LoadPigeonFile(const QString& path)
{
    using namespace pigeonfile;
    PigeonFileContents out;
    QFile file(path);
    if (!file.exists()) {
        // Created empty, as opening it for reading always left it; a folder
        // without write rights simply has no file.
        if (file.open(QIODevice::WriteOnly))
            file.close();
        return out;
    }
    if (!file.open(QIODevice::ReadOnly))
        return damaged(path, file.errorString());
    const QByteArray bytes = file.readAll();
    if (bytes.isEmpty())
        return out;
    if (bytes.size() < kCountSize)
        return damaged(path, QStringLiteral("too short for a record count"));
    const qint32 count = qFromLittleEndian<qint32>(bytes.constData());
    if (const QString why = lengthProblem(count, bytes.size()); !why.isEmpty())
        return damaged(path, why);
    out.records.reserve(count);
    for (qint64 i = 0; i < count; ++i)
        out.records.append(decodeRecord(bytes.constData() + kCountSize + i * kRecordSize));
    out.kind = PigeonFileContents::Loaded;
    return out;
}

} // namespace durvek
