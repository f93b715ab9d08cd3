#include "common/ui/Mnemonics.h"
#include "common/ui/Captions.h"
#include <QAbstractButton>
#include <QKeySequence>
#include <QSet>
#include <QVariant>
#include <QWidget>

namespace durvek {

namespace {

// The text this function gave a button; a different text means new captions.
constexpr char kDecoratedCaption[] = "mnemonicCaption";

QChar mnemonicLetter(const QString& text)
{
    const QKeySequence sequence = QKeySequence::mnemonic(text);
    if (sequence.isEmpty())
        return {};
    return QChar(sequence[0].key()).toLower();
}

bool isCandidate(const QString& text, qsizetype at, const QSet<QChar>& used)
{
    const QChar c = text.at(at);
    return c.isLetterOrNumber() && c != u'&' && !used.contains(c.toLower());
}

// Prefers the first letter of a word, as a reader expects, then a digit
// (COM1 to COM4 differ only there), then any letter.
qsizetype pickMnemonicPosition(const QString& escaped, const QSet<QChar>& used)
{
    for (qsizetype i = 0; i < escaped.size(); ++i) {
        const bool wordStart = i == 0 || !escaped.at(i - 1).isLetterOrNumber();
        if (wordStart && isCandidate(escaped, i, used))
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

bool keepsItsMnemonic(const QAbstractButton* button)
{
    const QString text = button->text();
    if (button->property(kDecoratedCaption).toString() == text)
        return true;
    // A caption set in code with its own mnemonic; catalogue texts never
    // count as having one.
    return !button->property(kCaptionNumberProperty).isValid() && !mnemonicLetter(text).isNull();
}

} // namespace

void assignMnemonics(QWidget* window)
{
    if (!window)
        return;
    QSet<QChar> used;
    QList<QAbstractButton*> fresh;
    for (QAbstractButton* button : window->findChildren<QAbstractButton*>()) {
        if (button->window() != window || button->text().trimmed().isEmpty())
            continue;
        if (keepsItsMnemonic(button))
            used.insert(mnemonicLetter(button->text()));
        else
            fresh << button;
    }
    for (QAbstractButton* button : fresh) {
        QString caption = button->text();
        // A catalogue text is plain text; one set in code is already written
        // the way buttons read it.
        if (button->property(kCaptionNumberProperty).isValid())
            caption.replace(u'&', QStringLiteral("&&"));
        const qsizetype at = pickMnemonicPosition(caption, used);
        if (at >= 0) {
            used.insert(caption.at(at).toLower());
            caption.insert(at, u'&');
        }
        button->setText(caption);
        button->setProperty(kDecoratedCaption, caption);
    }
}

} // namespace durvek
