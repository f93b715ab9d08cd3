#pragma once
#include <QString>

namespace durvek {

// Which folder holds the club database of this run.
//
// A club database beside the program wins, so a program folder copied onto a
// stick or unpacked by hand keeps working as it always has. An installed
// program has none there (its folder is not the club's to write in): it keeps
// the club database in the user's data folder, into which the delivered
// database installed with it is copied on the first start only. A program
// without a delivered database (a build tree) looks beside itself only, so a
// missing club database is still reported there and never made up.
class ClubDatabaseLocation {
public:
    ClubDatabaseLocation(QString programDir, QString dataFolder);

    struct Found {
        QString folder;
        // Why the delivered database could not be copied into the data
        // folder on a first start there; empty when nothing failed.
        QString copyProblem;
    };

    // The folder, after copying the delivered database into the data folder
    // when this is the first start there. A copy that fails leaves no file
    // behind, so opening then names the missing club database, and the
    // message adds copyProblem.
    Found find() const;
    QString folder() const { return find().folder; }

    // The delivered database, installed relative to the program so that a
    // package unpacked under another root finds its own.
    QString deliveredDatabase() const;

    // The location of the running program, with the user's data folder.
    static ClubDatabaseLocation ofThisProgram();

private:
    QString programDir_;
    QString dataFolder_;
};

} // namespace durvek
