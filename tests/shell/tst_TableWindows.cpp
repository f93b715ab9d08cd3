#include "ProgramFolder.h"
#include "clubresult/ui/ReleaseDialog.h"
#include "support/ModalAnswers.h"
#include "support/ShownCaption.h"
#include "common/TextCatalogue.h"
#include "database/ClubDatabase.h"
#include "shell/GridTableModel.h"
#include "shell/Startup.h"
#include "shell/ui/PcTextsWindow.h"
#include "shell/ui/RacesWindow.h"
#include "shell/ui/GridView.h"
#include <QApplication>
#include <QDateEdit>
#include <QLineEdit>
#include <QPushButton>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTest>

using namespace durvek;
using namespace durvek::test;

namespace {

QStringList tableRows(const QSqlDatabase& db, const QString& table)
{
    QStringList lines;
    QSqlQuery rows(db);
    rows.exec(QStringLiteral("SELECT * FROM %1 ORDER BY id").arg(table));
    while (rows.next()) {
        QString line;
        const QSqlRecord record = rows.record();
        for (int i = 0; i < record.count(); ++i)
            line += (record.isNull(i) ? QStringLiteral("<null>") : record.value(i).toString()) + u'|';
        lines << line;
    }
    return lines;
}

// The grid row showing the record with this id.
int rowOf(const GridWindow& window, int id)
{
    const int idColumn = window.model()->fieldIndex(QStringLiteral("id"));
    for (int row = 0; row < window.model()->rowCount(); ++row)
        if (window.model()->index(row, idColumn).data().toInt() == id)
            return row;
    return -1;
}

// Opens the cell editor as a double click would and returns it.
QLineEdit* editCell(GridWindow& window, int id, const QString& field)
{
    const QModelIndex index = window.model()->index(rowOf(window, id), window.model()->fieldIndex(field));
    window.grid()->setCurrentIndex(index);
    window.grid()->edit(index);
    auto* editor = qobject_cast<QLineEdit*>(window.grid()->indexWidget(index));
    if (editor)
        editor->selectAll();
    return editor;
}

} // namespace

class TableWindowsTest : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        folder_ = std::make_unique<ProgramFolder>();
        QVERIFY(folder_->isValid());
        runStartup(folder_->path());
    }

    void cleanup()
    {
        ClubDatabase::close();
        folder_.reset();
    }

    void racesShowsAllRacesInOrderWithCatalogueHeaders()
    {
        RacesWindow window;
        GridTableModel* model = window.model();
        QCOMPARE(model->rowCount(), 25);
        const int id = model->fieldIndex(QStringLiteral("id"));
        for (int row = 0; row < 25; ++row)
            QCOMPARE(model->index(row, id).data().toInt(), row + 1);
        QCOMPARE(model->headerData(id, Qt::Horizontal).toString(), QStringLiteral("ID"));
        QCOMPARE(model->headerData(model->fieldIndex(QStringLiteral("lossing")), Qt::Horizontal).toString(), GetText(87));
        QCOMPARE(model->headerData(model->fieldIndex(QStringLiteral("afkort")), Qt::Horizontal).toString(), GetText(88));
        QCOMPARE(durvek::testing::shownCaption(window.exitButton()), GetText(6));
        QVERIFY(!(model->flags(model->index(0, id)) & Qt::ItemIsEditable));
    }

    void fieldsOtherThanTheGridsOwnStayOutOfSight()
    {
        // A club's table may carry fields of its own; the grids show theirs only.
        QSqlDatabase db = ClubDatabase::get();
        QVERIFY(exec(db, QStringLiteral("ALTER TABLE races ADD COLUMN remark TEXT")));
        QVERIFY(exec(db, QStringLiteral("ALTER TABLE PcLanguage ADD COLUMN remark TEXT")));
        RacesWindow races;
        PcTextsWindow texts;
        const QList<QPair<GridWindow*, QStringList>> windows{
            {&races, {QStringLiteral("id"), QStringLiteral("lossing"), QStringLiteral("afkort")}},
            {&texts, {QStringLiteral("id"), QStringLiteral("default"), QStringLiteral("other")}},
        };
        for (const auto& [window, shown] : windows) {
            GridTableModel* model = window->model();
            for (int column = 0; column < model->columnCount(); ++column) {
                const QString field = model->record().fieldName(column);
                QCOMPARE(window->grid()->isColumnHidden(column), !shown.contains(field, Qt::CaseInsensitive));
            }
            QVERIFY(!(model->flags(model->index(0, model->fieldIndex(QStringLiteral("id")))) & Qt::ItemIsEditable));
        }
    }

    void tabLeavesTheGridAfterItsLastCell()
    {
        RacesWindow races;
        PcTextsWindow texts;
        for (GridWindow* window : {static_cast<GridWindow*>(&races), static_cast<GridWindow*>(&texts)}) {
            window->show();
            QApplication::setActiveWindow(window);
            QVERIFY(QTest::qWaitForWindowActive(window));
            GridView* grid = window->grid();
            const QAbstractItemModel* model = grid->model();
            int last = model->columnCount() - 1;
            while (grid->isColumnHidden(last))
                --last;
            grid->setFocus();
            grid->setCurrentIndex(model->index(model->rowCount() - 1, last));
            QTest::keyClick(grid, Qt::Key_Tab);
            QVERIFY(QApplication::focusWidget() && !grid->hasFocus());
            // From the cell's editor as well.
            grid->setFocus();
            grid->edit(grid->currentIndex());
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QVERIFY(QApplication::focusWidget() && !grid->isAncestorOf(QApplication::focusWidget())
                    && !grid->hasFocus());
            window->close();
        }
    }

    void editingOneRaceNameChangesOnlyThatField()
    {
        QStringList expected = tableRows(folder_->inspect(), QStringLiteral("races"));
        RacesWindow window;
        window.show();
        QLineEdit* editor = editCell(window, 3, QStringLiteral("lossing"));
        QVERIFY(editor);
        // Typed key by key: the test library's text typing takes ASCII only.
        QTest::keyClicks(editor, QStringLiteral("Qui"));
        QTest::sendKeyEvent(QTest::Click, editor, Qt::Key_Eacute, QStringLiteral("é"), Qt::NoModifier);
        QTest::keyClicks(editor, QStringLiteral("vrain"));
        // Closed while the cell is still being edited: the edit must be kept.
        window.exitButton()->click();
        QVERIFY(!window.isVisible());

        expected[2] = QStringLiteral("3|Quiévrain|RAE3|");
        QCOMPARE(tableRows(folder_->inspect(), QStringLiteral("races")), expected);
    }

    // "Release..." opens the release data of the race in the current row;
    // the point is stored once per race, the time once per race day (an
    // overnight race has two), and a coordinate or time that cannot be read
    // is refused with its sentence and stores nothing.
    void theReleaseOfTheChosenRaceIsStoredPerRaceDay()
    {
        QSqlDatabase db = ClubDatabase::get();
        testing::ModalAnswers answers(testing::ModalAnswers::Decline);
        RacesWindow window;
        window.show();
        window.grid()->setCurrentIndex(window.model()->index(rowOf(window, 3), 1));
        const QString raceName = scalar(db, QStringLiteral("SELECT lossing FROM races WHERE id = 3")).toString().trimmed();
        QString opened;
        answers.answer([&](QWidget* modal) {
            opened = modal->windowTitle();
            modal->close();
        });
        window.releaseButton()->click();
        QVERIFY2(opened.endsWith(raceName), qPrintable(opened));

        const auto enter = [&](const QDate& day, const QString& latitude, const QString& time) {
            ReleaseDialog dialog(db, 3, raceName, nullptr);
            dialog.show();
            dialog.releaseDateEdit()->setDate(day);
            dialog.pointEdit()->setText(QStringLiteral("Quievrain"));
            dialog.latitudeEdit()->setText(latitude);
            dialog.longitudeEdit()->setText(QStringLiteral("E 3 41 00.0"));
            dialog.releaseTimeEdit()->setText(time);
            dialog.accept();
            return dialog.isVisible() ? dialog.releaseTimeEdit()->text() : QString();
        };
        const QDate first(2026, 6, 13);
        QVERIFY(enter(first, QStringLiteral("N 50 24 12.5"), QStringLiteral("21:30")).isEmpty());
        QVERIFY(enter(first.addDays(1), QStringLiteral("N 50 24 12.5"), QStringLiteral("6:05:30")).isEmpty());
        QVERIFY(answers.seen().isEmpty());
        const auto release = [&] {
            return scalar(db, QStringLiteral("SELECT (SELECT group_concat(race || '|' || point || '|' || latitude || '|' || longitude) FROM releasepoints)"
                                             " || ' / ' || (SELECT group_concat(race || ' ' || racedate || ' ' || releasetime, ',') FROM racedays)")).toString();
        };
        const QString stored = release();
        QCOMPARE(stored, QStringLiteral("3|Quievrain|N 50 24 12.5|E 3 41 00.0 / 3 2026-06-13 21:30:00,3 2026-06-14 06:05:30"));

        ReleaseDialog shown(db, 3, raceName, nullptr);
        shown.releaseDateEdit()->setDate(first.addDays(1));
        QCOMPARE(shown.latitudeEdit()->text(), QStringLiteral("N 50 24 12.5"));
        QCOMPARE(shown.releaseTimeEdit()->text(), QStringLiteral("06:05:30"));

        QCOMPARE(enter(first, QStringLiteral("O 50 24"), QStringLiteral("21:30")), QStringLiteral("21:30"));
        QCOMPARE(enter(first, QStringLiteral("50.4"), QStringLiteral("25:61")), QStringLiteral("25:61"));
        QCOMPARE(answers.titlesAndTexts(),
                 QStringList({GetText(172) + QStringLiteral(" - ") + raceName + u'|' + GetText(124),
                              GetText(172) + QStringLiteral(" - ") + raceName + u'|' + GetText(177)}));
        QCOMPARE(release(), stored);
    }

    void raceTextsCannotOutgrowTheirFields()
    {
        RacesWindow window;
        window.show();
        QLineEdit* abbreviation = editCell(window, 1, QStringLiteral("afkort"));
        QVERIFY(abbreviation);
        QTest::keyClicks(abbreviation, QStringLiteral("BRUXE"));
        QCOMPARE(abbreviation->text(), QStringLiteral("BRUX"));
        QTest::keyClick(abbreviation, Qt::Key_Return);

        QLineEdit* name = editCell(window, 2, QStringLiteral("lossing"));
        QVERIFY(name);
        name->insert(QStringLiteral("Saint-Vincent-de-Tyrosse")); // as a paste would
        QCOMPARE(name->text().size(), RacesWindow::kNameLength);
        window.exitButton()->click();

        QSqlDatabase db = folder_->inspect();
        QCOMPARE(scalar(db, QStringLiteral("SELECT afkort FROM races WHERE id = 1")).toString(), QStringLiteral("BRUX"));
        QCOMPARE(scalar(db, QStringLiteral("SELECT lossing FROM races WHERE id = 2")).toString(),
                 QStringLiteral("Saint-Vincent-de-Tyr"));
        QCOMPARE(scalar(db, QStringLiteral("SELECT count(*) FROM races")).toInt(), 25);
    }

    void theRaceNumberCannotBeChanged()
    {
        RacesWindow window;
        const QModelIndex index = window.model()->index(rowOf(window, 4), window.model()->fieldIndex(QStringLiteral("id")));
        QVERIFY(!window.model()->setData(index, 99));
        window.close();
        QCOMPARE(scalar(folder_->inspect(), QStringLiteral("SELECT count(*) FROM races WHERE id = 4")).toInt(), 1);
        QCOMPARE(scalar(folder_->inspect(), QStringLiteral("SELECT count(*) FROM races WHERE id = 99")).toInt(), 0);
    }

    void aRefusedEditIsReportedAndNotShownAsStored()
    {
        QVERIFY(exec(ClubDatabase::get(), QStringLiteral(
            "CREATE TRIGGER refuse_xxxx BEFORE UPDATE OF afkort ON races WHEN NEW.afkort = 'XXXX' "
            "BEGIN SELECT RAISE(ABORT, 'abbreviation refused'); END")));
        RacesWindow window;
        QStringList reported;
        window.model()->setWriteFailedHandler([&reported](const DatabaseError& error) { reported << error.details(); });
        window.show();
        QLineEdit* editor = editCell(window, 7, QStringLiteral("afkort"));
        QVERIFY(editor);
        QTest::keyClicks(editor, QStringLiteral("XXXX"));
        window.exitButton()->click();

        QCOMPARE(reported.size(), 1);
        QVERIFY2(reported.first().contains(QLatin1String("abbreviation refused")), qPrintable(reported.first()));
        const QModelIndex cell = window.model()->index(rowOf(window, 7), window.model()->fieldIndex(QStringLiteral("afkort")));
        QCOMPARE(cell.data().toString(), QStringLiteral("RAE7"));
        QCOMPARE(scalar(folder_->inspect(), QStringLiteral("SELECT afkort FROM races WHERE id = 7")).toString(), QStringLiteral("RAE7"));
    }

    // Another PC changed a field of the race while this window was open: an
    // edit of another field of it is stored, beside the other PC's change,
    // and the grid shows both (before, it matched no row by the old values,
    // stored nothing, and the race fell out of the grid).
    void anEditBesideAnotherPcsChangeOfTheRaceIsStored()
    {
        RacesWindow window;
        window.show();
        QVERIFY(exec(folder_->inspect(), QStringLiteral("UPDATE races SET afkort = 'OTHR' WHERE id = 5")));
        QLineEdit* editor = editCell(window, 5, QStringLiteral("lossing"));
        QVERIFY(editor);
        QTest::keyClicks(editor, QStringLiteral("Mine"));
        window.exitButton()->click();

        QCOMPARE(tableRows(folder_->inspect(), QStringLiteral("races")).value(4), QStringLiteral("5|Mine|OTHR|"));
        const int row = rowOf(window, 5);
        QVERIFY(row >= 0);
        QCOMPARE(window.model()->index(row, window.model()->fieldIndex(QStringLiteral("afkort"))).data().toString(),
                 QStringLiteral("OTHR"));
    }

    void pcTextsEditsAreStoredAndShownByTheNextWindow()
    {
        QStringList expected = tableRows(folder_->inspect(), QStringLiteral("PcLanguage"));
        const QString exitBefore = GetText(6);
        QVERIFY(!exitBefore.trimmed().isEmpty());

        PcTextsWindow window;
        window.show();
        QCOMPARE(window.windowTitle(), QStringLiteral("Language PC-Soft"));
        GridTableModel* model = window.model();
        QCOMPARE(model->headerData(model->fieldIndex(QStringLiteral("id")), Qt::Horizontal).toString(), QStringLiteral("id"));
        QCOMPARE(model->headerData(model->fieldIndex(QStringLiteral("default")), Qt::Horizontal).toString(), QStringLiteral("Default"));
        QCOMPARE(model->headerData(model->fieldIndex(QStringLiteral("other")), Qt::Horizontal).toString(), QStringLiteral("Other"));
        QCOMPARE(model->index(0, model->fieldIndex(QStringLiteral("id"))).data().toInt(), 1);

        QLineEdit* editor = editCell(window, 6, QStringLiteral("other"));
        QVERIFY(editor);
        QTest::keyClicks(editor, QStringLiteral("Sluiten"));
        QTest::keyClick(editor, Qt::Key_Return);
        QCoreApplication::processEvents(); // the grid commits a Return once the loop runs
        QCOMPARE(scalar(folder_->inspect(), QStringLiteral("SELECT other FROM PcLanguage WHERE id = 6")).toString(),
                 QStringLiteral("Sluiten"));
        // The base text too, although its field name is a reserved word.
        QLineEdit* base = editCell(window, 7, QStringLiteral("default"));
        QVERIFY(base);
        QTest::keyClicks(base, QStringLiteral("Nummer"));
        // Until the window closes the catalogue may keep its old text;
        // after it, the next window must show the new one.
        window.exitButton()->click();
        QCOMPARE(GetText(6), QStringLiteral("Sluiten"));

        const int row = rowOf(window, 6);
        QStringList fields = expected[row].split(u'|');
        fields[2] = QStringLiteral("Sluiten");
        expected[row] = fields.join(u'|');
        fields = expected[row + 1].split(u'|');
        fields[1] = QStringLiteral("Nummer");
        expected[row + 1] = fields.join(u'|');
        QCOMPARE(tableRows(folder_->inspect(), QStringLiteral("PcLanguage")), expected);

        RacesWindow next;
        QCOMPARE(durvek::testing::shownCaption(next.exitButton()), QStringLiteral("Sluiten"));
    }

private:
    std::unique_ptr<ProgramFolder> folder_;
};

QTEST_MAIN(TableWindowsTest)
#include "tst_TableWindows.moc"
