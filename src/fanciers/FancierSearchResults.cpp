#include "fanciers/FancierSearchResults.h"
#include "database/SqlUtil.h"

namespace durvek {

FancierSearchResults::FancierSearchResults(QObject* parent)
    : QAbstractTableModel(parent)
{
}

void FancierSearchResults::setCaptions(const QStringList& captions)
{
    m_captions = captions;
    if (columnCount() > 0)
        emit headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
}

void FancierSearchResults::search(const QSqlDatabase& db, FancierSearchMode mode, const QString& text)
{
    beginResetModel();
    m_query = QSqlQuery();
    m_rows.clear();
    m_more = false;
    m_searched = false;
    try {
        m_query = queryFanciers(db, mode, text);
        m_searched = true;
        m_more = true;
        m_rows = readPage();
    } catch (...) {
        endResetModel();
        throw;
    }
    endResetModel();
}

QList<QVariantList> FancierSearchResults::readPage()
{
    QList<QVariantList> page;
    while (page.size() < kPageRows && (m_more = m_query.next())) {
        QVariantList row;
        row.reserve(SearchColumnCount);
        for (int column = 0; column < SearchColumnCount; ++column)
            row.append(m_query.value(column));
        page.append(std::move(row));
    }
    if (!m_more)
        m_query.finish();  // lets go of the engine's read lock at once
    return page;
}

int FancierSearchResults::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int FancierSearchResults::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() || !m_searched ? 0 : SearchColumnCount;
}

QVariant FancierSearchResults::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole)
        || index.row() >= m_rows.size() || index.column() >= SearchColumnCount)
        return {};
    return m_rows.at(index.row()).at(index.column());
}

QVariant FancierSearchResults::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    return section < m_captions.size() ? m_captions.at(section) : QString();
}

bool FancierSearchResults::canFetchMore(const QModelIndex& parent) const
{
    return !parent.isValid() && m_more;
}

void FancierSearchResults::fetchMore(const QModelIndex& parent)
{
    if (!canFetchMore(parent))
        return;
    const QList<QVariantList> page = readPage();
    if (page.isEmpty())
        return;
    beginInsertRows({}, int(m_rows.size()), int(m_rows.size() + page.size() - 1));
    m_rows.append(page);
    endInsertRows();
}

} // namespace durvek
