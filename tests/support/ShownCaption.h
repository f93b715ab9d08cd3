#pragma once
// A button's caption as the user reads it: without the '&' that marks its
// keyboard mnemonic ("&&" shows one '&').
#include <QAbstractButton>
#include <QString>

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

} // namespace durvek::testing
