#pragma once
// A delivered club database, upgraded as at start-up and made the program's
// connection, with the catalogue reading from it; plus quick ways to fill it.
#include <QSqlDatabase>
#include <QStringList>
#include <QTemporaryDir>
#include <QVariant>
#include <cstdint>

namespace durvek::test {

class ClubDataDatabase {
public:
    ClubDataDatabase();
    ~ClubDataDatabase();
    ClubDataDatabase(const ClubDataDatabase&) = delete;
    ClubDataDatabase& operator=(const ClubDataDatabase&) = delete;

    int32_t addFancier(const QString& name, const QString& sort, const QString& licence = QString());
    void addPigeon(int32_t fancier, const QVariant& country, const QVariant& year, const QVariant& band,
                   const QVariant& sex, const QVariant& elcode);
    void addCombine(int id, const QString& name, int l1, int l2, int l3);
    void setBadges(const QStringList& names);  // replaces the table
    QStringList rows(const QString& sql) const;
    QVariant value(const QString& sql) const;

    QTemporaryDir dir;
    QSqlDatabase db;
};

} // namespace durvek::test
