#pragma once
#include "clocklink/LinkResult.h"
#include <QString>

namespace durvek {

// The sentences a job that talks to a device ends with, from the catalogue:
// what was done and with what, or why it stopped, what it left behind and,
// when the line was the trouble, the last line result in plain words.
class JobSentence {
public:
    explicit JobSentence(TextLookup text);

    // "120 of 260 pigeons", or "120 pigeons" while the total is unknown (0).
    QString pigeons(int done, int total = 0) const;
    // "40 of 120", for steps that are not pigeons.
    QString steps(int done, int total) const;

    QString clockUpdated(const QString& fancier, int pigeons, int seconds) const;
    QString clockRead(const QString& fancier, int pigeonsStored, int seconds) const;
    QString raceDataRead(const QString& fancier, int flights, int pigeons, int seconds) const;
    QString textsLoaded(int texts, int seconds) const;
    QString chipBandsRead(int codes, int seconds) const;
    // "Update Database": the fancier's list as stored, and how many rows of
    // the grid could not be stored (a band or chip code not complete).
    QString listStored(const QString& fancier, int pigeons, int rowsLeftOut) const;
    // Any sentence of a job that stored the grid, followed by how many rows
    // the store had to leave out, when there were some.
    QString withRowsLeftOut(const QString& sentence, int rowsLeftOut) const;

    // jobName stopped by Cancel after progress; keptSoFar says whether what
    // was done up to then stays (in the clock or the database) or nothing
    // was stored. The line result of the last try follows when it failed.
    QString stoppedByCancel(const QString& jobName, const QString& progress, bool keptSoFar,
                            uint16_t lineResult = 0, const QString& device = QString()) const;
    // jobName stopped for a reason that is not the user's choice.
    QString stopped(const QString& jobName, const QString& why) const;
    // jobName stopped because the clock refused a request (line result 5).
    QString refused(const QString& jobName, const QString& device) const;
    // jobName stopped before anything was stored (the user kept what there was).
    QString nothingStored(const QString& jobName) const;
    // jobName stopped on a database failure (its message was shown): why,
    // when given, else the catalogue's general sentence.
    QString databaseFailed(const QString& jobName, const QString& why = QString()) const;
    // The words of a line result with its number: "1 - no answer: ...".
    QString lineResult(uint16_t result, const QString& device) const;

private:
    QString withLineResult(const QString& sentence, uint16_t result, const QString& device) const;

    TextLookup m_text;
};

} // namespace durvek
