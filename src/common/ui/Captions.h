#pragma once
#include <QString>

class QWidget;

namespace durvek {

// Every captioned control carries its text number in the dynamic property
// "captionNumber"; a window calls applyCaptions() on load to replace its
// design captions with the catalogue's texts in the club's language.

inline constexpr char kCaptionNumberProperty[] = "captionNumber";

void setCaptionNumber(QWidget* widget, int number);

// The number a widget carries: the property read as a number, 0 when it is
// missing or not a number (0 has no catalogue row and shows " ").
int captionNumber(const QWidget* widget);

// Sets one widget's caption: the text of buttons, check boxes and labels, the
// title of group boxes, the tab text of a tab page, else a window's title.
void setCaption(QWidget* widget, const QString& caption);

// Gives root and every descendant carrying a number the catalogue's text.
void applyCaptions(QWidget* root);

} // namespace durvek
