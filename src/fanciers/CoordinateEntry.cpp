#include "fanciers/CoordinateEntry.h"

namespace durvek {

QString coordinateShown(const QString& stored)
{
    return stored.trimmed();
}

std::optional<QString> coordinateToStore(const QString& typed, const QString& stored, CoordinateAxis axis)
{
    const QString text = typed.trimmed();
    if (text == coordinateShown(stored))
        return stored;
    if (text.isEmpty())
        return QStringLiteral("");
    const std::optional<LoftCoordinate> coordinate = LoftCoordinate::parse(text, axis);
    if (!coordinate)
        return std::nullopt;
    return coordinate->storedText();
}

} // namespace durvek
