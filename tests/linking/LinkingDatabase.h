#pragma once
// A club database as delivered, brought up to date as at start-up and open
// as the program's connection, with helpers to put fanciers and pigeons in
// and read them back.
#include "support/DeliveredClub.h"
#include <QSqlDatabase>
#include <QStringList>
#include <cstdint>

namespace durvek::test {

struct PigeonRow {
    QString country;
    QString year;
    QString band;
    QString sex;
    QString color;
    QString elcode;
    int nr = 0;
    bool deleted = false;
};

class LinkingDatabase {
public:
    QSqlDatabase db() const { return m_club.db(); }
    QString folder() const { return m_club.folder(); }
    QString databasePath() const { return m_club.databasePath(); }

    int32_t addFancier(const QString& licence, const QString& name, const QString& adress = QString(),
                       const QString& zip = QString(), const QString& city = QString(),
                       const QString& district = QString());
    void addPigeon(int32_t fancier, const PigeonRow& pigeon);

    // "country|Year|band|color|sex|elcode|Security|volring|delete" per row, by Nr.
    QStringList pigeonsOf(int32_t fancier) const;
    QStringList backupRows() const;
    QList<int> numbersOf(int32_t fancier) const;

private:
    testing::DeliveredClub m_club;
};

} // namespace durvek::test
