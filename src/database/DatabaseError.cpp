#include "database/DatabaseError.h"
#include "common/TextCatalogue.h"
#include "database/CatalogueUpgrade.h"
#include <QDir>
#include <QSqlError>

namespace durvek {

namespace {

// Primary result codes of SQLite; the extended codes keep them in the low byte.
enum : int {
    kSqliteBusy = 5,
    kSqliteLocked = 6,
    kSqliteReadOnly = 8,
    kSqliteCorrupt = 11,
    kSqliteFull = 13,
    kSqliteNotADatabase = 26,
};

constexpr int kConnectionLostText = 306;
constexpr int kNoRightsText = 307;
constexpr int kCrossedByOtherPcText = 308;

// A server answers with a five-character SQLSTATE instead; SQLite's codes
// never have five digits.
bool isSqlState(const QString& code)
{
    return code.size() == 5;
}

DatabaseError::Kind kindOfSqlState(const QString& state)
{
    using Kind = DatabaseError::Kind;
    if (state == QLatin1String("55P03") || state == QLatin1String("57014"))
        return Kind::Busy;  // a lock not granted, a statement cancelled after its lock wait
    // The server broke a deadlock, or could not keep the transaction apart
    // from another one, by rolling this one back: doing it again succeeds.
    if (state == QLatin1String("40P01") || state == QLatin1String("40001"))
        return Kind::CrossedByOtherPc;
    if (state == QLatin1String("53100"))
        return Kind::Full;
    if (state.startsWith(QLatin1String("XX")))
        return Kind::Corrupt;
    if (state == QLatin1String("25006"))
        return Kind::ReadOnly;
    if (state == QLatin1String("42501"))
        return Kind::NoRights;
    // A connection failure, or the server shutting down, crashed or starting.
    if (state.startsWith(QLatin1String("08")) || state.startsWith(QLatin1String("57P0")))
        return Kind::ConnectionLost;
    return Kind::Other;
}

// In the club's language once start-up has read the catalogue; before that,
// and where the connection is gone, the program's own text.
QString catalogueSentence(int number)
{
    const QString text = GetText(number);
    return text.trimmed().isEmpty() ? CatalogueBaseText(number) : text;
}

std::string joined(const QString& sentence, const QString& details)
{
    const QString text = details.isEmpty() ? sentence : sentence + QStringLiteral("\n") + details;
    return text.toStdString();
}

} // namespace

DatabaseError::DatabaseError(const std::string& message)
    : DatabaseError(Kind::Other, QString::fromStdString(message), QString())
{
}

DatabaseError::DatabaseError(Kind kind, const QString& sentence, const QString& details)
    : std::runtime_error(joined(sentence, details))
    , m_kind(kind)
    , m_sentence(sentence)
    , m_details(details)
{
}

DatabaseError DatabaseError::fromEngine(const QSqlError& error, const QString& file, const QString& sql)
{
    const QString nativeCode = error.nativeErrorCode();
    bool numeric = false;
    const int code = nativeCode.toInt(&numeric);
    const bool server = isSqlState(nativeCode);
    const Kind kind = server ? kindOfSqlState(nativeCode) : numeric ? kindOfResultCode(code) : Kind::Other;
    QString engine = error.text().trimmed();
    if (engine.isEmpty())
        engine = QStringLiteral("unknown database error");
    QString details = QDir::toNativeSeparators(file) + QStringLiteral(": ") + engine;
    if (server)
        details += QStringLiteral(" (SQLSTATE %1)").arg(nativeCode);
    else if (numeric)
        details += QStringLiteral(" (code %1)").arg(code);
    if (!sql.isEmpty())
        details += QStringLiteral("\nin: ") + sql.simplified();
    return DatabaseError(kind, plainSentence(kind), details);
}

DatabaseError::Kind DatabaseError::kindOfResultCode(int resultCode)
{
    switch (resultCode & 0xff) {
    case kSqliteBusy:
    case kSqliteLocked:
        return Kind::Busy;
    case kSqliteFull:
        return Kind::Full;
    case kSqliteCorrupt:
    case kSqliteNotADatabase:
        return Kind::Corrupt;
    case kSqliteReadOnly:
        return Kind::ReadOnly;
    default:
        return Kind::Other;
    }
}

QString DatabaseError::plainSentence(Kind kind)
{
    switch (kind) {
    case Kind::Busy:
        return QStringLiteral("The club database is in use by another program: close it and try again");
    case Kind::Full:
        return QStringLiteral("The disk is full");
    case Kind::Corrupt:
        return QStringLiteral("The club database is damaged: restore a backup");
    case Kind::ReadOnly:
        return QStringLiteral("The club database is read only");
    case Kind::ConnectionLost:
        return catalogueSentence(kConnectionLostText);
    case Kind::NoRights:
        return catalogueSentence(kNoRightsText);
    case Kind::CrossedByOtherPc:
        return catalogueSentence(kCrossedByOtherPcText);
    case Kind::Other:
        break;
    }
    return QStringLiteral("The club database refused the request");
}

} // namespace durvek
