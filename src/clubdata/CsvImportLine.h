#pragma once
#include <QString>

namespace durvek {

// What an import does with one line of a list, as the preview shows it
// before anything is stored.
struct CsvImportLine {
    enum class Verdict { Added, Changed, Unchanged, Refused };

    int line = 0;     // line of the file on which the record begins
    QString subject;  // the member or pigeon the line is about, as the user knows it
    Verdict verdict = Verdict::Refused;
    QString detail;   // changed: the captions of the changed fields; refused: the reason
};

} // namespace durvek
