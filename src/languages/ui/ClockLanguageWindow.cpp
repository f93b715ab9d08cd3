#include "languages/ui/ClockLanguageWindow.h"
#include "clocklink/ui/CancelButton.h"
#include "clocklink/ui/JobProgress.h"
#include "common/AppState.h"
#include "common/ui/Captions.h"
#include "common/ui/DatabaseErrorBox.h"
#include "common/ui/WindowSetUp.h"
#include "database/ClubDatabase.h"
#include "database/SqlUtil.h"
#include <QApplication>
#include <QFrame>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSqlQuery>
#include <QSqlQueryModel>
#include <QTableView>
#include <QVBoxLayout>

namespace durvek {

namespace {

struct ButtonDesign {
    const char* designCaption;
    int textNumber;
};

const std::array<ButtonDesign, ClockLanguageWindow::kButtonCount> kButtons = {{
    {"Exit", 6},
    {"Update Zefira", 28},
    {"Cancel", 27},
}};

const QString kTitle = QStringLiteral("Language Module Zefira");

// The clock display is 16 characters wide; a column a little wider shows
// every text whole.
constexpr int kTextColumnCharacters = 18;

} // namespace

ClockLanguageWindow::ClockLanguageWindow(QWidget* parent)
    : QDialog(parent)
    , m_progress(new QLabel(this))
    , m_jobProgress(new JobProgress(this))
    , m_host(this, m_progress, m_jobProgress)
    , m_upload(m_host)
{
    setObjectName(QStringLiteral("ClockLanguageWindow"));
    setWindowTitle(kTitle);
    setModal(true);

    m_grid = new QTableView(this);
    m_grid->setObjectName(QStringLiteral("DBGrid1"));
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->setAlternatingRowColors(true);
    m_grid->verticalHeader()->setVisible(false);
    m_grid->verticalHeader()->setDefaultSectionSize(m_grid->fontMetrics().height() + 8);
    m_grid->horizontalHeader()->setHighlightSections(false);
    m_grid->horizontalHeader()->setStretchLastSection(true);

    m_progress->setObjectName(QStringLiteral("Label1"));
    m_progress->setTextFormat(Qt::PlainText);
    m_progress->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_progress->setMinimumHeight(m_progress->fontMetrics().height() + 8);
    m_progress->setWordWrap(true);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_grid, 1);
    layout->addWidget(m_progress);
    layout->addWidget(m_jobProgress);
    layout->addWidget(buildButtonRow());

    // On load: the club's captions, an empty progress line, the table shown.
    applyCaptions(this);
    m_progress->clear();
    showTable();
    resize(560, 520);
    finishWindowSetUp(this);
}

ClockLanguageWindow::~ClockLanguageWindow() = default;

QWidget* ClockLanguageWindow::buildButtonRow()
{
    auto* row = new QWidget(this);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    for (int index = 0; index < kButtonCount; ++index) {
        auto* button = new QPushButton(QString::fromLatin1(kButtons[size_t(index)].designCaption), row);
        button->setObjectName(QStringLiteral("Command1_%1").arg(index));
        button->setAutoDefault(false);
        button->setMinimumWidth(110);
        setCaptionNumber(button, kButtons[size_t(index)].textNumber);
        m_buttons[size_t(index)] = button;
    }
    // Left to right as the user works: start, stop, leave.
    layout->addWidget(m_buttons[UpdateZefira]);
    layout->addWidget(m_buttons[Cancel]);
    layout->addStretch(1);
    layout->addWidget(m_buttons[Exit]);

    connect(m_buttons[Exit], &QPushButton::clicked, this, &QDialog::reject);
    connect(m_buttons[UpdateZefira], &QPushButton::clicked, this, &ClockLanguageWindow::updateZefira);
    connectCancelButton(m_buttons[Cancel]);
    return row;
}

void ClockLanguageWindow::showTable()
{
    auto* model = new QSqlQueryModel(this);
    try {
        model->setQuery(runStatement(ClubDatabase::get(),
                                     QStringLiteral("SELECT id, \"default\", other FROM language ORDER BY id")));
    } catch (const DatabaseError& error) {
        keepWindowUnmadeIfConnectionLost(error);
        QApplication::beep();
        showDatabaseError(this, kTitle, error);
        return;
    }
    // Read to the end so the statement lets go of the table.
    while (model->canFetchMore())
        model->fetchMore();
    const char* const headers[] = {"id", "Default", "Other"};
    for (int column = 0; column < 3; ++column)
        model->setHeaderData(column, Qt::Horizontal, QString::fromLatin1(headers[column]));
    m_grid->setModel(model);

    const int textWidth = m_grid->fontMetrics().horizontalAdvance(QString(kTextColumnCharacters, u'W'));
    m_grid->setColumnWidth(0, m_grid->fontMetrics().horizontalAdvance(QStringLiteral("00000")) + 16);
    m_grid->setColumnWidth(1, textWidth);
    m_grid->setColumnWidth(2, textWidth);
}

void ClockLanguageWindow::updateZefira()
{
    // A second click while the first upload runs reaches here through the
    // job's event pump; the job refuses it, and its progress line must stay.
    if (m_upload.isRunning())
        return;
    // The progress line keeps the upload's closing sentence.
    m_upload.run(ClubDatabase::get(), appState().activeSettings);
    if (m_closeAfterUpload) {
        m_closeAfterUpload = false;
        QDialog::done(result());
    }
}

void ClockLanguageWindow::done(int result)
{
    if (m_upload.isRunning()) {
        setResult(result);
        m_closeAfterUpload = true;
        m_upload.stop();
        return;
    }
    QDialog::done(result);
}

void openClockLanguageWindow(QWidget* parent)
{
    ClockLanguageWindow window(parent);
    window.exec();
}

} // namespace durvek
