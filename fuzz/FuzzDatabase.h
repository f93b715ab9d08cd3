#pragma once
// A club database as delivered and brought up to date, fresh for every input:
// it is written once per run and copied for each input, then opened as the
// program's connection with the run state as start-up leaves it.
#include <QSqlDatabase>
#include <QString>

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

// Catalogue texts as "T<n>": the jobs need no real catalogue under the fuzzer.
QString fuzzText(int number);

} // namespace durvek::fuzz
