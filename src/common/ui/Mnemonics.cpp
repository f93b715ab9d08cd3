#include "common/ui/Mnemonics.h"
#include "common/TextCatalogue.h"
#include "common/ui/Captions.h"
#include <QAbstractButton>
#include <QHash>
#include <QKeySequence>
#include <QLabel>
#include <QSet>
#include <QVariant>
#include <QWidget>
#include <algorithm>
#include <array>

namespace durvek {

namespace {

// The text this function gave a control; a different text means new captions.
constexpr char kDecoratedCaption[] = "mnemonicCaption";

// Captions that many windows carry, by catalogue number: they take their
// letters first, and always the same ones, so that Alt+E is Exit wherever
// Exit is. Earlier ones win when two would want the same letter.
constexpr std::array<int, 4> kCommonCaptions = {6 /* Exit */, 27 /* Cancel */, 91 /* Print */, 30 /* Select */};

QChar mnemonicLetter(const QString& text)
{
    const QKeySequence sequence = QKeySequence::mnemonic(text);
    if (sequence.isEmpty())
        return {};
    const QChar letter = QChar(sequence[0].key()).toLower();
    // "Save & Print" marks no mnemonic, whatever the blank after '&' says.
    return letter.isLetterOrNumber() ? letter : QChar();
}

bool isCandidate(const QString& text, qsizetype at, const QSet<QChar>& used)
{
    const QChar c = text.at(at);
    return c.isLetterOrNumber() && c != u'&' && !used.contains(c.toLower());
}

bool isWordStart(const QString& text, qsizetype at)
{
    return at == 0 || !text.at(at - 1).isLetterOrNumber();
}

// Prefers the first letter of a word, as a reader expects, then a digit
// (COM1 to COM4 differ only there), then any letter.
qsizetype pickMnemonicPosition(const QString& escaped, const QSet<QChar>& used)
{
    for (qsizetype i = 0; i < escaped.size(); ++i) {
        if (isWordStart(escaped, i) && isCandidate(escaped, i, used))
            return i;
    }
    for (qsizetype i = 0; i < escaped.size(); ++i) {
        if (escaped.at(i).isDigit() && isCandidate(escaped, i, used))
            return i;
    }
    for (qsizetype i = 0; i < escaped.size(); ++i) {
        if (isCandidate(escaped, i, used))
            return i;
    }
    return -1;
}

// Where letter stands in caption, at the start of a word if it can be.
qsizetype positionOfLetter(const QString& caption, QChar letter)
{
    qsizetype found = -1;
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption.at(i).toLower() != letter || (i > 0 && caption.at(i - 1) == u'&'))
            continue;
        if (isWordStart(caption, i))
            return i;
        if (found < 0)
            found = i;
    }
    return found;
}

// The letter of each common caption, worked out over all of them together
// from the club's texts, so that no window decides it differently.
QHash<int, QChar> commonCaptionLetters()
{
    QHash<int, QChar> letters;
    QSet<QChar> used;
    for (int number : kCommonCaptions) {
        const QString caption = GetText(number);
        const qsizetype at = pickMnemonicPosition(caption, used);
        if (at < 0)
            continue;
        letters.insert(number, caption.at(at).toLower());
        used.insert(caption.at(at).toLower());
    }
    return letters;
}

int commonRank(const QWidget* control)
{
    if (!control->property(kCaptionNumberProperty).isValid())
        return int(kCommonCaptions.size());
    const auto found = std::find(kCommonCaptions.begin(), kCommonCaptions.end(), captionNumber(control));
    return int(found - kCommonCaptions.begin());
}

// Common captions first, then the other buttons, then the labels: a field
// is reached by Tab as well, an action only by its key.
int pickingOrder(const QWidget* control)
{
    const bool label = qobject_cast<const QLabel*>(control);
    return commonRank(control) + (label ? int(kCommonCaptions.size()) + 1 : 0);
}

// Buttons, check boxes and option buttons, and labels that lead to a field
// the user types in (a box that is only shown needs no key).
bool takesMnemonic(const QWidget* control, const QWidget* window)
{
    if (control->window() != window)
        return false;
    if (const auto* label = qobject_cast<const QLabel*>(control))
        return label->buddy() && (label->buddy()->focusPolicy() & Qt::TabFocus)
            && label->textFormat() != Qt::RichText && !label->text().trimmed().isEmpty();
    const auto* button = qobject_cast<const QAbstractButton*>(control);
    return button && !button->text().trimmed().isEmpty();
}

QString shownText(const QWidget* control)
{
    if (const auto* label = qobject_cast<const QLabel*>(control))
        return label->text();
    return static_cast<const QAbstractButton*>(control)->text();
}

void setShownText(QWidget* control, const QString& text)
{
    if (auto* label = qobject_cast<QLabel*>(control))
        label->setText(text);
    else
        static_cast<QAbstractButton*>(control)->setText(text);
}

bool keepsItsMnemonic(const QWidget* control)
{
    const QString text = shownText(control);
    if (control->property(kDecoratedCaption).toString() == text)
        return true;
    // A caption set in code with its own mnemonic; catalogue texts never
    // count as having one.
    return !control->property(kCaptionNumberProperty).isValid() && !mnemonicLetter(text).isNull();
}

qsizetype chooseMnemonicPosition(const QWidget* control, const QString& caption, const QSet<QChar>& used,
                                 const QHash<int, QChar>& commonLetters)
{
    const QChar preferred = commonRank(control) < int(kCommonCaptions.size())
                                ? commonLetters.value(captionNumber(control))
                                : QChar();
    if (!preferred.isNull() && !used.contains(preferred)) {
        const qsizetype at = positionOfLetter(caption, preferred);
        if (at >= 0)
            return at;
    }
    return pickMnemonicPosition(caption, used);
}

} // namespace

void assignMnemonics(QWidget* window)
{
    if (!window)
        return;
    QSet<QChar> used;
    QList<QWidget*> fresh;
    for (QWidget* control : window->findChildren<QWidget*>()) {
        if (!takesMnemonic(control, window))
            continue;
        if (keepsItsMnemonic(control))
            used.insert(mnemonicLetter(shownText(control)));
        else
            fresh << control;
    }
    std::stable_sort(fresh.begin(), fresh.end(),
                     [](const QWidget* a, const QWidget* b) { return pickingOrder(a) < pickingOrder(b); });
    const QHash<int, QChar> commonLetters = commonCaptionLetters();
    for (QWidget* control : fresh) {
        QString caption = shownText(control);
        // A catalogue text is plain text; one set in code is already written
        // the way buttons read it.
        if (control->property(kCaptionNumberProperty).isValid())
            caption.replace(u'&', QStringLiteral("&&"));
        const qsizetype at = chooseMnemonicPosition(control, caption, used, commonLetters);
        if (at >= 0) {
            used.insert(caption.at(at).toLower());
            caption.insert(at, u'&');
        }
        setShownText(control, caption);
        control->setProperty(kDecoratedCaption, caption);
    }
}

} // namespace durvek
