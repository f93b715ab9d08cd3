#include "FuzzDatabase.h"
#include "FuzzApp.h"
#include "common/AppState.h"
#include "common/TextCatalogue.h"
#include "database/ClubDatabase.h"
#include "database/SchemaUpgrade.h"
#include "support/DeliveredDatabase.h"
#include <QDir>
#include <QFile>
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

QString fuzzText(int number)
{
    return QStringLiteral("T%1").arg(number);
}

} // namespace durvek::fuzz
