#pragma once
// A button's caption as the user reads it: without the '&' that marks its
// keyboard mnemonic ("&&" shows one '&').
#include <QAbstractButton>
#include <QKeySequence>
#include <QLabel>
#include <QString>
#include <QStringList>

namespace durvek::testing {

inline QString shownCaption(const QAbstractButton* button)
{
    QString shown;
    const QString text = button->text();
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.at(i) == u'&' && i + 1 < text.size())
            ++i;
        shown += text.at(i);
    }
    return shown;
}

// The mnemonic of every captioned button and every label that leads to a
// field one types in, in window ("alt+x"), or "none: <text>" for one without.
inline QStringList mnemonicsOf(const QWidget* window)
{
    QStringList mnemonics;
    const auto add = [&mnemonics](const QString& text) {
        const QKeySequence key = QKeySequence::mnemonic(text);
        mnemonics << (key.isEmpty() ? QStringLiteral("none: ") + text : key.toString().toLower());
    };
    for (const QAbstractButton* button : window->findChildren<QAbstractButton*>()) {
        if (!button->text().trimmed().isEmpty())
            add(button->text());
    }
    for (const QLabel* label : window->findChildren<QLabel*>()) {
        if (label->buddy() && (label->buddy()->focusPolicy() & Qt::TabFocus))
            add(label->text());
    }
    return mnemonics;
}

// What keeps the keyboard from reaching every control of window by its
// mnemonic: controls without one, letters shared; empty when nothing does.
inline QString mnemonicFaults(const QWidget* window)
{
    QStringList faults;
    const QStringList mnemonics = mnemonicsOf(window);
    for (const QString& mnemonic : mnemonics) {
        if (mnemonic.startsWith(QStringLiteral("none")) || mnemonics.count(mnemonic) > 1)
            faults << mnemonic;
    }
    return faults.join(u'|');
}

} // namespace durvek::testing
