#pragma once
#include <QList>
#include <QSqlDatabase>

namespace durvek {

// Adds to table PcLanguage the texts that this version's windows use and a
// club's older file lacks, with their English base text and no translation.
// Only missing numbers are added: a row that is there stays exactly as it is,
// because the club may have translated it. Nothing is written when no number
// is missing.
// Throws DatabaseError naming the file and the table when PcLanguage is
// missing: without it every caption and message would come out blank.
void AddMissingCatalogueTexts(const QSqlDatabase& db);

// The numbers that start-up adds, in order, from 97 on; the delivered
// database holds every one of them after the texts 1 to 96.
QList<int> CatalogueNumbersAddedSinceDelivery();

// The English base text of one of those numbers: for messages that are due
// before any catalogue can be read (a database that is no club's has none).
// Empty for a number start-up does not add.
QString CatalogueBaseText(int number);

} // namespace durvek
