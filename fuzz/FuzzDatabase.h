#pragma once
// A club database as delivered and brought up to date, fresh for every input:
// it is written once per run and copied for each input, then opened as the
// program's connection with the run state as start-up leaves it.
#include <QSqlDatabase>
#include <QString>
#include <cstdint>

namespace durvek::fuzz {

class FuzzDatabase {
public:
    FuzzDatabase();
    ~FuzzDatabase();
    FuzzDatabase(const FuzzDatabase&) = delete;
    FuzzDatabase& operator=(const FuzzDatabase&) = delete;

    QSqlDatabase db() const { return m_db; }
    // A folder for the files a job writes beside the database.
    QString folder() const;

private:
    QSqlDatabase m_db;
};

class FuzzInput;

// A fancier whose fields, pigeons, badges and combine come from the input:
// what the sending jobs put on the line. Returns the fancier's id.
int32_t addFuzzedClub(const QSqlDatabase& db, FuzzInput& input);

} // namespace durvek::fuzz
