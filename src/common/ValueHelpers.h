#pragma once
#include <QChar>
#include <QString>
#include <QVariant>

namespace durvek {

// Small helpers every window uses when it reads database fields and text boxes.

// Trimmed text of value; the default (or "") when value is null or blank.
QString TextOrDefault(const QVariant& value, const QString& defaultText = QString());

// The number in a field or text, read with the given decimal separator:
//   "" , the separator alone, or null -> 0
//   separator ','  -> the locale's text-to-number conversion (0 when not a number)
//   separator '.'  -> the leading number of the text, '.' as decimal point (0 when none)
//   any other separator -> 0
double FieldNumber(const QVariant& value, QChar decimalSeparator);
// The same with the run's DecimalSeparator.
double FieldNumber(const QVariant& value);

// Removes every character whose code is 10 or less; carriage return (13) stays.
QString StripControlChars(const QString& text);

// Removes every " "; other white space stays.
QString RemoveSpaces(const QString& text);

// Trims text in place; true as soon as one character is not one of "0123456789-".
bool HasNonNumeric(QString& text);

// Boolean read of a database field: any non-zero number, or "true", is true.
bool FieldBool(const QVariant& value);

} // namespace durvek
