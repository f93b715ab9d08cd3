#pragma once
#include "database/PasswordSource.h"

namespace durvek {

// Asks the user for the server's password in a small window. The catalogue
// is in the database the password opens, so the texts are the base texts.
class PasswordPrompt : public PasswordSource {
public:
    std::optional<QString> password(const QString& server, bool again) override;
};

} // namespace durvek
