#include "tst_transferfixture.h"
#include "support/DeliveredDatabase.h"
#include "database/ClubDatabase.h"
#include "database/SchemaUpgrade.h"
#include "database/SqlUtil.h"
#include <QSqlQuery>

namespace durvek::test {

bool TransferWindow::saveFancier()
{
    ++saves;
    if (name.isEmpty())
        return false;
    if (fancierId != 0) {
        runStatement(m_db, QStringLiteral("UPDATE fanciers SET Licence = ?, Name = ? WHERE id = ?"),
                     {licence, name, fancierId});
        return true;
    }
    const QSqlQuery insert =
        runStatement(m_db, QStringLiteral("INSERT INTO fanciers (Licence, Name) VALUES (?, ?)"), {licence, name});
    fancierId = insert.lastInsertId().toInt();
    return true;
}

void TransferWindow::reloadPigeons() { ++reloads; }

QString transferText(int number)
{
    return number == 68 ? QStringLiteral("Hen") : QStringLiteral("T%1").arg(number);
}

TransferBench::TransferBench(clocksim::SimState clock)
{
    db = testing::openDeliveredDatabase(dir.path());
    upgradeSchema(db);
    clocksim::SimulatorOptions options;
    options.lineDelay = false;
    sim = std::make_unique<clocksim::Simulator>(clock, options);
    sim->start();
    library.setLineLog(nullptr);
    line.setLineLog(nullptr);
    window = std::make_unique<TransferWindow>(db);
    host = std::make_unique<TransferHost>(*window);
    store = std::make_unique<ClubDataTransferStore>(db);
}

TransferBench::~TransferBench()
{
    line.close();
    sim->stop();
    store.reset();
    host.reset();
    window.reset();
    db = QSqlDatabase();
    ClubDatabase::close();
}

TransferOutcome TransferBench::send()
{
    ClubDataTransfer transfer(*host, *window, *store, line, sim->devicePath(), transferText);
    return transfer.SendToClock();
}

TransferOutcome TransferBench::receive() { return receiveFrom(sim->devicePath()); }

TransferOutcome TransferBench::receiveFrom(const QString& device)
{
    ClubDataTransfer transfer(*host, *window, *store, line, device, transferText);
    return transfer.ReceiveFromClock();
}

int32_t TransferBench::addFancier(const QString& licence, const QString& name)
{
    return runStatement(db, QStringLiteral("INSERT INTO fanciers (Licence, Name) VALUES (?, ?)"), {licence, name})
        .lastInsertId()
        .toInt();
}

void TransferBench::addPigeon(int32_t fancier, const QVariant& country, const QVariant& year, const QVariant& band,
                              const QVariant& sex, const QVariant& elcode)
{
    runStatement(db,
                 QStringLiteral("INSERT INTO pigeons (Fancier, country, Year, band, sex, elcode) "
                                "VALUES (?, ?, ?, ?, ?, ?)"),
                 {fancier, country, year, band, sex, elcode});
}

void TransferBench::addCombine(int id, const QString& name, int l1, int l2, int l3)
{
    runStatement(db, QStringLiteral("INSERT INTO combine (id, Naam, L1, L2, L3) VALUES (?, ?, ?, ?, ?)"),
                 {id, name, l1, l2, l3});
}

void TransferBench::setBadges(const QStringList& names)
{
    runStatement(db, QStringLiteral("DELETE FROM badges"));
    for (int i = 0; i < names.size(); ++i)
        runStatement(db, QStringLiteral("INSERT INTO badges (id, Badge) VALUES (?, ?)"), {i + 1, names[i]});
}

QStringList TransferBench::rows(const QString& sql) const
{
    return testing::rows(db, sql);
}

} // namespace durvek::test
