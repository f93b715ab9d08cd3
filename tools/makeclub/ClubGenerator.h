#pragma once
#include <QSqlDatabase>
#include <cstdint>

namespace durvek {

struct ClubShape {
    int fanciers = 0;
    int pigeons = 0;
    uint32_t seed = 1;
    // Pigeon numbers 1..n (a club as start-up leaves it) or every number
    // wrong (even numbers in reverse order), which start-up must renumber.
    bool numbered = true;
};

// Fills a database holding the delivered schema: runs the start-up upgrade,
// then adds the fanciers and their pigeons in one transaction. The same shape
// and seed always give the same club.
void generateClub(QSqlDatabase& db, const ClubShape& shape);

} // namespace durvek
