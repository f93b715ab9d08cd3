#pragma once
#include <QString>
#include <QStringList>

namespace durvek {

// Where a generated fancier lives; decides names, places, band country and
// how postcodes and telephone numbers look.
enum class Nation { Belgium, Netherlands, France };

struct Place {
    QString zip;
    QString city;
    QString district;
    double x; // longitude, degrees east
    double y; // latitude, degrees north
};

// Word lists for generated clubs, per nation.
const QStringList& firstNames(Nation nation);
const QStringList& lastNames(Nation nation);
const QStringList& streets(Nation nation);
const QList<Place>& places(Nation nation);

// Band country code as the federation writes it.
QString bandCountry(Nation nation);

// Pigeon colours as clubs abbreviate them (at most four characters).
const QStringList& pigeonColours();

} // namespace durvek
