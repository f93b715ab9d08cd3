#include "clubresult/ui/ClubResultWindow.h"
#include "clubresult/ClubResultCsv.h"
#include "clubresult/ClubResultPrinter.h"
#include "clubresult/ClubResultStore.h"
#include "clubresult/ClubResultTableModel.h"
#include "common/AppState.h"
#include "common/PagePrinter.h"
#include "common/Printout.h"
#include "common/TextCatalogue.h"
#include "common/ui/DatabaseErrorBox.h"
#include "common/ui/WindowSetUp.h"
#include "common/ui/PrintPreviewWindow.h"
#include "database/SqlUtil.h"
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QSaveFile>
#include <QSignalBlocker>
#include <QStyle>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>

namespace durvek {

namespace {

constexpr int kFileWrittenText = 301;

// Once per result, from the longest text of each column: measuring every
// row of a long race day would cost more than reading and working it out.
void sizeColumns(QTableView* table, const ClubResultTableModel& model)
{
    const QFontMetrics metrics(table->font());
    const int margin = 2 * table->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, table) + 8;
    QHeaderView* header = table->horizontalHeader();
    for (int column = 0; column < ClubResultTableModel::ColumnCount; ++column)
        header->resizeSection(column, std::max(metrics.horizontalAdvance(model.widestText(column)) + margin,
                                               header->sectionSizeHint(column)));
}

QPushButton* button(const QString& caption, QWidget* parent)
{
    auto* made = new QPushButton(caption, parent);
    made->setAutoDefault(false);
    return made;
}

} // namespace

ClubResultWindow::ClubResultWindow(const QSqlDatabase& db, QWidget* parent)
    : QDialog(parent)
    , m_db(db)
{
    setObjectName(QStringLiteral("frmclubresultlist"));
    setWindowTitle(GetText(160));
    m_race = new QComboBox(this);
    QSqlQuery races = runStatement(m_db, QStringLiteral("SELECT id, lossing FROM races ORDER BY id"));
    while (races.next())
        m_race->addItem(races.value(1).toString().trimmed(), races.value(0).toInt());
    // The window comes back to the race day the last clocks went into, not to today.
    const std::optional<RaceDay> latest = latestRaceDayWithEntries(m_db);
    if (latest && m_race->findData(latest->race) >= 0)
        m_race->setCurrentIndex(m_race->findData(latest->race));
    m_raceDay = new QDateEdit(latest ? latest->day : QDate::currentDate(), this);
    m_raceDay->setDisplayFormat(QStringLiteral("dd-MM-yy"));
    m_summary = new QLabel(this);

    m_model = new ClubResultTableModel(this);
    m_table = new QTableView(this);
    m_table->setModel(m_model);
    m_table->setSortingEnabled(true);
    // Only read: Tab goes on to the buttons rather than from cell to cell.
    m_table->setTabKeyNavigation(false);
    m_table->verticalHeader()->hide();

    auto* choice = new QHBoxLayout;
    choice->addWidget(m_race, 1);
    choice->addWidget(m_raceDay);
    auto* buttons = new QHBoxLayout;
    QPushButton* print = button(GetText(91), this);
    QPushButton* csv = button(QStringLiteral("CSV"), this);
    QPushButton* exit = button(GetText(6), this);
    buttons->addWidget(print);
    buttons->addWidget(csv);
    buttons->addStretch(1);
    buttons->addWidget(exit);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(choice);
    layout->addWidget(m_summary);
    layout->addWidget(m_table, 1);
    layout->addLayout(buttons);
    resize(900, 600);

    connect(m_race, &QComboBox::currentIndexChanged, this, &ClubResultWindow::showResult);
    connect(m_raceDay, &QDateEdit::dateChanged, this, &ClubResultWindow::showResult);
    connect(print, &QPushButton::clicked, this, &ClubResultWindow::print);
    connect(csv, &QPushButton::clicked, this, &ClubResultWindow::saveCsv);
    connect(exit, &QPushButton::clicked, this, &ClubResultWindow::reject);
    // A result that cannot be read here leaves the window unmade.
    m_result = loadClubResult(m_db, m_race->currentData().toInt(), m_raceDay->date());
    fillTable();
    finishWindowSetUp(this);
}

void ClubResultWindow::showRaceDay(int race, const QDate& raceDay)
{
    const QSignalBlocker quiet(m_race);
    m_race->setCurrentIndex(m_race->findData(race));
    m_raceDay->setDate(raceDay);
    showResult();
}

QStringList ClubResultWindow::columnTexts(int column) const
{
    QStringList texts;
    for (int row = 0; row < m_table->model()->rowCount(); ++row)
        texts.append(m_table->model()->index(row, column).data().toString());
    return texts;
}

// Another race or day chosen in the open window. When it cannot be read the
// table is emptied, so that it never shows one race's result under another's
// name, and the failure is told here: it must not leave through the event loop.
void ClubResultWindow::showResult()
{
    try {
        m_result = loadClubResult(m_db, m_race->currentData().toInt(), m_raceDay->date());
    } catch (const DatabaseError& error) {
        m_result.reset();
        m_model->setResult(m_result);
        m_summary->setText(error.sentence());
        showDatabaseError(this, windowTitle(), error);
        return;
    }
    fillTable();
}

void ClubResultWindow::fillTable()
{
    m_model->setResult(m_result);
    sizeColumns(m_table, *m_model);
    if (!m_result) {
        m_summary->setText(GetText(161).arg(m_race->currentText(), m_raceDay->text()));
        return;
    }
    m_summary->setText(GetText(180).arg(m_result->fancierCount).arg(m_result->pigeonCount).arg(m_result->prizeCount));
    m_table->sortByColumn(ClubResultTableModel::Rank, Qt::AscendingOrder);
}

void ClubResultWindow::print()
{
    if (!m_result)
        return;
    const ClubResult result = *m_result;
    const QString club = appState().activeSettings.club;
    Printout printout;
    printout.subject = clubResultSubject(result);
    printout.print = [result, club](QPagedPaintDevice* device) {
        PagePrinter page(device);
        printClubResult(page, result, club);
        return page.errorText();
    };
    showPrintPreview(this, printout);
}

void ClubResultWindow::saveCsv()
{
    if (!m_result)
        return;
    const QString proposed = QDir(documentsFolder()).filePath(clubResultSubject(*m_result) + QStringLiteral(".csv"));
    const QString path = QFileDialog::getSaveFileName(this, GetText(160), proposed, QStringLiteral("CSV (*.csv)"));
    if (path.isEmpty())
        return;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(clubResultCsv(*m_result)) < 0 || !file.commit())
        QMessageBox::warning(this, GetText(160), QStringLiteral("%1: %2").arg(path, file.errorString()));
    else
        // Nothing in the window changes: without it the user cannot tell the file was written.
        QMessageBox::information(this, GetText(160), GetText(kFileWrittenText).arg(QDir::toNativeSeparators(path)));
}

void openClubResult(const QSqlDatabase& db, QWidget* parent)
{
    ClubResultWindow window(db, parent);
    window.exec();
}

} // namespace durvek
