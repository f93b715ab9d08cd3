#pragma once
#include "clubresult/ClubResult.h"
#include <QAbstractTableModel>
#include <vector>

namespace durvek {

// The club result of a race day as a table: the ranked lines in rank order,
// then the entries listed apart. A cell's text is made when it is shown, so
// a race day of ten thousand arrivals costs nothing until it is looked at;
// sorting orders the rows by the values behind the texts (numbers as
// numbers), and entries listed apart go last on the rank column.
class ClubResultTableModel : public QAbstractTableModel {
public:
    enum Column { Rank, Fancier, Band, Distance, Arrival, FlyingTime, Velocity, Prize, Nominated, ColumnCount };

    explicit ClubResultTableModel(QObject* parent = nullptr);

    // Shows another result (none: an empty table) in rank order.
    void setResult(const std::optional<ClubResult>& result);

    // The longest text a column shows, found without making every cell's
    // text, so that the columns can be sized once per result.
    QString widestText(int column) const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

private:
    QString lineText(const ClubResultLine& line, int column) const;
    QString apartText(const ClubResultApart& apart, int column) const;
    bool sortsBefore(int column, int a, int b) const;
    void orderRows();

    QList<ClubResultLine> m_lines;
    QList<ClubResultApart> m_apart;
    std::vector<int> m_rows; // shown row -> entry: a line below m_lines.size(), else apart
    int m_sortColumn = Rank;
    Qt::SortOrder m_sortOrder = Qt::AscendingOrder;
};

} // namespace durvek
