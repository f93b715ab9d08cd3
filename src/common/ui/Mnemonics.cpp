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

// Word starts first, then the other letters and digits of a caption.
QList<qsizetype> positionsByPreference(const QString& caption)
{
    QList<qsizetype> starts;
    QList<qsizetype> others;
    for (qsizetype i = 0; i < caption.size(); ++i) {
        const QChar c = caption.at(i);
        if (c.isLetterOrNumber())
            (isWordStart(caption, i) ? starts : others) << i;
    }
    return starts + others;
}

// The letters of one window and the control that has each. A window with
// many buttons can use up every letter of a later caption; that control
// then takes a letter from one that can move on to a letter still free.
class LetterPlan {
public:
    struct Entry {
        QWidget* control = nullptr;
        QString caption;     // as it will be shown, without the new '&'
        qsizetype at = -1;   // where the '&' goes; -1 for none
        bool movable = true; // common captions keep their letter
    };

    void keep(QChar letter) { m_owners.insert(letter, kKept); }

    QSet<QChar> used() const
    {
        QSet<QChar> letters;
        for (auto it = m_owners.cbegin(); it != m_owners.cend(); ++it)
            letters.insert(it.key());
        return letters;
    }

    int add(QWidget* control, const QString& caption, bool movable)
    {
        m_entries.append({control, caption, -1, movable});
        return int(m_entries.size() - 1);
    }

    void give(int index, qsizetype at)
    {
        Entry& entry = m_entries[index];
        if (entry.at >= 0)
            m_owners.remove(entry.caption.at(entry.at).toLower());
        entry.at = at;
        m_owners.insert(entry.caption.at(at).toLower(), index);
    }

    // A free letter for index, or one freed by moving its holder (and on).
    bool makeRoom(int index, QSet<int>& visited)
    {
        const QString& caption = m_entries[index].caption;
        const qsizetype free = pickMnemonicPosition(caption, used());
        if (free >= 0) {
            give(index, free);
            return true;
        }
        for (qsizetype at : positionsByPreference(caption)) {
            const int holder = m_owners.value(caption.at(at).toLower(), kKept);
            if (holder == kKept || visited.contains(holder) || !m_entries[holder].movable)
                continue;
            visited.insert(holder);
            if (makeRoom(holder, visited)) {
                give(index, at);
                return true;
            }
        }
        return false;
    }

    const QList<Entry>& entries() const { return m_entries; }

private:
    static constexpr int kKept = -1;
    QHash<QChar, int> m_owners;
    QList<Entry> m_entries;
};

} // namespace

void assignMnemonics(QWidget* window)
{
    if (!window)
        return;
    LetterPlan plan;
    QList<QWidget*> fresh;
    for (QWidget* control : window->findChildren<QWidget*>()) {
        if (!takesMnemonic(control, window))
            continue;
        if (keepsItsMnemonic(control))
            plan.keep(mnemonicLetter(shownText(control)));
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
        const int index = plan.add(control, caption, commonRank(control) == int(kCommonCaptions.size()));
        const qsizetype at = chooseMnemonicPosition(control, caption, plan.used(), commonLetters);
        if (at >= 0) {
            plan.give(index, at);
        } else {
            QSet<int> visited{index};
            plan.makeRoom(index, visited);
        }
    }
    for (const LetterPlan::Entry& entry : plan.entries()) {
        QString caption = entry.caption;
        if (entry.at >= 0)
            caption.insert(entry.at, u'&');
        setShownText(entry.control, caption);
        entry.control->setProperty(kDecoratedCaption, caption);
    }
}

} // namespace durvek
