#include "clubresult/ClubResultTableModel.h"
#include "clubresult/ClubResultCsv.h"
#include "common/TextCatalogue.h"
#include <algorithm>
#include <limits>
#include <numeric>

namespace durvek {

namespace {

bool isTextColumn(int column)
{
    return column == ClubResultTableModel::Fancier || column == ClubResultTableModel::Band;
}

bool isNumberColumn(int column)
{
    using M = ClubResultTableModel;
    return column == M::Rank || column == M::Distance || column == M::FlyingTime || column == M::Velocity;
}

qint64 lineNumber(const ClubResultLine& line, int column)
{
    switch (column) {
    case ClubResultTableModel::Rank: return line.rank;
    case ClubResultTableModel::Distance: return line.distanceCm;
    case ClubResultTableModel::Arrival: return line.arrival.toMSecsSinceEpoch();
    case ClubResultTableModel::FlyingTime: return line.flyingSeconds;
    case ClubResultTableModel::Velocity: return line.velocityMilli;
    case ClubResultTableModel::Prize: return line.prize ? 0 : 1;
    case ClubResultTableModel::Nominated: return line.nominated;
    }
    return 0;
}

// Entries listed apart have no figures: they come after every ranked line on
// the rank column, before them on the others.
qint64 apartNumber(int column)
{
    switch (column) {
    case ClubResultTableModel::Rank: return std::numeric_limits<qint64>::max();
    case ClubResultTableModel::Prize: return 1;
    case ClubResultTableModel::Nominated: return 0;
    }
    return -1;
}

} // namespace

ClubResultTableModel::ClubResultTableModel(QObject* parent)
    : QAbstractTableModel(parent)
{
}

void ClubResultTableModel::setResult(const std::optional<ClubResult>& result)
{
    beginResetModel();
    m_lines = result ? result->lines : QList<ClubResultLine>();
    m_apart = result ? result->apart : QList<ClubResultApart>();
    m_sortColumn = Rank;
    m_sortOrder = Qt::AscendingOrder;
    orderRows();
    endResetModel();
}

QString ClubResultTableModel::widestText(int column) const
{
    QString widest;
    const auto keepLonger = [&widest](const QString& text) {
        if (text.size() > widest.size())
            widest = text;
    };
    if (column == Arrival) {
        if (!m_lines.isEmpty())
            keepLonger(arrivalText(m_lines.first().arrival)); // every arrival has the same width
    } else if (!isTextColumn(column)) {
        // Figures are longest at their largest value.
        const auto largest = std::max_element(m_lines.cbegin(), m_lines.cend(),
            [column](const ClubResultLine& a, const ClubResultLine& b) {
                return lineNumber(a, column) < lineNumber(b, column);
            });
        if (largest != m_lines.cend())
            keepLonger(lineText(*largest, column));
    } else {
        for (const ClubResultLine& line : m_lines)
            keepLonger(lineText(line, column));
    }
    for (const ClubResultApart& apart : m_apart)
        keepLonger(apartText(apart, column));
    return widest;
}

int ClubResultTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int ClubResultTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant ClubResultTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return QVariant();
    if (role == Qt::TextAlignmentRole && isNumberColumn(index.column()))
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    if (role != Qt::DisplayRole)
        return QVariant();
    const int entry = m_rows[size_t(index.row())];
    return entry < m_lines.size() ? lineText(m_lines.at(entry), index.column())
                                  : apartText(m_apart.at(entry - m_lines.size()), index.column());
}

QVariant ClubResultTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    switch (section) {
    case Rank: return GetText(133);
    case Fancier: return GetText(1);
    case Band: return GetText(181);
    case Distance: return GetText(183);
    case Arrival: return GetText(186);
    case FlyingTime: return QStringLiteral("h:mm:ss");
    case Velocity: return GetText(184);
    case Prize: return GetText(182);
    case Nominated: return QStringLiteral("1/2");
    }
    return QVariant();
}

void ClubResultTableModel::sort(int column, Qt::SortOrder order)
{
    m_sortColumn = column;
    m_sortOrder = order;
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const std::vector<int> before = m_rows;
    orderRows();
    std::vector<int> rowOfEntry(m_rows.size());
    for (size_t row = 0; row < m_rows.size(); ++row)
        rowOfEntry[size_t(m_rows[row])] = int(row);
    const QModelIndexList from = persistentIndexList();
    QModelIndexList to;
    for (const QModelIndex& index : from)
        to.append(this->index(rowOfEntry[size_t(before[size_t(index.row())])], index.column()));
    changePersistentIndexList(from, to);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

QString ClubResultTableModel::lineText(const ClubResultLine& line, int column) const
{
    switch (column) {
    case Rank: return QString::number(line.rank);
    case Fancier: return line.fancierName;
    case Band: return line.band;
    case Distance: return metresText(line.distanceCm);
    case Arrival: return arrivalText(line.arrival);
    case FlyingTime: return flyingTimeText(line.flyingSeconds);
    case Velocity: return velocityText(line.velocityMilli);
    case Prize: return line.prize ? QStringLiteral("*") : QString();
    case Nominated: return line.nominated ? QString::number(line.nominated) : QString();
    }
    return QString();
}

QString ClubResultTableModel::apartText(const ClubResultApart& apart, int column) const
{
    switch (column) {
    case Fancier: return apart.fancierName;
    case Band: return apart.band;
    case Arrival: return apartReasonText(apart.reason);
    }
    return QString();
}

bool ClubResultTableModel::sortsBefore(int column, int a, int b) const
{
    const qsizetype lines = m_lines.size();
    if (isTextColumn(column)) {
        const auto text = [&](int entry) -> const QString& {
            if (entry < lines)
                return column == Fancier ? m_lines.at(entry).fancierName : m_lines.at(entry).band;
            const ClubResultApart& apart = m_apart.at(entry - lines);
            return column == Fancier ? apart.fancierName : apart.band;
        };
        return QString::compare(text(a), text(b), Qt::CaseSensitive) < 0;
    }
    const auto number = [&](int entry) {
        return entry < lines ? lineNumber(m_lines.at(entry), column) : apartNumber(column);
    };
    return number(a) < number(b);
}

// From the result's own order every time, so that rows with equal values
// stay in rank order whichever column was sorted before.
void ClubResultTableModel::orderRows()
{
    m_rows.resize(size_t(m_lines.size() + m_apart.size()));
    std::iota(m_rows.begin(), m_rows.end(), 0);
    if (m_sortColumn == Rank && m_sortOrder == Qt::AscendingOrder)
        return;
    std::stable_sort(m_rows.begin(), m_rows.end(), [&](int a, int b) {
        return m_sortOrder == Qt::AscendingOrder ? sortsBefore(m_sortColumn, a, b) : sortsBefore(m_sortColumn, b, a);
    });
}

} // namespace durvek
