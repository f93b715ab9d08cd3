#include "clubdata/PigeonCsv.h"
#include "common/CsvWriter.h"
#include "common/StrictNumber.h"
#include "common/ValueHelpers.h"
#include "database/FancierLookup.h"
#include "database/FancierRevision.h"
#include "database/PigeonNumbering.h"
#include "database/SqlDialect.h"
#include "database/SqlUtil.h"
#include "fanciers/FancierRecord.h"
#include "fanciers/LicenceCheck.h"
#include <QRegularExpression>

namespace durvek {

namespace {

enum PigeonColumn { Licence, Country, Year, Band, Sex, Color, ChipCode };

constexpr int kBadLicenceText = 24;
constexpr int kNoFancierText = 17;
constexpr int kNoBandText = 62;
constexpr int kChipCodeCaption = 39;
constexpr int kAlreadyLinkedText = 65;
constexpr int kHenText = 68;
constexpr int kEarlierLineText = 280;
constexpr int kChipOfOtherFancierText = 281;
constexpr int kBadYearText = 282;
constexpr int kBadChipCodeText = 284;
constexpr int kBadSexText = 285;

const QList<CsvColumn> kColumns {
    {QStringLiteral("Licence"), {QStringLiteral("License"), QStringLiteral("Fancier")}, 8, true},
    {QStringLiteral("Country"), {QStringLiteral("Co")}, 35},
    {QStringLiteral("Year"), {QStringLiteral("Ye")}, 36, true},
    {QStringLiteral("Band"), {QStringLiteral("Fed. band"), QStringLiteral("Band number"), QStringLiteral("Ring"),
                              QStringLiteral("Ring number")}, 37, true},
    {QStringLiteral("Sex"), {QStringLiteral("Sx")}, 38},
    {QStringLiteral("Color"), {QStringLiteral("Colour")}, 67},
    {QStringLiteral("Chip code"), {QStringLiteral("Chip"), QStringLiteral("Elcode"), QStringLiteral("El. band")}, 39},
};

const QString kHen = QStringLiteral("F");
const QString kCock = QStringLiteral(" ");

// Trailing blanks go, leading ones stay: a band stored right-aligned is
// shown and linked that way.
QString bandOf(const QString& field)
{
    QString band = StripControlChars(field).toUpper();
    while (!band.isEmpty() && band.back().isSpace())
        band.chop(1);
    return band;
}

// Two digits; a year written with the century keeps its last two.
std::optional<QString> yearOf(const QString& field)
{
    if (field.size() == 2 && ReadStrictNumber(QStringView(field), 0, 99))
        return field;
    if (field.size() == 4 && ReadStrictNumber(QStringView(field), 1900, 2099))
        return field.right(2);
    return std::nullopt;
}

// The sex as stored: "F" for a hen (also the club's own hen letter), a blank
// for a cock written as M or left empty.
std::optional<QString> sexOf(const QString& field, const TextLookup& text)
{
    const QString sex = field.toUpper();
    if (sex.isEmpty() || sex == QStringLiteral("M"))
        return kCock;
    if (sex == kHen || sex == text(kHenText).trimmed().toUpper())
        return kHen;
    return std::nullopt;
}

bool isChipCode(const QString& code)
{
    static const QRegularExpression hex(QStringLiteral("^[0-9A-F]{8}$"));
    return hex.match(code).hasMatch();
}

QString fancierShown(const QSqlDatabase& db, int32_t id)
{
    const std::optional<FancierRecord> f = readFancier(db, id);
    return f ? f->licence + u' ' + f->name : QString::number(id);
}

} // namespace

QByteArray pigeonsCsv(const QSqlDatabase& db)
{
    CsvWriter csv;
    csv.addRecord(CsvList::headers(kColumns));
    QSqlQuery query = runStatement(db, QStringLiteral("SELECT f.Licence, p.country, p.Year, p.band, p.sex, p.color, "
                                                      "p.elcode FROM pigeons p JOIN fanciers f ON f.id = p.Fancier "
                                                      "WHERE p.\"delete\" = 0 ORDER BY f.sort, f.id, p.Nr, p.rowid"));
    while (query.next()) {
        csv.addRecord({TextOrDefault(query.value(0)), TextOrDefault(query.value(1)), TextOrDefault(query.value(2)),
                       bandOf(query.value(3).toString()), TextOrDefault(query.value(4)),
                       TextOrDefault(query.value(5)), TextOrDefault(query.value(6))});
    }
    return csv.utf8();
}

PigeonImport::PigeonImport(const QSqlDatabase& db, const QByteArray& bytes, const TextLookup& text)
    : CsvImport(db, text, QStringLiteral("pigeons"))
{
    checkLines(bytes, kColumns);
}

CsvImportLine PigeonImport::checkLine(const CsvList& list, const CsvRecord& record)
{
    const QString licence = cleanedCsvField(list.value(record, Licence));
    Pigeon pigeon;
    pigeon.country = cleanedCsvField(list.value(record, Country)).toUpper();
    pigeon.band = bandOf(list.value(record, Band));
    const QString typedYear = cleanedCsvField(list.value(record, Year));
    const QString subject = QStringLiteral("%1 %2-%3-%4").arg(licence, pigeon.country, typedYear, pigeon.band.trimmed());

    QString reason = bandFault(pigeon, licence, typedYear);
    const QString key = QStringLiteral("%1|%2|%3|%4").arg(pigeon.fancier).arg(pigeon.country, pigeon.year, pigeon.band);
    if (reason.isEmpty() && m_seenBands.contains(key))
        reason = m_text(kEarlierLineText);
    // Read before the stored pigeon: a store of another PC after this point
    // makes the import refuse rather than undo it.
    const qint64 revision = reason.isEmpty() ? fancierRevision(m_db, pigeon.fancier) : 0;
    const bool isStored = reason.isEmpty() && readStored(pigeon);
    QStringList changed;
    if (reason.isEmpty())
        reason = takeFields(list, record, pigeon, changed);
    if (reason.isEmpty())
        reason = chipCodeTaken(pigeon, key);
    if (!reason.isEmpty())
        return refusedLine(record.line, subject, reason);

    m_seenBands.insert(key);
    if (!pigeon.elcode.isEmpty())
        m_chipsInList.insert(pigeon.elcode, {pigeon.fancier, key});
    if (!isStored || !changed.isEmpty()) {
        m_accepted.append(pigeon);
        if (!m_revisions.contains(pigeon.fancier))
            m_revisions.insert(pigeon.fancier, revision);
    }
    return acceptedLine(record.line, subject, isStored, changed);
}

QString PigeonImport::bandFault(Pigeon& pigeon, const QString& licence, const QString& typedYear) const
{
    if (licenceFault(licence) != LicenceFault::None)
        return m_text(kBadLicenceText);
    pigeon.fancier = FindFancierByLicence(m_db, licence);
    if (pigeon.fancier == 0)
        return m_text(kNoFancierText);
    const std::optional<QString> year = yearOf(typedYear);
    if (!year)
        return m_text(kBadYearText);
    pigeon.year = *year;
    if (pigeon.band.trimmed().isEmpty())
        return m_text(kNoBandText);
    if (const std::optional<QString> reason = tooLong(pigeon.country, QStringLiteral("country"), kColumns[Country].caption))
        return *reason;
    return tooLong(pigeon.band, QStringLiteral("band"), kColumns[Band].caption).value_or(QString());
}

bool PigeonImport::readStored(Pigeon& pigeon) const
{
    QSqlQuery stored = runStatement(m_db,
                                    QStringLiteral("SELECT rowid, sex, color, elcode FROM pigeons WHERE Fancier = ? "
                                                   "AND trim(country) = ? AND trim(Year) = ? AND rtrim(band) = ? "
                                                   "AND \"delete\" = 0 ORDER BY Nr, rowid LIMIT 1"),
                                    {pigeon.fancier, pigeon.country, pigeon.year, pigeon.band});
    if (!stored.next()) {
        pigeon.sex = kCock;
        return false;
    }
    pigeon.rowid = stored.value(0).toLongLong();
    pigeon.sex = stored.value(1).toString();
    pigeon.color = TextOrDefault(stored.value(2));
    pigeon.elcode = TextOrDefault(stored.value(3));
    return true;
}

QString PigeonImport::takeFields(const CsvList& list, const CsvRecord& record, Pigeon& pigeon,
                                 QStringList& changed) const
{
    const auto take = [&](PigeonColumn column, QString& field, const QString& value) {
        if (TextOrDefault(value) != TextOrDefault(field))
            changed.append(m_text(kColumns[column].caption));
        field = value;
    };
    if (list.has(Sex)) {
        const std::optional<QString> sex = sexOf(cleanedCsvField(list.value(record, Sex)), m_text);
        if (!sex)
            return m_text(kBadSexText);
        take(Sex, pigeon.sex, *sex);
    }
    if (list.has(Color)) {
        const QString color = cleanedCsvField(list.value(record, Color));
        if (const std::optional<QString> reason = tooLong(color, QStringLiteral("color"), kColumns[Color].caption))
            return *reason;
        take(Color, pigeon.color, color);
    }
    if (list.has(ChipCode)) {
        const QString code = cleanedCsvField(list.value(record, ChipCode)).toUpper();
        if (!code.isEmpty() && !isChipCode(code))
            return m_text(kBadChipCodeText);
        take(ChipCode, pigeon.elcode, code);
    }
    return QString();
}

QString PigeonImport::chipCodeTaken(const Pigeon& pigeon, const QString& key) const
{
    if (pigeon.elcode.isEmpty())
        return QString();
    int32_t holder = 0;
    const auto inList = m_chipsInList.constFind(pigeon.elcode);
    if (inList != m_chipsInList.constEnd() && inList->second != key) {
        holder = inList->first;
    } else {
        const QVariant stored = queryValue(m_db,
                                           QStringLiteral("SELECT Fancier FROM pigeons WHERE elcode = ? "
                                                          "AND \"delete\" = 0 AND rowid <> ? ORDER BY rowid LIMIT 1"),
                                           {pigeon.elcode, pigeon.rowid});
        holder = stored.isValid() ? int32_t(stored.toLongLong()) : 0;
        if (!stored.isValid())
            return QString();
    }
    if (holder == pigeon.fancier)
        return m_text(kChipCodeCaption) + u' ' + pigeon.elcode + m_text(kAlreadyLinkedText);
    return m_text(kChipOfOtherFancierText).arg(pigeon.elcode, fancierShown(m_db, holder));
}

int PigeonImport::store() const
{
    inTransaction(m_db, [&] {
        FancierRevisions revisions = m_revisions;
        claimFancierRevisions(m_db, revisions);
        lockPigeonNumbering(m_db);
        for (const Pigeon& p : m_accepted) {
            if (p.rowid != 0) {
                runStatement(m_db, QStringLiteral("UPDATE pigeons SET sex = ?, color = ?, elcode = ? WHERE rowid = ?"),
                             {p.sex, TextOrDefault(p.color, QStringLiteral("    ")), p.elcode, p.rowid});
                continue;
            }
            // Stored as the linking screen stores a pigeon: blank country and
            // colour filled, the full band joined, the next number.
            const QString country = TextOrDefault(p.country, QStringLiteral("  "));
            runStatement(m_db,
                         QStringLiteral("INSERT INTO pigeons (Fancier, Year, country, band, color, sex, elcode, "
                                        "Security, Nr, volring) VALUES (?, ?, ?, ?, ?, ?, ?, '00', ?, ?)"),
                         {p.fancier, p.year, country, p.band, TextOrDefault(p.color, QStringLiteral("    ")), p.sex,
                          p.elcode, NextPigeonNr(m_db), country + p.year + p.band});
        }
    });
    return int(m_accepted.size());
}

} // namespace durvek
