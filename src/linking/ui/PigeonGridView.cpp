#include "linking/ui/PigeonGridView.h"
#include "common/ui/GridTabKeys.h"
#include "linking/GridEditing.h"
#include "linking/PigeonGrid.h"
#include "linking/ui/PigeonGridTableModel.h"
#include <QHeaderView>
#include <QKeyEvent>
#include <algorithm>

namespace durvek {

namespace {

constexpr int kTwipsPerInch = 1440;
constexpr int kColumnTwips[PigeonGrid::kColumns] = {800, 600, 400, 1300, 700, 400, 1700, 400};

} // namespace

PigeonGridView::PigeonGridView(PigeonGrid& grid, GridEditContext& context, std::function<bool()> fancierShown,
                               QWidget* parent)
    : QTableView(parent)
    , m_grid(grid)
    , m_context(context)
    , m_fancierShown(std::move(fancierShown))
    , m_model(new PigeonGridTableModel(grid, this))
{
    setModel(m_model);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    useTabBetweenCells(this);
    setWordWrap(false);
    verticalHeader()->hide();
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setSectionsClickable(false);
    applyColumnLayout();
    connect(m_model, &PigeonGridTableModel::currentMovedByProgram, this, &PigeonGridView::followProgramMove);
    connect(m_model, &PigeonGridTableModel::repaintRequested, viewport(), qOverload<>(&QWidget::update));
    connect(this, &QAbstractItemView::clicked, this, [this] { GridClick(m_grid, m_context); });
}

int PigeonGridView::columnWidthTwips(int column)
{
    return column >= 0 && column < PigeonGrid::kColumns ? kColumnTwips[column] : 0;
}

void PigeonGridView::applyColumnLayout()
{
    const int dpi = logicalDpiX() > 0 ? logicalDpiX() : 96;
    for (int column = 0; column < PigeonGrid::kColumns; ++column)
        setColumnWidth(column, kColumnTwips[column] * dpi / kTwipsPerInch);
    horizontalHeader()->setStretchLastSection(false);
}

void PigeonGridView::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        typeKey(kEnterKey);
        return;
    case Qt::Key_Backspace:
        typeKey(kBackspaceKey);
        return;
    default:
        break;
    }
    const QString text = event->text();
    const bool printable = !text.isEmpty() && !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier))
                        && std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() > 31 && c != QChar(127); });
    if (printable) {
        for (QChar c : text)
            typeKey(c);
        return;
    }
    QTableView::keyPressEvent(event);
}

void PigeonGridView::typeKey(QChar key)
{
    GridKeyPress(m_grid, key, m_fancierShown && m_fancierShown(), m_context);
}

void PigeonGridView::currentChanged(const QModelIndex& current, const QModelIndex& previous)
{
    if (!m_programMove) {
        if (previous.isValid())
            LeaveCell(m_grid, PigeonGridTableModel::gridRowOf(previous), previous.column(), m_context);
        if (current.isValid())
            m_grid.followUserMove(PigeonGridTableModel::gridRowOf(current), current.column());
    }
    QTableView::currentChanged(current, previous);
}

void PigeonGridView::followProgramMove(int gridRow, int column, bool toTop)
{
    const QModelIndex target = m_model->index(gridRow - 1, column);
    if (!target.isValid())
        return;
    m_programMove = true;
    setCurrentIndex(target);
    m_programMove = false;
    scrollTo(target, toTop ? QAbstractItemView::PositionAtTop : QAbstractItemView::EnsureVisible);
}

} // namespace durvek
