#pragma once
#include "fanciers/FancierSearchQuery.h"
#include <QAbstractTableModel>
#include <QSqlQuery>
#include <QStringList>
#include <QVariantList>

namespace durvek {

// The rows of the search window's grid. A keystroke costs the first page of
// matches only, read in sort order from the index; further pages come when
// the grid scrolls to them. The captions stay from search to search, so the
// grid's header and column widths are not reset by every key.
class FancierSearchResults : public QAbstractTableModel {
public:
    static constexpr int kPageRows = 64;

    explicit FancierSearchResults(QObject* parent = nullptr);

    // Captions of the first columns; the ones after them have none.
    void setCaptions(const QStringList& captions);
    // Replaces the rows by the first page of the search for text.
    // Throws DatabaseError when the engine refuses; the rows are empty then.
    void search(const QSqlDatabase& db, FancierSearchMode mode, const QString& text);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    bool canFetchMore(const QModelIndex& parent) const override;
    void fetchMore(const QModelIndex& parent) override;

private:
    QList<QVariantList> readPage();

    QSqlQuery m_query;
    bool m_more = false;
    bool m_searched = false;
    QList<QVariantList> m_rows;
    QStringList m_captions;
};

} // namespace durvek
