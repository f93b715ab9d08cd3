#pragma once
// A club database as delivered and brought up to date, fresh for every input.
// Copying and reopening the file for each input would cost most of the run,
// so the file is written and opened once per run as the program's connection,
// and each input runs inside an outer savepoint that is rolled back when it
// ends. The jobs' own units of work (inTransaction) are savepoints too, so
// they nest inside it. After the rollback the row count of every table (and
// of the schema) must be what it was before the first input; if it is not,
// inputs would see each other's rows, and the run stops there.
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
