#include "results/ui/FrmAfdrukken.h"
#include "clocklink/ClockLibrary.h"
#include "clocklink/Frames.h"
#include "clocklink/JobContext.h"
#include "clocklink/ui/CancelButton.h"
#include "clocklink/ui/JobProgress.h"
#include "clocklink/ui/WidgetJobHost.h"
#include "common/AppState.h"
#include "common/PagePrinter.h"
#include "common/TextCatalogue.h"
#include "common/ui/Captions.h"
#include "common/ui/PrinterChooser.h"
#include "database/ClubDatabase.h"
#include "results/PigeonFile.h"
#include "results/PigeonImport.h"
#include "results/RaceData.h"
#include "results/ReadRaceData.h"
#include "results/ReportPrinter.h"
#include <QApplication>
#include <QButtonGroup>
#include <QFontDatabase>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScopedValueRollback>
#include <QVBoxLayout>
#include <exception>

namespace durvek {

namespace {

struct CaptionedControl {
    const char* designCaption;
    int textNumber;
};

const std::array<CaptionedControl, FrmAfdrukken::kButtonCount> kButtons = {{
    {"Lees Klok", 49},
    {"Afdrukken", 91},
    {"Bewaar", 90},
    {"Afbreken", 27},
    {"Linking", 99},
    {"Exit", 6},
}};

const std::array<CaptionedControl, FrmAfdrukken::kKindCount> kKinds = {{
    {"Overzicht", 94},
    {"Wedstrijd", 93},
    {"Training", 95},
    {"Niet aangekomen", 96},
}};

const std::array<CaptionedControl, 2> kScopes = {{
    {"Alle", 92},
    {"Vlucht", 101},
}};

const QString kErrorTitle = QStringLiteral("Linking");
const QString kErrorPrefix = QStringLiteral("Fout : ");

// The flight list item's flight, an index into RaceData::flights.
constexpr int kFlightIndexRole = Qt::UserRole;

// The clock's texts are fixed-width fields; they line up in a fixed font.
QFont fixedFont()
{
    return QFontDatabase::systemFont(QFontDatabase::FixedFont);
}

} // namespace

FrmAfdrukken::FrmAfdrukken(QWidget* parent, QString pigeonFilePath)
    : QDialog(parent)
    , m_pigeonFilePath(pigeonFilePath.isEmpty() ? defaultPigeonFilePath() : std::move(pigeonFilePath))
    , m_printerSource(&choosePrinter)
{
    setObjectName(QStringLiteral("frmafdrukken"));
    setWindowTitle(QStringLiteral("Durvek Print - Manager"));
    setModal(true);

    m_flights = new QListWidget(this);
    m_flights->setObjectName(QStringLiteral("Vluchten"));
    m_flights->setSelectionMode(QAbstractItemView::SingleSelection);
    m_flights->setFont(fixedFont());
    m_flights->setMinimumWidth(m_flights->fontMetrics().horizontalAdvance(QString(25, u'W')));

    auto* upper = new QHBoxLayout;
    upper->addWidget(m_flights, 1);
    upper->addWidget(buildKindFrame());

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(upper, 1);
    const char* const labelNames[3] = {"Label1_0", "Label1_1", "Label1_2"};
    for (int i : {1, 2, 0}) {
        auto* label = new QLabel(this);
        label->setObjectName(QString::fromLatin1(labelNames[i]));
        label->setFont(fixedFont());
        label->setMinimumHeight(label->fontMetrics().height() + 6);
        label->setTextFormat(Qt::PlainText);
        if (i == 0) {
            label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
            // Line results and closing sentences run longer than the window is wide.
            label->setWordWrap(true);
        }
        m_labels[size_t(i)] = label;
        layout->addWidget(label);
    }
    m_jobProgress = new JobProgress(this);
    layout->addWidget(m_jobProgress);
    layout->addWidget(buildButtonRow());

    // On load: empty lines, the club's captions, the import not offered.
    for (QLabel* label : m_labels)
        label->setText(QString());
    applyCaptions(this);
    m_buttons[Linking]->setVisible(false);
}

QWidget* FrmAfdrukken::buildKindFrame()
{
    auto* frame = new QGroupBox(this);
    auto* grid = new QGridLayout(frame);
    m_kindGroup = new QButtonGroup(this);
    for (int index = 0; index < kKindCount; ++index) {
        auto* option = new QRadioButton(QString::fromLatin1(kKinds[size_t(index)].designCaption), frame);
        option->setObjectName(QStringLiteral("Option3_%1").arg(index));
        setCaptionNumber(option, kKinds[size_t(index)].textNumber);
        m_kindGroup->addButton(option, index);
        m_kindButtons[size_t(index)] = option;
        grid->addWidget(option, index, 0);
    }
    m_kindButtons[size_t(ReportKind::Overview)]->setChecked(true);

    QWidget* raceScope = buildScopeFrame(m_raceScope, m_raceScopeGroup);
    QWidget* notArrivedScope = buildScopeFrame(m_notArrivedScope, m_notArrivedScopeGroup);
    for (int index = 0; index < 2; ++index) {
        m_raceScope[size_t(index)]->setObjectName(QStringLiteral("Option1_%1").arg(index));
        m_notArrivedScope[size_t(index)]->setObjectName(QStringLiteral("Option2_%1").arg(index));
    }
    grid->addWidget(raceScope, int(ReportKind::Race), 1);
    grid->addWidget(notArrivedScope, int(ReportKind::NotArrived), 1);
    grid->setRowStretch(kKindCount, 1);
    return frame;
}

QWidget* FrmAfdrukken::buildScopeFrame(std::array<QRadioButton*, 2>& buttons, QButtonGroup*& group)
{
    auto* frame = new QGroupBox(this);
    auto* row = new QHBoxLayout(frame);
    row->setContentsMargins(8, 2, 8, 2);
    group = new QButtonGroup(this);
    for (int index = 0; index < 2; ++index) {
        auto* option = new QRadioButton(QString::fromLatin1(kScopes[size_t(index)].designCaption), frame);
        setCaptionNumber(option, kScopes[size_t(index)].textNumber);
        group->addButton(option, index);
        buttons[size_t(index)] = option;
        row->addWidget(option);
    }
    buttons[size_t(ReportScope::AllFlights)]->setChecked(true);
    return frame;
}

QWidget* FrmAfdrukken::buildButtonRow()
{
    auto* panel = new QWidget(this);
    auto* row = new QHBoxLayout(panel);
    row->setContentsMargins(0, 6, 0, 0);
    for (int index = 0; index < kButtonCount; ++index) {
        auto* button = new QPushButton(QString::fromLatin1(kButtons[size_t(index)].designCaption), panel);
        button->setObjectName(QStringLiteral("Command1_%1").arg(index));
        button->setAutoDefault(false);
        button->setMinimumWidth(100);
        setCaptionNumber(button, kButtons[size_t(index)].textNumber);
        connect(button, &QPushButton::clicked, this, [this, index] { onButton(index); });
        m_buttons[size_t(index)] = button;
        row->addWidget(button);
    }
    connectCancelButton(m_buttons[Cancel]);
    return panel;
}

ReportSelection FrmAfdrukken::selection() const
{
    ReportSelection chosen;
    chosen.kind = ReportKind(qMax(0, m_kindGroup->checkedId()));
    chosen.raceScope = ReportScope(qMax(0, m_raceScopeGroup->checkedId()));
    chosen.notArrivedScope = ReportScope(qMax(0, m_notArrivedScopeGroup->checkedId()));
    const QList<QListWidgetItem*> selected = m_flights->selectedItems();
    chosen.flightIndex = selected.isEmpty() ? -1 : selected.first()->data(kFlightIndexRole).toInt();
    return chosen;
}

void FrmAfdrukken::showFancierLine(const QString& text) { fancierLine()->setText(text); }

void FrmAfdrukken::showAddressLine(const QString& text) { addressLine()->setText(text); }

void FrmAfdrukken::clearFlightList() { m_flights->clear(); }

void FrmAfdrukken::addFlightItem(const QString& text, int flightIndex)
{
    auto* item = new QListWidgetItem(text, m_flights);
    item->setData(kFlightIndexRole, flightIndex);
}

void FrmAfdrukken::reject()
{
    if (m_reading) {
        m_closeAfterReading = true;
        linkBuffers().CancelRequested = true;
        return;
    }
    QDialog::reject();
}

void FrmAfdrukken::onButton(int index)
{
    // A click that arrives while a read-out runs (Cancel or Exit) leaves the
    // buttons to the read-out, which restores them when it ends.
    const bool interruptsReading = m_reading;
    setButtonsBusy(true);
    try {
        runButton(index);
    } catch (const std::exception& error) {
        showError(QString::fromUtf8(error.what()));
    }
    if (!interruptsReading)
        setButtonsBusy(false);
    if (m_closeAfterReading && !m_reading) {
        m_closeAfterReading = false;
        QDialog::reject();
    }
}

void FrmAfdrukken::runButton(int index)
{
    switch (index) {
    case ReadClock: readClock(); break;
    case Print: printReport(); break;
    case Save: break; // the read-out itself keeps the pigeon file
    case Cancel: cancelReadout(); break;
    case Linking: linkPigeons(); break;
    case Exit: reject(); break;
    default: break;
    }
}

void FrmAfdrukken::setButtonsBusy(bool busy)
{
    for (QPushButton* button : m_buttons)
        button->setEnabled(!busy);
    m_buttons[Cancel]->setEnabled(true);
    m_buttons[Exit]->setEnabled(true);
}

void FrmAfdrukken::readClock()
{
    const QScopedValueRollback<bool> reading(m_reading, true);
    WidgetJobHost host(this, statusLine(), m_jobProgress);
    const JobContext job{host, clockLibrary(), LinkParams::fromSettings(appState().activeSettings),
                         [](int number) { return GetText(number); }};
    const ReadoutEnd end = ReadRaceData(job, *this, raceData(), m_pigeonFilePath).run();
    if (end.kind == ReadoutEnd::Failed)
        showError(end.error);
}

void FrmAfdrukken::printReport()
{
    std::unique_ptr<QPrinter> printer = m_printerSource(this);
    if (!printer)
        return;
    // The rows run down the long side of the sheet; page breaks count on it.
    printer->setPageOrientation(QPageLayout::Portrait);
    PagePrinter page(printer.get());
    ReportPrinter(page, raceData()).print(selection());
    if (page.failed())
        showError(page.errorText());
}

void FrmAfdrukken::linkPigeons()
{
    LinkPigeons(ClubDatabase::get(), m_pigeonFilePath, raceData(),
                [this](const QString& message, const QString& title) { warn(message, title); });
}

void FrmAfdrukken::cancelReadout()
{
    linkBuffers().CancelRequested = true;
    statusLine()->clear();
}

void FrmAfdrukken::showError(const QString& description)
{
    warn(kErrorPrefix + description, kErrorTitle);
}

void FrmAfdrukken::warn(const QString& message, const QString& title)
{
    QApplication::beep();
    QMessageBox box(QMessageBox::Warning, title, message, QMessageBox::Ok, this);
    box.exec();
}

void openPrintManager(QWidget* parent)
{
    FrmAfdrukken window(parent);
    window.exec();
}

} // namespace durvek
