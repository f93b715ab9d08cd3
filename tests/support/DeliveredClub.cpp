#include "support/DeliveredClub.h"
#include "common/AppState.h"
#include "common/TextCatalogue.h"
#include "database/ClubDatabase.h"
#include "database/SchemaUpgrade.h"
#include "support/DeliveredDatabase.h"

namespace durvek::testing {

DeliveredClub::DeliveredClub(Schema schema, Engine engine)
    : m_onServer(resolvedEngine(engine) == Engine::Postgresql)
{
    // Texts cached from the previous test case's file must not leak into this one.
    TextCatalogue::invalidate();
    m_db = openDeliveredDatabase(m_dir.path(), engine);
    if (schema == UpToDate)
        upgradeSchema(m_db);
    resetRunState(appState());
    appState().databasePath = databasePath();
    // Results are compared as written with a point, whatever the machine's locale.
    appState().decimalSeparator = u'.';
}

DeliveredClub::~DeliveredClub()
{
    m_db = QSqlDatabase();
    ClubDatabase::close();
    TextCatalogue::invalidate();
}

QString DeliveredClub::databasePath() const
{
    if (m_onServer)
        return serverDatabaseUri();
    return m_dir.filePath(QStringLiteral("durvadm.db"));
}

} // namespace durvek::testing
