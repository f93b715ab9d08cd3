#include "clubresult/ui/AddToClubResultDialog.h"
#include "common/TextCatalogue.h"
#include "common/ui/DatabaseErrorBox.h"
#include "common/ui/WindowSetUp.h"
#include "database/SqlUtil.h"
#include "results/ClockDateTime.h"
#include "results/RaceData.h"
#include <QComboBox>
#include <QDateEdit>
#include <QDateTimeEdit>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QMessageBox>

namespace durvek {

namespace {

constexpr int kDeviationLimit = 24 * 3600;

QDateTimeEdit* dateTimeEdit(QWidget* parent, const QDateTime& start)
{
    auto* edit = new QDateTimeEdit(start, parent);
    edit->setDisplayFormat(QStringLiteral("dd-MM-yy HH:mm:ss"));
    return edit;
}

} // namespace

AddToClubResultDialog::AddToClubResultDialog(const QSqlDatabase& db, const FlightEntry& flight, QWidget* parent)
    : QDialog(parent)
    , m_db(db)
{
    setObjectName(QStringLiteral("frmclubresult"));
    setWindowTitle(GetText(168));
    const QDateTime now = QDateTime::currentDateTime();
    // A clock read days after its race still goes into the day it flew.
    const QDate raceDay = clockDay(flight.details[0]).value_or(now.date());
    m_race = new QComboBox(this);
    m_raceDay = new QDateEdit(raceDay, this);
    m_raceDay->setDisplayFormat(QStringLiteral("dd-MM-yy"));
    m_point = new QLineEdit(this);
    m_latitude = new QLineEdit(this);
    m_longitude = new QLineEdit(this);
    m_releaseTime = new QLineEdit(this);
    m_setAt = dateTimeEdit(this, QDateTime(raceDay.addDays(-1), QTime(20, 0)));
    m_deviation = new QLineEdit(this);
    m_checkedAt = dateTimeEdit(this, now);

    for (auto [edit, name] : {std::pair {m_point, "releasePoint"}, {m_latitude, "releaseLatitude"},
                              {m_longitude, "releaseLongitude"}, {m_releaseTime, "releaseTime"},
                              {m_deviation, "deviation"}})
        edit->setObjectName(QString::fromLatin1(name));
    m_raceDay->setObjectName(QStringLiteral("raceDay"));
    auto* form = new QFormLayout(this);
    form->addRow(GetText(86), m_race);
    form->addRow(GetText(171), m_raceDay);
    form->addRow(GetText(172), m_point);
    form->addRow(GetText(122), m_latitude);
    form->addRow(GetText(123), m_longitude);
    form->addRow(GetText(173), m_releaseTime);
    form->addRow(GetText(174), m_setAt);
    form->addRow(GetText(175), m_deviation);
    form->addRow(GetText(176), m_checkedAt);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    form->addRow(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &AddToClubResultDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &AddToClubResultDialog::reject);

    fillRaces();
    if (const std::optional<int> race = raceOnDay(m_db, raceDay))
        m_race->setCurrentIndex(qMax(0, m_race->findData(*race)));
    // What was typed stays when the chosen release cannot be read.
    const auto raceOrDayChosen = [this] { tellDatabaseFailure(this, [this] { showStoredRelease(); }); };
    connect(m_race, &QComboBox::currentIndexChanged, this, raceOrDayChosen);
    connect(m_raceDay, &QDateEdit::dateChanged, this, raceOrDayChosen);
    // A release that cannot be read here leaves the dialog unmade.
    showStoredRelease();
    finishWindowSetUp(this);
}

void AddToClubResultDialog::fillRaces()
{
    QSqlQuery races = runStatement(m_db, QStringLiteral("SELECT id, lossing FROM races ORDER BY id"));
    while (races.next())
        m_race->addItem(races.value(1).toString().trimmed(), races.value(0).toInt());
}

void AddToClubResultDialog::showStoredRelease()
{
    const ClubResultEntry stored = storedEntry(m_db, m_race->currentData().toInt(), m_raceDay->date());
    // A day corrected after the release was typed must not wipe what was
    // typed: only a day whose release was entered before brings its own.
    // Text the store filled in is replaced, so that no other day's release
    // time lingers.
    const bool dayEntered = stored.releaseTime.has_value();
    const auto show = [dayEntered](QLineEdit* field, const QString& value) {
        if (dayEntered || !field->isModified())
            field->setText(value);
    };
    show(m_point, stored.pointName);
    show(m_latitude, stored.latitude);
    show(m_longitude, stored.longitude);
    show(m_releaseTime, stored.releaseTime ? stored.releaseTime->toString(QStringLiteral("HH:mm:ss")) : QString());
}

bool AddToClubResultDialog::readEntry(QString& problem)
{
    m_entry = ClubResultEntry {m_race->currentData().toInt(), m_raceDay->date(), m_point->text(),
                               m_latitude->text(), m_longitude->text(), std::nullopt, std::nullopt};
    problem = entryProblem(m_entry);
    if (!problem.isEmpty())
        return false;
    if (!m_releaseTime->text().trimmed().isEmpty()) {
        const QTime time = typedReleaseTime(m_releaseTime->text());
        if (!time.isValid()) {
            problem = GetText(177);
            return false;
        }
        m_entry.releaseTime = time;
    }
    if (!m_deviation->text().trimmed().isEmpty()) {
        bool ok = false;
        const int seconds = m_deviation->text().trimmed().toInt(&ok);
        if (!ok || qAbs(seconds) > kDeviationLimit) {
            problem = GetText(178);
            return false;
        }
        // The clocks' times carry no zone; neither do the check's.
        const auto wall = [](const QDateTime& shown) { return QDateTime(shown.date(), shown.time(), Qt::UTC); };
        m_entry.check = ClockCheck {wall(m_setAt->dateTime()), wall(m_checkedAt->dateTime()), seconds};
    }
    return true;
}

void AddToClubResultDialog::accept()
{
    QString problem;
    if (!readEntry(problem)) {
        QMessageBox::warning(this, windowTitle(), problem);
        return;
    }
    QDialog::accept();
}

bool askAndAddToClubResult(const QSqlDatabase& db, int flightIndex, QWidget* parent)
{
    // Nothing to fill in for a clock that cannot go in at all.
    const QString refusal = clockRefusal(db, raceData());
    if (!refusal.isEmpty()) {
        QMessageBox::warning(parent, GetText(168), refusal);
        return false;
    }
    const FlightEntry flight = flightIndex >= 0 && flightIndex < raceData().flightCount()
                                   ? raceData().flights.at(flightIndex) : FlightEntry();
    AddToClubResultDialog dialog(db, flight, parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    const CollectOutcome outcome = addClockToClubResult(db, raceData(), flightIndex, dialog.entry());
    if (outcome.stored)
        QMessageBox::information(parent, dialog.windowTitle(), outcome.message);
    else
        QMessageBox::warning(parent, dialog.windowTitle(), outcome.message);
    return outcome.stored;
}

} // namespace durvek
