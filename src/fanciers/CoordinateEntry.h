#pragma once
#include "common/LoftCoordinate.h"
#include <QString>
#include <optional>

namespace durvek {

// What a coordinate box of the fancier window shows for a stored text.
QString coordinateShown(const QString& stored);

// What the fancier window stores for a coordinate box, or nothing when the
// box holds no coordinate of that axis. A box still showing the stored text
// keeps that text exactly, readable or not: clubs hold values that other
// programs wrote, and they stay until the user types over them. A blank box
// stores an empty text; anything else is stored in the clocks' form.
std::optional<QString> coordinateToStore(const QString& typed, const QString& stored, CoordinateAxis axis);

} // namespace durvek
