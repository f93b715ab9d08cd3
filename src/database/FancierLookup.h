#pragma once
#include <QSqlDatabase>
#include <QString>
#include <cstdint>

namespace durvek {

// The id of the first fancier (in id order) whose licence is exactly the
// text, 0 when the text is empty or no fancier has it. An empty text never
// reaches the database. Throws DatabaseError when the engine refuses.
int32_t FindFancierByLicence(const QSqlDatabase& db, const QString& licence);

} // namespace durvek
