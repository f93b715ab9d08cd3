#include "clocklink/JobSentence.h"
#include "clocklink/Exchange.h"

namespace durvek {

namespace {

constexpr int kDatabaseFailedText = 98;
constexpr int kOfText = 109;
constexpr int kClockUpdatedText = 110;
constexpr int kClockReadText = 111;
constexpr int kRaceDataReadText = 112;
constexpr int kTextsLoadedText = 113;
constexpr int kChipBandsReadText = 114;
constexpr int kStoppedByCancelText = 115;
constexpr int kStoppedText = 116;
constexpr int kNothingStoredText = 117;
constexpr int kKeptSoFarText = 118;
constexpr int kPigeonsText = 119;
constexpr int kListStoredText = 210;
constexpr int kRowsLeftOutText = 211;

} // namespace

JobSentence::JobSentence(TextLookup text)
    : m_text(std::move(text))
{
    if (!m_text)
        m_text = [](int number) { return QString::number(number); };
}

QString JobSentence::pigeons(int done, int total) const
{
    if (total <= 0)
        return m_text(kPigeonsText).arg(done);
    return m_text(kOfText).arg(QString::number(done), m_text(kPigeonsText).arg(total));
}

QString JobSentence::steps(int done, int total) const { return m_text(kOfText).arg(QString::number(done), QString::number(total)); }

QString JobSentence::clockUpdated(const QString& fancier, int pigeons, int seconds) const
{
    return m_text(kClockUpdatedText).arg(fancier, QString::number(pigeons), QString::number(seconds));
}

QString JobSentence::clockRead(const QString& fancier, int pigeonsStored, int seconds) const
{
    return m_text(kClockReadText).arg(fancier, QString::number(pigeonsStored), QString::number(seconds));
}

QString JobSentence::raceDataRead(const QString& fancier, int flights, int pigeons, int seconds) const
{
    return m_text(kRaceDataReadText)
        .arg(fancier, QString::number(flights), QString::number(pigeons), QString::number(seconds));
}

QString JobSentence::textsLoaded(int texts, int seconds) const
{
    return m_text(kTextsLoadedText).arg(QString::number(texts), QString::number(seconds));
}

QString JobSentence::chipBandsRead(int codes, int seconds) const
{
    return m_text(kChipBandsReadText).arg(QString::number(codes), QString::number(seconds));
}

QString JobSentence::listStored(const QString& fancier, int pigeons, int rowsLeftOut) const
{
    return withRowsLeftOut(m_text(kListStoredText).arg(fancier, QString::number(pigeons)), rowsLeftOut);
}

QString JobSentence::withRowsLeftOut(const QString& sentence, int rowsLeftOut) const
{
    if (rowsLeftOut <= 0)
        return sentence;
    return sentence + QStringLiteral(". ") + m_text(kRowsLeftOutText).arg(rowsLeftOut);
}

QString JobSentence::stoppedByCancel(const QString& jobName, const QString& progress, bool keptSoFar,
                                     uint16_t lineResult, const QString& device) const
{
    const QString left = m_text(keptSoFar ? kKeptSoFarText : kNothingStoredText);
    return withLineResult(m_text(kStoppedByCancelText).arg(jobName, progress, left), lineResult, device);
}

QString JobSentence::stopped(const QString& jobName, const QString& why) const
{
    return m_text(kStoppedText).arg(jobName, why);
}

QString JobSentence::refused(const QString& jobName, const QString& device) const
{
    return stopped(jobName, lineResult(resultCode(LinkResult::Refused), device));
}

QString JobSentence::nothingStored(const QString& jobName) const
{
    return stopped(jobName, m_text(kNothingStoredText));
}

QString JobSentence::databaseFailed(const QString& jobName, const QString& why) const
{
    return stopped(jobName, why.isEmpty() ? m_text(kDatabaseFailedText) : why);
}

QString JobSentence::lineResult(uint16_t result, const QString& device) const
{
    return resultStatusText(result, device, m_text);
}

// A user who gave up waiting learns what the line said last, and what to do.
QString JobSentence::withLineResult(const QString& sentence, uint16_t result, const QString& device) const
{
    if (result == 0)
        return sentence;
    return sentence + QStringLiteral(" (") + lineResult(result, device) + u')';
}

} // namespace durvek
