#include "ClubNames.h"

namespace durvek {

const QStringList& firstNames(Nation nation)
{
    static const QStringList belgian{"Jan", "Jef", "Marc", "Luc", "Dirk", "Patrick", "Eddy", "Freddy",
                                     "Willy", "Noël", "Gaston", "Rik", "Stijn", "Koen", "Geert", "Frans",
                                     "Jozef", "André", "Hilaire", "Roger", "Maria", "Annick", "Lieve"};
    static const QStringList dutch{"Piet", "Kees", "Henk", "Gerrit", "Johan", "Bram", "Sjaak", "Wim",
                                   "Teun", "Joop", "Arie", "Bert", "Dinand", "Gijs", "Marijke", "Ineke",
                                   "Hennie", "Klaas", "Rinus", "Daan"};
    static const QStringList french{"Jean", "Pierre", "Michel", "Jacques", "René", "Gérard", "Thierry",
                                    "François", "Hervé", "Benoît", "Jérôme", "Sébastien", "Éric", "Céline",
                                    "Hélène", "Joël", "Régis", "Aimé"};
    switch (nation) {
    case Nation::Belgium: return belgian;
    case Nation::Netherlands: return dutch;
    case Nation::France: return french;
    }
    return belgian;
}

const QStringList& lastNames(Nation nation)
{
    static const QStringList belgian{"Peeters", "Janssens", "Maes", "Jacobs", "Mertens", "Willems",
                                     "Claes", "Goossens", "Wouters", "De Smet", "Van den Broeck",
                                     "Vermeulen", "Van Damme", "De Backer", "Verstraete", "Desmet",
                                     "Van Hove", "Lambrechts", "Coppens", "Vandenabeele", "D'Hondt"};
    static const QStringList dutch{"de Jong", "Jansen", "de Vries", "van den Berg", "van Dijk", "Bakker",
                                   "Visser", "Smit", "Meijer", "de Boer", "Mulder", "de Groot", "Bos",
                                   "Vos", "Peters", "Hendriks", "van Leeuwen", "Dekker", "Brouwer",
                                   "Koopman"};
    static const QStringList french{"Martin", "Bernard", "Dubois", "Thomas", "Robert", "Richard",
                                    "Petit", "Durand", "Leroy", "Moreau", "Lefèvre", "Lefebvre",
                                    "Delcourt", "Deschamps", "Carpentier", "Duhamel", "Lemaire",
                                    "Béthune", "Descamps"};
    switch (nation) {
    case Nation::Belgium: return belgian;
    case Nation::Netherlands: return dutch;
    case Nation::France: return french;
    }
    return belgian;
}

const QStringList& streets(Nation nation)
{
    static const QStringList belgian{"Kerkstraat", "Stationsstraat", "Dorpsstraat", "Molenstraat",
                                     "Nieuwstraat", "Schoolstraat", "Kapelstraat", "Rue de la Gare",
                                     "Steenweg", "Beekstraat"};
    static const QStringList dutch{"Hoofdstraat", "Kerkstraat", "Dorpsstraat", "Schoolstraat",
                                   "Molenweg", "Julianastraat", "Beatrixlaan", "Wilhelminastraat",
                                   "Irenestraat", "Parallelweg"};
    static const QStringList french{"Rue de la République", "Rue Pasteur", "Rue Victor Hugo",
                                    "Rue Jean Jaurès", "Grande Rue", "Rue de l'Église",
                                    "Place du Marché", "Rue des Écoles", "Chemin du Moulin"};
    switch (nation) {
    case Nation::Belgium: return belgian;
    case Nation::Netherlands: return dutch;
    case Nation::France: return french;
    }
    return belgian;
}

const QList<Place>& places(Nation nation)
{
    static const QList<Place> belgian{
        {"2000", "Antwerpen", "Antwerpen", 4.40, 51.22}, {"9000", "Gent", "Oost-Vlaanderen", 3.72, 51.05},
        {"8500", "Kortrijk", "West-Vlaanderen", 3.26, 50.83}, {"3000", "Leuven", "Vlaams-Brabant", 4.70, 50.88},
        {"3500", "Hasselt", "Limburg", 5.34, 50.93}, {"2800", "Mechelen", "Antwerpen", 4.48, 51.03},
        {"9300", "Aalst", "Oost-Vlaanderen", 4.04, 50.94}, {"8800", "Roeselare", "West-Vlaanderen", 3.13, 50.95},
        {"7500", "Tournai", "Hainaut", 3.39, 50.61}, {"5000", "Namur", "Namur", 4.87, 50.47},
        {"2300", "Turnhout", "Antwerpen", 4.95, 51.32}, {"8900", "Ieper", "West-Vlaanderen", 2.89, 50.85}};
    static const QList<Place> dutch{
        {"4811 AB", "Breda", "Noord-Brabant", 4.78, 51.59}, {"5611 CD", "Eindhoven", "Noord-Brabant", 5.47, 51.44},
        {"6511 EF", "Nijmegen", "Gelderland", 5.86, 51.84}, {"3811 GH", "Amersfoort", "Utrecht", 5.39, 52.16},
        {"8011 JK", "Zwolle", "Overijssel", 6.09, 52.51}, {"7511 LM", "Enschede", "Overijssel", 6.89, 52.22},
        {"4331 NP", "Middelburg", "Zeeland", 3.61, 51.50}, {"9711 RS", "Groningen", "Groningen", 6.57, 53.22},
        {"5911 TV", "Venlo", "Limburg", 6.17, 51.37}, {"6211 WX", "Maastricht", "Limburg", 5.69, 50.85}};
    static const QList<Place> french{
        {"59000", "Lille", "Nord", 3.06, 50.63}, {"59200", "Tourcoing", "Nord", 3.16, 50.72},
        {"59100", "Roubaix", "Nord", 3.18, 50.69}, {"62000", "Arras", "Pas-de-Calais", 2.78, 50.29},
        {"59300", "Valenciennes", "Nord", 3.52, 50.36}, {"80000", "Amiens", "Somme", 2.30, 49.89},
        {"02100", "Saint-Quentin", "Aisne", 3.29, 49.85}, {"59140", "Dunkerque", "Nord", 2.38, 51.03},
        {"62100", "Calais", "Pas-de-Calais", 1.86, 50.95}};
    switch (nation) {
    case Nation::Belgium: return belgian;
    case Nation::Netherlands: return dutch;
    case Nation::France: return french;
    }
    return belgian;
}

QString bandCountry(Nation nation)
{
    switch (nation) {
    case Nation::Belgium: return QStringLiteral("BE");
    case Nation::Netherlands: return QStringLiteral("NL");
    case Nation::France: return QStringLiteral("FR");
    }
    return QStringLiteral("BE");
}

const QStringList& pigeonColours()
{
    static const QStringList colours{"BL", "BLGE", "BLKR", "DKGE", "DKKR", "ROOD", "SCH", "ZWRT",
                                     "VAAL", "GEKR", "LIS", "RGE"};
    return colours;
}

} // namespace durvek
