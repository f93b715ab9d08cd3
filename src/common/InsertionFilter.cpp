#include "common/InsertionFilter.h"
#include "common/KeyFilter.h"
#include <algorithm>

namespace durvek {

QString filterInsertion(const QString& text, const QString& tag, const QString& inserted,
                        int selectionStart, int selectionLength, QChar decimalSeparator)
{
    const int start = std::clamp(selectionStart, 0, int(text.size()));
    const int length = std::clamp(selectionLength, 0, int(text.size()) - start);
    const QString before = text.left(start);
    const QString after = text.mid(start + length);

    QString survivors;
    bool first = true;
    for (QChar c : inserted) {
        if (isControlKey(c))
            continue;
        const QString current = first ? text : before + survivors + after;
        const int selected = first ? length : 0;
        QChar key = c;
        if (FilterKey(current, tag, key, selected, decimalSeparator)) {
            survivors.append(key);
            first = false;
        }
    }
    return survivors;
}

QString filterInsertion(const QString& text, const QString& tag, const QString& inserted,
                        QChar decimalSeparator)
{
    return filterInsertion(text, tag, inserted, int(text.size()), 0, decimalSeparator);
}

} // namespace durvek
