#pragma once
#include <QHash>
#include <QSqlDatabase>
#include <QString>

namespace durvek {

// The declared width of each text field of table ("VARCHAR(40)" gives 40),
// keyed by the field name in lower case; fields without a width are absent.
// The engine itself does not cut texts, so whatever must fit a club's file
// (and the other programs that read it) is measured against these.
// Throws DatabaseError when the engine refuses.
QHash<QString, int> textFieldWidths(const QSqlDatabase& db, const QString& table);

} // namespace durvek
