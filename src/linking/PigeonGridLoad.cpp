#include "linking/PigeonGridLoad.h"
#include "common/ValueHelpers.h"
#include "database/PigeonNumbering.h"
#include "database/SqlUtil.h"
#include "linking/LookupText.h"
#include "linking/PigeonGrid.h"
#include <QSqlQuery>
#include <QSqlRecord>

namespace durvek {

namespace {

constexpr int kFemaleText = 68;
constexpr int kLicenceText = 8;
constexpr int kNameText = 9;
constexpr int kAddressText = 10;
constexpr int kZipText = 11;
constexpr int kDistrictText = 12;
constexpr int kCityText = 16;
constexpr int kBandWidth = 10;


// Bands are shown right-aligned in ten characters.
QString shownBand(const QVariant& band)
{
    return (QString(kBandWidth, u' ') + TextOrDefault(band)).right(kBandWidth);
}

} // namespace

QStringList pigeonGridHeaders(const TextLookup& text)
{
    QStringList headers{QStringLiteral("#")};
    for (int number : {35, 36, 37, 67, 38, 39, 40})
        headers << lookupText(text, number);
    return headers;
}

void ResetPigeonGrid(PigeonGrid& grid, const TextLookup& text)
{
    grid.reset(pigeonGridHeaders(text));
}

int LoadPigeonGrid(PigeonGrid& grid, const QSqlDatabase& db, int32_t fancierId, bool sortByBand,
                   const TextLookup& text)
{
    const QString order = pigeonListOrder(sortByBand);
    QSqlQuery pigeons = runStatement(
        db,
        QStringLiteral("SELECT country, Year, band, color, sex, elcode FROM pigeons "
                       "WHERE Fancier = ? AND \"delete\" = 0")
            + order,
        {fancierId});
    ResetPigeonGrid(grid, text);
    const QString female = lookupText(text, kFemaleText);
    int loaded = 0;
    while (pigeons.next()) {
        const int r = grid.rowCount() - 1;
        grid.setCurrent(r, grid.currentColumn(), true);
        grid.setCellText(r, PigeonGrid::kCountryColumn, TextOrDefault(pigeons.value(0)));
        grid.setCellText(r, PigeonGrid::kYearColumn, TextOrDefault(pigeons.value(1)));
        grid.setCellText(r, PigeonGrid::kBandColumn, shownBand(pigeons.value(2)));
        grid.setCellText(r, PigeonGrid::kColourColumn, TextOrDefault(pigeons.value(3)));
        if (pigeons.value(4).toString() == QStringLiteral("F"))
            grid.setCellText(r, PigeonGrid::kSexColumn, female);
        grid.setCellText(r, PigeonGrid::kChipCodeColumnIndex, TextOrDefault(pigeons.value(5)));
        grid.addRow();
        grid.setCellText(r + 1, PigeonGrid::kNumberColumn, QString::number(r + 1));
        ++loaded;
    }
    return loaded;
}

std::optional<QStringList> fancierHeaderLines(const QSqlDatabase& db, int32_t fancierId, const TextLookup& text)
{
    QSqlQuery fancier = runStatement(
        db, QStringLiteral("SELECT Name, Licence, Adress, zip, city, district FROM fanciers WHERE id = ?"), {fancierId});
    if (!fancier.next())
        return std::nullopt;
    auto field = [&fancier](int i, const QString& fallback = QString()) {
        return TextOrDefault(fancier.value(i), fallback);
    };
    auto name = [&text](int number, const char* english) {
        return (text ? text(number) : QString::fromLatin1(english)) + QStringLiteral(" : ");
    };
    const QString separator = QStringLiteral("  - ");
    return QStringList{
        name(kNameText, "Name") + field(0) + separator + name(kLicenceText, "Licence") + field(1),
        name(kAddressText, "Adress") + field(2, QString(14, u' ')),
        name(kZipText, "Zip") + field(3, QString(6, u' ')) + separator + name(kCityText, "City")
            + field(4, QString(5, u' ')) + separator + name(kDistrictText, "District") + field(5),
    };
}

QString fancierLicenceAndName(const QSqlDatabase& db, int32_t fancierId)
{
    QSqlQuery fancier = runStatement(db, QStringLiteral("SELECT Licence, Name FROM fanciers WHERE id = ?"), {fancierId});
    if (!fancier.next())
        return QString();
    return (TextOrDefault(fancier.value(0)) + u' ' + TextOrDefault(fancier.value(1))).simplified();
}

} // namespace durvek
