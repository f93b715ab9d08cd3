#pragma once
// A fresh copy of the delivered club database in a folder of its own, open as
// the program's connection, with the run state as start-up leaves it. Test
// fixtures that need particular rows build on it; the destructor closes the
// connection so that the next test case starts from the file again.
#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include "support/ServerClub.h"

namespace durvek::testing {

class DeliveredClub {
public:
    enum Schema {
        AsDelivered,  // the tables exactly as the club receives them
        UpToDate,     // upgraded as start-up does before any window opens
    };

    // Engine::FromEnvironment: the server in a test's _postgresql variant.
    explicit DeliveredClub(Schema schema = UpToDate, Engine engine = Engine::FromEnvironment);
    ~DeliveredClub();
    DeliveredClub(const DeliveredClub&) = delete;
    DeliveredClub& operator=(const DeliveredClub&) = delete;

    bool isOpen() const { return m_db.isOpen(); }
    QSqlDatabase db() const { return m_db; }
    QString folder() const { return m_dir.path(); }
    // The file; on the server the database's URI.
    QString databasePath() const;

private:
    QTemporaryDir m_dir;
    QSqlDatabase m_db;
    bool m_onServer = false;
};

} // namespace durvek::testing
