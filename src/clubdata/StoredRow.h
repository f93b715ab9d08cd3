#pragma once
#include <QVariantList>

namespace durvek {

// One row of a club data table as a grid shows it: the engine's row number,
// which stays the row's key even where the table has none of its own (two
// pigeons may agree in every field), and the shown fields in column order.
struct StoredRow {
    qint64 rowid = 0;
    QVariantList values;
};

} // namespace durvek
