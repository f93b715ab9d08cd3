#include "FuzzDatabase.h"
#include "FuzzApp.h"
#include "FuzzInput.h"
#include "common/Ansi.h"
#include "database/SqlUtil.h"
#include "common/AppState.h"
#include "common/TextCatalogue.h"
#include "database/ClubDatabase.h"
#include "database/SchemaUpgrade.h"
#include "support/DeliveredDatabase.h"
#include <QDir>
#include <QFile>
#include <QSqlQuery>
#include <QTemporaryDir>

namespace durvek::fuzz {

namespace {

QTemporaryDir& runFolder()
{
    static QTemporaryDir dir;
    return dir;
}

QString templatePath() { return runFolder().filePath(QStringLiteral("delivered.db")); }
QString workPath() { return runFolder().filePath(QStringLiteral("work/durvadm.db")); }

void writeTemplateOnce()
{
    static const bool written = [] {
        QSqlDatabase db = testing::openDeliveredDatabase(runFolder().path());
        upgradeSchema(db);
        db = QSqlDatabase();
        ClubDatabase::close();
        QFile::rename(runFolder().filePath(QStringLiteral("durvadm.db")), templatePath());
        QDir(runFolder().path()).mkpath(QStringLiteral("work"));
        return true;
    }();
    (void)written;
}

} // namespace

FuzzDatabase::FuzzDatabase()
{
    ensureApplication();
    writeTemplateOnce();
    TextCatalogue::invalidate();
    QFile::remove(workPath());
    QFile::copy(templatePath(), workPath());
    QFile::setPermissions(workPath(), QFile::ReadOwner | QFile::WriteOwner);
    m_db = ClubDatabase::open(workPath());
    resetRunState(appState());
    appState().databasePath = workPath();
    appState().decimalSeparator = u'.';
}

FuzzDatabase::~FuzzDatabase()
{
    m_db = QSqlDatabase();
    ClubDatabase::close();
    TextCatalogue::invalidate();
}

QString FuzzDatabase::folder() const
{
    return runFolder().filePath(QStringLiteral("work"));
}

int32_t addFuzzedClub(const QSqlDatabase& db, FuzzInput& input)
{
    const auto text = [&input] { return fromAnsi(input.chunk()); };
    const QSqlQuery fancier = runStatement(
        db, QStringLiteral("INSERT INTO fanciers (Licence, Name, Adress, zip, city, KXT, KYT) VALUES (?, ?, ?, ?, ?, ?, ?)"),
        {text(), text(), text(), text(), text(), text(), text()});
    const int32_t id = int32_t(fancier.lastInsertId().toLongLong());
    const int pigeons = input.byte() % 8;
    for (int nr = 1; nr <= pigeons; ++nr) {
        runStatement(db,
                     QStringLiteral("INSERT INTO pigeons (Fancier, country, Year, band, sex, color, elcode, Nr) "
                                    "VALUES (?, ?, ?, ?, ?, ?, ?, ?)"),
                     {id, text(), text(), text(), text(), text(), text(), nr});
    }
    if (input.flag()) {
        runStatement(db, QStringLiteral("DELETE FROM badges"));
        const int badges = input.byte() % 8;
        for (int i = 1; i <= badges; ++i)
            runStatement(db, QStringLiteral("INSERT INTO badges (id, Badge) VALUES (?, ?)"), {i, text()});
    }
    if (input.flag()) {
        runStatement(db, QStringLiteral("INSERT INTO combine (id, Naam, L1, L2, L3) VALUES (?, ?, ?, ?, ?)"),
                     {1, text(), id, input.flag() ? id : 0, input.byte()});
    }
    return id;
}

} // namespace durvek::fuzz
