#include "clubdata/FancierBrowser.h"

namespace durvek {

void FancierBrowser::setIds(QList<int32_t> ids)
{
    m_ids = std::move(ids);
    m_position = m_ids.isEmpty() ? -1 : 0;
}

int32_t FancierBrowser::currentId() const
{
    if (m_position < 0 || m_position >= m_ids.size())
        return 0;
    return m_ids[m_position];
}

bool FancierBrowser::moveTo(int32_t id)
{
    const qsizetype found = m_ids.indexOf(id);
    if (found < 0)
        return false;
    m_position = int(found);
    return true;
}

bool FancierBrowser::previous()
{
    if (m_ids.isEmpty())
        return false;
    // Past the end (after the last fancier was deleted) a step back lands on
    // the new last one.
    const int wanted = std::min(m_position, int(m_ids.size())) - 1;
    if (wanted < 0) {
        m_position = 0;
        return false;
    }
    m_position = wanted;
    return true;
}

bool FancierBrowser::next()
{
    if (m_ids.isEmpty())
        return false;
    const int wanted = m_position + 1;
    if (wanted >= m_ids.size()) {
        m_position = int(m_ids.size()) - 1;
        return false;
    }
    m_position = wanted;
    return true;
}

void FancierBrowser::removeCurrent()
{
    if (m_position < 0 || m_position >= m_ids.size())
        return;
    m_ids.removeAt(m_position);
}

} // namespace durvek
