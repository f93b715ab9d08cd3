#pragma once
#include <QByteArrayView>
#include <QString>
#include <QStringView>
#include <QtGlobal>

namespace durvek {

// Numbers that come from outside the program (a clock's answer, a line of the
// club data transfer, the pigeon file) are read here and nowhere else: only
// decimal digits, optionally padded with blanks on either side as fixed-width
// fields are, and only within the range the caller can use. Anything else is
// an error with a sentence that says why, never a silent 0 or a wrapped value.
struct StrictNumber {
    bool ok = false;
    qint64 value = 0;
    QString error; // empty when ok

    explicit operator bool() const { return ok; }
};

StrictNumber ReadStrictNumber(QStringView text, qint64 minimum, qint64 maximum);
// The bytes as Latin-1 characters; a NUL or any other non-digit is refused.
StrictNumber ReadStrictNumber(QByteArrayView bytes, qint64 minimum, qint64 maximum);

} // namespace durvek
