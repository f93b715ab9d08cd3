#pragma once
#include <QString>
#include <optional>

namespace durvek {

// Asked for a password only when the server wants one and neither the URI
// nor ~/.pgpass (which the engine's client reads itself) gave it. What it
// returns is used for that connection only and never written anywhere.
class PasswordSource {
public:
    virtual ~PasswordSource() = default;
    // The password for server (its address without password); again is true
    // when the one given before was refused. nullopt: the user gives none.
    virtual std::optional<QString> password(const QString& server, bool again) = 0;
};

// For work without a user at hand (command line, tests): never a password.
class NoPasswordSource : public PasswordSource {
public:
    std::optional<QString> password(const QString&, bool) override { return std::nullopt; }
};

} // namespace durvek
