#pragma once
#include <QByteArray>
#include <QList>
#include <QString>

namespace durvek {

// One line of a translation file: a catalogue number and its text.
struct TranslatedText {
    int number = 0;
    QString text;
};

// A translation file as read: its lines in file order, and the first fault
// found (empty when none).
struct TranslationFile {
    QList<TranslatedText> texts;
    QString fault;
};

// Reads a translation file: UTF-8, one line per catalogue number,
// "number<TAB>text", where "\n", "\t" and "\\" in the text stand for a line
// break, a tab and a backslash. Reading stops at the first line that does not
// keep to this, naming it in fault; the lines before it are kept. Order and
// uniqueness of the numbers are the file's own; readers that rely on them
// check them.
TranslationFile ReadTranslationFile(const QByteArray& content);

} // namespace durvek
