#pragma once
#include <QHash>
#include <QList>
#include <QSqlDatabase>
#include <QString>

namespace durvek {

// The catalogue texts translated by the program's makers, compiled into the
// program (data/translations/<code>.tsv). A club chooses one language in
// Settings; its texts go into the "other" column of PcLanguage, the column a
// club types its own translations in, so the two must never be confused:
//
// - Choosing a language fills only rows whose "other" is blank. A text the
//   club typed is never changed.
// - A row whose "other" is the shipped text of another language (the one
//   chosen before) counts as blank, so switching from one language to another
//   replaces the shipped texts and only them.
// - Choosing English (the empty code) blanks the rows whose "other" is a
//   shipped text of any language, so the base texts show again; the club's
//   own texts stay.
//
// A text the club typed that happens to equal a shipped text cannot be told
// from it and is treated as shipped. The other way round, a shipped text
// that a later version words differently stays in a club's catalogue as if
// the club had typed it, until the club changes it in Pc-Soft.
//
// The choice is kept in settings.Language; the start-up upgrade gives the
// catalogue rows it adds the shipped text of that language.
class ShippedTranslations {
public:
    struct Language {
        QString code; // file name without ".tsv"; "" for English
        QString name; // as speakers of the language write it
    };

    // English first, then every shipped language.
    static const QList<Language>& languages();

    // The shipped texts of a language by catalogue number; empty for English
    // and for a code that is not shipped.
    static QHash<int, QString> texts(const QString& code);

    // The shipped file of a language as compiled in, for checking it.
    static QByteArray file(const QString& code);

    // Makes the catalogue show the language as described above, in one
    // transaction. Returns how many rows got a shipped text.
    // Throws DatabaseError when the engine refuses; nothing is changed then.
    static int apply(const QSqlDatabase& db, const QString& code);

    // The language code kept in settings.Language: "" when none is chosen,
    // when the field or the table is missing, or for a code not shipped.
    static QString chosen(const QSqlDatabase& db);
};

} // namespace durvek
