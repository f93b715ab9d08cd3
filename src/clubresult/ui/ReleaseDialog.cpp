#include "clubresult/ui/ReleaseDialog.h"
#include "clubresult/ClubResultEntry.h"
#include "common/TextCatalogue.h"
#include "common/ui/DatabaseErrorBox.h"
#include "common/ui/WindowSetUp.h"
#include "database/DatabaseError.h"
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QMessageBox>

namespace durvek {

ReleaseDialog::ReleaseDialog(const QSqlDatabase& db, int race, const QString& raceName, QWidget* parent)
    : QDialog(parent)
    , m_db(db)
    , m_race(race)
{
    setObjectName(QStringLiteral("frmrelease"));
    setWindowTitle(titleFor(raceName));
    m_point = new QLineEdit(this);
    m_point->setMaxLength(kPointLength);
    m_latitude = new QLineEdit(this);
    m_longitude = new QLineEdit(this);
    m_releaseDate = new QDateEdit(QDate::currentDate(), this);
    m_releaseDate->setDisplayFormat(QStringLiteral("dd-MM-yy"));
    m_releaseTime = new QLineEdit(this);

    auto* form = new QFormLayout(this);
    form->addRow(GetText(172), m_point);
    form->addRow(GetText(122), m_latitude);
    form->addRow(GetText(123), m_longitude);
    form->addRow(GetText(191), m_releaseDate);
    form->addRow(GetText(173), m_releaseTime);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    form->addRow(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &ReleaseDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &ReleaseDialog::reject);
    // What was typed stays when the chosen day's release cannot be read.
    connect(m_releaseDate, &QDateEdit::dateChanged, this,
            [this] { tellDatabaseFailure(this, [this] { showStoredRelease(); }); });
    // A release that cannot be read here leaves the dialog unmade.
    showStoredRelease();
    finishWindowSetUp(this);
}

QString ReleaseDialog::titleFor(const QString& raceName)
{
    return GetText(172) + QStringLiteral(" - ") + raceName;
}

void ReleaseDialog::showStoredRelease()
{
    const ClubResultEntry stored = storedEntry(m_db, m_race, m_releaseDate->date());
    m_point->setText(stored.pointName);
    m_latitude->setText(stored.latitude);
    m_longitude->setText(stored.longitude);
    m_releaseTime->setText(stored.releaseTime ? stored.releaseTime->toString(QStringLiteral("HH:mm:ss")) : QString());
}

QString ReleaseDialog::storeTyped()
{
    ClubResultEntry entry {m_race, m_releaseDate->date(), m_point->text(), m_latitude->text(), m_longitude->text(),
                           std::nullopt, std::nullopt};
    if (const QString problem = entryProblem(entry); !problem.isEmpty())
        return problem;
    if (!m_releaseTime->text().trimmed().isEmpty()) {
        const QTime time = typedReleaseTime(m_releaseTime->text());
        if (!time.isValid())
            return GetText(177);
        entry.releaseTime = time;
    }
    saveReleaseData(m_db, entry);
    return QString();
}

void ReleaseDialog::accept()
{
    try {
        if (const QString problem = storeTyped(); !problem.isEmpty()) {
            QMessageBox::warning(this, windowTitle(), problem);
            return;
        }
    } catch (const DatabaseError& error) {
        showDatabaseError(this, windowTitle(), error);
        return;
    }
    QDialog::accept();
}

} // namespace durvek
