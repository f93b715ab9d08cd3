#pragma once
#include "clocklink/DirectLine.h"
#include "clocklink/JobContext.h"
#include "languages/ClockText.h"
#include "languages/UploadPacing.h"
#include <QList>
#include <QSqlDatabase>

namespace durvek {

class ClockLibrary;
class JobHost;

// "Update Zefira": waits until a clock answers on the framed link, then sends
// every display text of the language table over the direct line of the
// configured port:
//
//   ESC, per text its characters and one NUL, ESC
//
// The clock reads the opening ESC as the start of an upload and the closing
// one as its end; it answers nothing. No framed request announces or closes
// the upload (no language request before it, no end-of-job after it): the
// clock knows an upload by its ESCs alone and expects no frame around it.
//
// The window gives its JobHost (status label = progress line, Cancel sets
// linkBuffers().CancelRequested) and keeps the job for as long as it is open:
// the direct line stays open after an upload and closes with the job.
class LanguageUpload {
public:
    enum class Outcome {
        Sent,           // every text and the closing ESC went out
        Cancelled,      // Cancel ended the wait for the clock; nothing was sent
        NothingToSend,  // the language table is empty; the clock was not asked
        Stopped,        // stop() ended the upload after a text, without its closing ESC
        LineFailed,     // the direct line could not be opened or broke off
        DatabaseFailed, // the language table could not be read
        Busy,           // an upload of this job is running already; nothing was done
    };

    LanguageUpload(JobHost& host, ClockLibrary& library, TextLookup text);
    explicit LanguageUpload(JobHost& host);  // the program's library and catalogue
    ~LanguageUpload();
    LanguageUpload(const LanguageUpload&) = delete;
    LanguageUpload& operator=(const LanguageUpload&) = delete;

    void setPacing(const UploadPacing& pacing) { m_pacing = pacing; }
    DirectLine& line() { return m_line; }

    // Reads the table, then runs the upload on the settings' port. The
    // window passes appState().activeSettings: the program's clock library
    // finds the framed link's device through them as well.
    Outcome run(const QSqlDatabase& db, const ClubSettings& settings);
    Outcome run(const QList<ClockText>& texts, const ClubSettings& settings);

    // True from the wait for the clock to the end of the upload.
    bool isRunning() const { return m_running; }
    // True while texts go out (Cancel is not looked at then).
    bool isSending() const { return m_sending; }

    // For a window that closes during the job: a wait for the clock ends
    // at once, a running upload ends after the text being sent. The clock
    // never sees the closing ESC then, so it drops the half upload and keeps
    // the texts it had, instead of taking a table with its tail missing.
    // The next upload of the run keeps the line quiet until the clock has
    // dropped the half upload (2.5 s after the stop) before it asks for the clock.
    void stop();

private:
    bool openLine(const ClubSettings& settings);
    Outcome send(const QList<ClockText>& texts, const ClubSettings& settings);
    Outcome sendTable(const QList<ClockText>& texts);
    bool sendText(const ClockText& text, const QByteArray& bytes, int total);
    bool sendByte(char byte);
    void pace(int milliseconds);
    void report(const QString& message);
    QString closingSentence(Outcome outcome, int total, uint16_t lineResult, const QString& device) const;
    QString catalogue(int number) const;

    JobHost& m_host;
    ClockLibrary& m_library;
    TextLookup m_text;
    DirectLine m_line;
    UploadPacing m_pacing;
    bool m_running = false;
    bool m_sending = false;
    bool m_stopRequested = false;
    int m_textsSent = 0;
};

// The bytes one text goes out as: its characters in the clock's code page.
// Codes 1-31 other than ESC may be glyphs of the clock's display and go out
// as they are; only NUL and ESC are left out, since the clock reads them as
// the end of a text and of the upload.
QByteArray clockTextBytes(const QString& text);

// The same for the first text of an upload. The clock tells an upload from
// a stage of the club data transfer by the byte after the opening ESC, so
// stage codes at the very start of the first text are left out as well.
QByteArray openingTextBytes(const QString& text);

} // namespace durvek
