#pragma once
#include "database/DatabaseError.h"
#include <QMap>
#include <QSqlDatabase>
#include <cstdint>
#include <functional>

namespace durvek {

// Several club PCs may work on one club database. Each fancier carries a
// revision (fanciers.Revision) that every store of the fancier's record or
// pigeon list raises by one. A window or job remembers the revision the
// fancier had when it loaded what it shows; its store first claims that
// revision, and when another PC stored the fancier in between, the claim
// fails and nothing is stored: never a silent overwrite of the other PC's
// list, never two lists mixed into one.

// A store that found the fancier changed (or deleted) on another PC since it
// was loaded. Its sentence tells the user what to do.
class FancierChangedElsewhere : public DatabaseError {
public:
    FancierChangedElsewhere(const QSqlDatabase& db, int32_t fancierId, qint64 loadedRevision);
};

// The revision of each fancier a job works on, as it was when loaded.
using FancierRevisions = QMap<int32_t, qint64>;

// The fancier's revision now; 0 for a fancier that is not (or no longer)
// there. Throws DatabaseError when the engine refuses.
qint64 fancierRevision(const QSqlDatabase& db, int32_t fancierId);

// Notes the fancier's revision now, unless revisions holds the fancier
// already (the first one noted is what the job loaded).
void noteFancierRevision(const QSqlDatabase& db, int32_t fancierId, FancierRevisions& revisions);

// To be the FIRST statement of the store's transaction (after claimLicence,
// in a store that gives the fancier a licence): raises the fancier's
// revision when it still is loadedRevision, and returns the new revision.
// Throws FancierChangedElsewhere when it is not (the caller's transaction
// then rolls back), DatabaseError when the engine refuses.
qint64 claimFancierRevision(const QSqlDatabase& db, int32_t fancierId, qint64 loadedRevision);

// claimFancierRevision for each fancier, in id order (so two PCs claiming
// the same fanciers never wait on each other crosswise); the revisions
// become the new ones, or stay as they were when a claim fails.
void claimFancierRevisions(const QSqlDatabase& db, FancierRevisions& revisions);

// Runs replace, which puts other fanciers in the place of the present ones
// (a restore brings back the revisions the fanciers had then), inside the
// caller's transaction, and leaves every fancier's revision above the
// highest one there was: so no PC can still hold a revision that a claim
// after it accepts. Throws what replace throws, DatabaseError when the
// engine refuses.
void replaceEveryFancier(const QSqlDatabase& db, const std::function<void()>& replace);

} // namespace durvek
