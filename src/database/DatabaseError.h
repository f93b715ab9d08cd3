#pragma once
#include <QString>
#include <stdexcept>
#include <string>

class QSqlError;

namespace durvek {

// A failure of the club database. It carries what the user is told (a plain
// sentence chosen by the kind of failure) apart from what only helps a
// supporter (the file, the engine's text and the SQL), so that a message box
// can keep the statement out of sight. what() holds both, for logs.
class DatabaseError : public std::runtime_error {
public:
    enum class Kind {
        Busy,      // another program holds the file (locked)
        Full,      // no room left on the disk
        Corrupt,   // the file is damaged or is no database
        ReadOnly,  // the file may not be written
        ConnectionLost, // the server closed the connection; the next request opens it again
        NoRights,  // the server's login may not do this (the tables are another's)
        CrossedByOtherPc, // the server undid the work for another connection's, at the same moment (deadlock, serialization)
        Other,
    };

    // A failure the program itself found; message is shown as it stands.
    explicit DatabaseError(const std::string& message);
    DatabaseError(Kind kind, const QString& sentence, const QString& details);

    // A refusal of the engine: the kind follows from its result code.
    static DatabaseError fromEngine(const QSqlError& error, const QString& file,
                                    const QString& sql = {});

    // The kind of an SQLite result code (extended codes included).
    static Kind kindOfResultCode(int resultCode);
    // What the user is told for a kind.
    static QString plainSentence(Kind kind);

    Kind kind() const { return m_kind; }
    const QString& sentence() const { return m_sentence; }
    const QString& details() const { return m_details; }

private:
    Kind m_kind;
    QString m_sentence;
    QString m_details;
};

} // namespace durvek
