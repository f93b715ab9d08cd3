#include "clubdata/MemberCsv.h"
#include "common/CsvWriter.h"
#include "database/FancierLookup.h"
#include "database/SqlDialect.h"
#include "database/SqlUtil.h"
#include "fanciers/CoordinateEntry.h"
#include "fanciers/LicenceCheck.h"
#include <array>

namespace durvek {

namespace {

enum MemberColumn { Licence, Name, Adress, Zip, City, District, Telephone, Fax, Email, Latitude, Longitude };

constexpr int kBadLicenceText = 24;
constexpr int kNoNameText = 97;
constexpr int kEarlierLineText = 280;
constexpr int kLatitudeFaultText = 124;
constexpr int kLongitudeFaultText = 125;

const QList<CsvColumn> kColumns {
    {QStringLiteral("Licence"), {QStringLiteral("License"), QStringLiteral("Licence number"),
                                 QStringLiteral("License number")}, 8, true},
    {QStringLiteral("Name"), {QStringLiteral("Fancier")}, 9, true},
    {QStringLiteral("Adress"), {QStringLiteral("Address"), QStringLiteral("Street")}, 10},
    {QStringLiteral("Zip"), {QStringLiteral("Zip code"), QStringLiteral("Postcode"), QStringLiteral("Postal code")},
     11},
    {QStringLiteral("City"), {QStringLiteral("Town"), QStringLiteral("Municipality")}, 16},
    {QStringLiteral("District"), {}, 12},
    {QStringLiteral("Telephone"), {QStringLiteral("Phone"), QStringLiteral("Tel")}, 13},
    {QStringLiteral("Fax"), {}, 14},
    {QStringLiteral("E-Mail"), {QStringLiteral("Mail")}, 15},
    {QStringLiteral("Latitude"), {QStringLiteral("Lat"), QStringLiteral("KYT")}, 122},
    {QStringLiteral("Longitude"), {QStringLiteral("Lon"), QStringLiteral("Lng"), QStringLiteral("KXT")}, 123},
};

// The text fields of a member after the licence, by column and table field.
struct MemberField {
    MemberColumn column;
    QString field;
    QString FancierRecord::*member;
};

const std::array<MemberField, 8> kTextFields {{
    {Name, QStringLiteral("Name"), &FancierRecord::name},
    {Adress, QStringLiteral("Adress"), &FancierRecord::adress},
    {Zip, QStringLiteral("zip"), &FancierRecord::zip},
    {City, QStringLiteral("city"), &FancierRecord::city},
    {District, QStringLiteral("district"), &FancierRecord::district},
    {Telephone, QStringLiteral("telephone"), &FancierRecord::telephone},
    {Fax, QStringLiteral("fax"), &FancierRecord::fax},
    {Email, QStringLiteral("email"), &FancierRecord::email},
}};

struct CoordinateField {
    MemberColumn column;
    CoordinateAxis axis;
    QString FancierRecord::*member;
    int faultText;
};

const std::array<CoordinateField, 2> kCoordinateFields {{
    {Latitude, CoordinateAxis::Latitude, &FancierRecord::kyt, kLatitudeFaultText},
    {Longitude, CoordinateAxis::Longitude, &FancierRecord::kxt, kLongitudeFaultText},
}};

QStringList recordFields(const FancierRecord& f)
{
    return {f.licence, f.name,  f.adress, f.zip, f.city, f.district, f.telephone, f.fax, f.email,
            coordinateShown(f.kyt), coordinateShown(f.kxt)};
}

} // namespace

QByteArray membersCsv(const QSqlDatabase& db)
{
    CsvWriter csv;
    csv.addRecord(CsvList::headers(kColumns));
    QSqlQuery ids = runStatement(db, QStringLiteral("SELECT id FROM fanciers ORDER BY sort, id"));
    while (ids.next()) {
        if (const std::optional<FancierRecord> f = readFancier(db, int32_t(ids.value(0).toLongLong())))
            csv.addRecord(recordFields(*f));
    }
    return csv.utf8();
}

MemberImport::MemberImport(const QSqlDatabase& db, const QByteArray& bytes, const TextLookup& text)
    : CsvImport(db, text, QStringLiteral("fanciers"))
{
    checkLines(bytes, kColumns);
}

CsvImportLine MemberImport::checkLine(const CsvList& list, const CsvRecord& record)
{
    const QString licence = cleanedCsvField(list.value(record, Licence));
    const QString subject = (licence + u' ' + cleanedCsvField(list.value(record, Name))).trimmed();
    if (licenceFault(licence) != LicenceFault::None)
        return refusedLine(record.line, subject, m_text(kBadLicenceText));
    if (m_seenLicences.contains(licence))
        return refusedLine(record.line, subject, m_text(kEarlierLineText));

    const int32_t id = FindFancierByLicence(m_db, licence);
    const std::optional<FancierRecord> stored = id ? readFancier(m_db, id) : std::nullopt;
    FancierRecord member = stored.value_or(FancierRecord {});
    member.licence = licence;
    QStringList changed;
    QString reason = takeFields(list, record, member, changed);
    if (reason.isEmpty() && member.name.isEmpty())
        reason = m_text(kNoNameText);
    if (!reason.isEmpty())
        return refusedLine(record.line, subject, reason);

    m_seenLicences.insert(licence);
    if (!stored || !changed.isEmpty())
        m_accepted.append(member);
    return acceptedLine(record.line, subject, stored.has_value(), changed);
}

QString MemberImport::takeFields(const CsvList& list, const CsvRecord& record, FancierRecord& member,
                                 QStringList& changed) const
{
    const auto take = [&](MemberColumn column, QString& field, const QString& value) {
        if (value != field)
            changed.append(m_text(kColumns[column].caption));
        field = value;
    };
    for (const MemberField& f : kTextFields) {
        if (!list.has(f.column))
            continue;
        const QString value = cleanedCsvField(list.value(record, f.column));
        if (const std::optional<QString> reason = tooLong(value, f.field, kColumns[f.column].caption))
            return *reason;
        take(f.column, member.*f.member, value);
    }
    for (const CoordinateField& f : kCoordinateFields) {
        if (!list.has(f.column))
            continue;
        const std::optional<QString> value = coordinateToStore(list.value(record, f.column), member.*f.member, f.axis);
        if (!value)
            return m_text(f.faultText);
        take(f.column, member.*f.member, *value);
    }
    return QString();
}

int MemberImport::store() const
{
    inTransaction(m_db, [&] {
        // Before any fancier is claimed: two PCs importing lists that share
        // members then go one after the other instead of claiming the
        // shared ones crosswise.
        lockFancierLicences(m_db);
        for (const FancierRecord& member : m_accepted)
            storeFancier(m_db, member);
    });
    return int(m_accepted.size());
}

} // namespace durvek
