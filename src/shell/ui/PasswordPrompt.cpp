#include "shell/ui/PasswordPrompt.h"
#include "database/CatalogueUpgrade.h"
#include <QInputDialog>
#include <QLineEdit>

namespace durvek {

std::optional<QString> PasswordPrompt::password(const QString& server, bool again)
{
    const QString label = CatalogueBaseText(again ? 312 : 311).arg(server);
    bool given = false;
    const QString text = QInputDialog::getText(nullptr, QStringLiteral("DURVEK Club - Administrator"), label,
                                               QLineEdit::Password, QString(), &given);
    if (!given)
        return std::nullopt;
    return text;
}

} // namespace durvek
