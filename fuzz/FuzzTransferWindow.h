#pragma once
// The club data window as the transfers see it, over a fuzz database: the
// boxes, the combine choice and the abort flag the fuzz host sets when the
// input has run out.
#include "clocklink/ClubDataWindowAccess.h"
#include "database/SqlUtil.h"
#include <QSqlDatabase>
#include <QSqlQuery>

namespace durvek::fuzz {

class FuzzTransferWindow : public ClubDataWindowAccess {
public:
    explicit FuzzTransferWindow(QSqlDatabase db) : m_db(std::move(db)) {}

    int32_t fancierId = 0;
    QString licence;
    QString name;
    bool combine = false;
    QString combineName;
    bool aborted = false;

    int32_t clubDataFancierId() const override { return fancierId; }
    QString licenceText() const override { return licence; }
    QString nameText() const override { return name; }
    void setLicenceText(const QString& text) override { licence = text; }
    void setNameText(const QString& text) override { name = text; }
    bool saveFancier() override
    {
        if (name.isEmpty())
            return false;
        if (fancierId != 0) {
            runStatement(m_db, QStringLiteral("UPDATE fanciers SET Licence = ?, Name = ? WHERE id = ?"),
                         {licence, name, fancierId});
            return true;
        }
        const QSqlQuery insert = runStatement(
            m_db, QStringLiteral("INSERT INTO fanciers (Licence, Name) VALUES (?, ?)"), {licence, name});
        fancierId = insert.lastInsertId().toInt();
        return true;
    }
    bool combineChecked() const override { return combine; }
    QString selectedCombineName() const override { return combineName; }
    void reloadPigeons() override {}
    void showProgress(int) override {}
    void enterTransferState() override {}
    bool transferAborted() const override { return aborted; }
    void clearTransferAborted() override { aborted = false; }

private:
    QSqlDatabase m_db;
};

} // namespace durvek::fuzz
