#pragma once
#include <QSqlDatabase>
#include <QString>
#include <functional>
#include <stdexcept>

namespace durvek {

class DatabaseFileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

enum class WriteOutcome { Written, LeftAlone };

// Builds a new SQLite database at path: fill() works on a temporary file in the
// same folder, which is renamed onto path only when fill() has returned. A failed
// or interrupted run therefore never leaves a half-written database behind.
// With keepExisting an existing file at path is left alone (and fill() is not run).
// Throws DatabaseFileError (or whatever fill() throws) on failure.
WriteOutcome writeDatabaseFile(const QString& path,
                               const std::function<void(QSqlDatabase&)>& fill,
                               bool keepExisting);

} // namespace durvek
