#include "languages/LanguageUpload.h"
#include "clocklink/ClockLibrary.h"
#include "clocklink/Frames.h"
#include "clocklink/JobFrameOrder.h"
#include "clocklink/Exchange.h"
#include "clocklink/JobHost.h"
#include "clocklink/JobSentence.h"
#include "common/Ansi.h"
#include "common/TextCatalogue.h"
#include "database/ClubDatabase.h"
#include "languages/LanguageTable.h"
#include <QDeadlineTimer>
#include <QScopedValueRollback>

namespace durvek {

namespace {

constexpr char kEscape = 0x1B;
constexpr char kTextEnd = 0x00;
constexpr int kTitleText = 28;     // "Update Zefira"
constexpr int kProgressText = 29;  // "Sending text"

// A clock drops a half received upload after 2 seconds without a byte and
// until then reads everything as text, the identify requests of the next
// wait included; retried without a break they would keep it deaf for good.
// So after an upload was stopped the line stays quiet a little longer than
// that before the next one. Shared by every upload of the run, since the
// window that stopped is gone when the next one starts.
constexpr int kHalfUploadQuietMs = 2500;
QDeadlineTimer& quietLineUntil()
{
    static QDeadlineTimer until(0);
    return until;
}

// The codes that, straight after an ESC, make the clock open a stage of the
// club data transfer instead of an upload.
bool isTransferStageCode(uint8_t code)
{
    return code == 1 || code == 2 || code == 5 || code == 6 || code == 8 || code == 10;
}

} // namespace

QByteArray clockTextBytes(const QString& text)
{
    QByteArray bytes = toAnsi(text);
    bytes.removeIf([](char b) { return b == kTextEnd || b == kEscape; });
    return bytes;
}

QByteArray openingTextBytes(const QString& text)
{
    QByteArray bytes = clockTextBytes(text);
    qsizetype stageCodes = 0;
    while (stageCodes < bytes.size() && isTransferStageCode(uint8_t(bytes.at(stageCodes))))
        ++stageCodes;
    return bytes.mid(stageCodes);
}

LanguageUpload::LanguageUpload(JobHost& host, ClockLibrary& library, TextLookup text)
    : m_host(host)
    , m_library(library)
    , m_text(std::move(text))
    , m_line(library)
{
}

LanguageUpload::LanguageUpload(JobHost& host)
    : LanguageUpload(host, clockLibrary(), GetText)
{
}

LanguageUpload::~LanguageUpload() = default;

void LanguageUpload::stop()
{
    m_stopRequested = true;
    if (m_running && !m_sending)
        linkBuffers().CancelRequested = true;
}

LanguageUpload::Outcome LanguageUpload::run(const QSqlDatabase& db, const ClubSettings& settings)
{
    if (m_running)
        return Outcome::Busy;
    QList<ClockText> texts;
    try {
        texts = clockTexts(db);
    } catch (const DatabaseError& e) {
        m_host.beep();
        m_host.warnDatabaseError(e, catalogue(kTitleText));
        return Outcome::DatabaseFailed;
    }
    return run(texts, settings);
}

LanguageUpload::Outcome LanguageUpload::run(const QList<ClockText>& texts, const ClubSettings& settings)
{
    if (m_running)
        return Outcome::Busy;
    // Without texts there is nothing to wait for the clock for.
    if (texts.isEmpty()) {
        report(QStringLiteral("The language table holds no texts: there is nothing to send to the clock."));
        return Outcome::NothingToSend;
    }
    const QScopedValueRollback<bool> running(m_running, true);
    m_stopRequested = false;
    // A Cancel that ended the previous wait must not end this one after
    // its first try.
    linkBuffers().CancelRequested = false;

    if (!quietLineUntil().hasExpired())
        pace(int(quietLineUntil().remainingTime()));
    JobContext job{m_host, m_library, LinkParams::fromSettings(settings), m_text};
    m_textsSent = 0;
    m_host.progress(0, 0);
    Outcome outcome = Outcome::Cancelled;
    if (WaitForClock(job))
        outcome = send(texts, settings);
    if (outcome == Outcome::Stopped || outcome == Outcome::LineFailed)
        quietLineUntil().setRemainingTime(kHalfUploadQuietMs);
    m_host.showStatus(QString());
    m_host.finished(closingSentence(outcome, int(texts.size()), job.lineResult, portDevice(settings, settings.com)));
    return outcome;
}

bool LanguageUpload::openLine(const ClubSettings& settings)
{
    QString error;
    if (m_line.open(settings, &error))
        return true;
    report(resultStatusText(resultCode(LinkResult::PortFault), portDevice(settings, settings.com), m_text)
           + u'\n' + error);
    return false;
}

LanguageUpload::Outcome LanguageUpload::send(const QList<ClockText>& texts, const ClubSettings& settings)
{
    const QScopedValueRollback<bool> sending(m_sending, true);
    // Cancel is not looked at once the texts go out: a table cut short
    // would leave the clock with texts missing.
    linkBuffers().CancelRequested = false;
    if (!openLine(settings))
        return Outcome::LineFailed;
    m_line.setRts(settings.converter);
    const Outcome outcome = sendTable(texts);
    if (outcome == Outcome::LineFailed)
        report(QStringLiteral("The line to the clock broke off during the upload."));
    else if (outcome == Outcome::Sent && !settings.converter)
        m_line.setRts(true);
    return outcome;
}

LanguageUpload::Outcome LanguageUpload::sendTable(const QList<ClockText>& texts)
{
    if (!sendByte(kEscape))
        return Outcome::LineFailed;
    const int total = int(texts.size());
    m_host.progress(0, total);
    for (int i = 0; i < total; ++i) {
        m_host.pumpEvents();
        const ClockText& text = texts.at(i);
        if (!sendText(text, i == 0 ? openingTextBytes(text.text) : clockTextBytes(text.text), total))
            return Outcome::LineFailed;
        m_textsSent = i + 1;
        m_host.progress(m_textsSent, total);
        if (m_stopRequested && i + 1 < total)
            return Outcome::Stopped;
        pace(m_pacing.afterTextMs);
    }
    if (!sendByte(kEscape))
        return Outcome::LineFailed;
    pace(m_pacing.afterClosingMs);
    return Outcome::Sent;
}

bool LanguageUpload::sendText(const ClockText& text, const QByteArray& bytes, int total)
{
    m_host.showStatus(catalogue(kProgressText) + QStringLiteral(" : ") + QString::number(text.id)
                      + QStringLiteral(" / ") + QString::number(total) + QStringLiteral("  ") + text.text);
    for (const char b : bytes) {
        if (!sendByte(b))
            return false;
        pace(m_pacing.afterCharacterMs);
        m_host.pumpEvents();
    }
    return sendByte(kTextEnd);
}

bool LanguageUpload::sendByte(char byte)
{
    return m_line.send(QByteArray(1, byte));
}

void LanguageUpload::pace(int milliseconds)
{
    if (milliseconds > 0)
        m_host.pause(milliseconds);
}

// A stopped upload never sent its closing ESC, so the clock drops what it
// got: nothing of it stays.
QString LanguageUpload::closingSentence(Outcome outcome, int total, uint16_t lineResult, const QString& device) const
{
    const JobSentence say(m_text);
    const QString job = catalogue(kTitleText);
    switch (outcome) {
    case Outcome::Sent:
        return say.textsLoaded(total, m_host.elapsedSeconds());
    case Outcome::Cancelled:
    case Outcome::Stopped:
        return say.stoppedByCancel(job, say.steps(m_textsSent, total), false, lineResult, device);
    case Outcome::LineFailed:
        return say.stopped(job, say.lineResult(resultCode(LinkResult::PortFault), device));
    case Outcome::NothingToSend:
    case Outcome::DatabaseFailed:
    case Outcome::Busy:
        break;
    }
    return say.nothingStored(job);
}

void LanguageUpload::report(const QString& message)
{
    m_host.beep();
    m_host.warn(message, catalogue(kTitleText));
}

QString LanguageUpload::catalogue(int number) const
{
    return m_text ? m_text(number) : QString::number(number);
}

} // namespace durvek
