// The language export window driven as a user would: what it writes, where,
// and what it says when it cannot.
#include "database/ClubDatabase.h"
#include "support/ShownCaption.h"
#include "database/SqlUtil.h"
#include "languages/LanguageExport.h"
#include "languages/ui/LanguageExportWindow.h"
#include "support/DeliveredClub.h"
#include "support/DeliveredDatabase.h"
#include "support/ModalAnswers.h"
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace durvek;
using namespace durvek::testing;

namespace {

QByteArray readFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Types text one key event per character, as a keyboard would.
void typeText(QLineEdit* box, const QString& text)
{
    for (const QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(box, &press);
        QApplication::sendEvent(box, &release);
    }
}

} // namespace

class LanguageExportWindowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<DeliveredClub> club;
    QString exportFolder;

    QSqlDatabase db() const { return ClubDatabase::get(); }

    std::unique_ptr<LanguageExportWindow> openWindow()
    {
        auto window = std::make_unique<LanguageExportWindow>(nullptr, exportFolder);
        window->show();
        return window;
    }

    static void generate(LanguageExportWindow& window)
    {
        QTest::mouseClick(window.generateButton(), Qt::LeftButton);
    }

private slots:
    void init()
    {
        club = std::make_unique<DeliveredClub>(DeliveredClub::AsDelivered);
        exportFolder = QDir(club->folder()).filePath(QStringLiteral("export/uk"));
    }

    void cleanup()
    {
        club.reset();
    }

    void shows_its_boxes_and_the_folder()
    {
        auto window = openWindow();
        QCOMPARE(window->windowTitle(), QStringLiteral("Generate  strings"));
        QCOMPARE(durvek::testing::shownCaption(window->generateButton()), QStringLiteral("Generate"));
        QStringList labels;
        for (const QLabel* label : window->findChildren<QLabel*>())
            labels << label->text().remove(u'&'); // the labels' mnemonics
        QVERIFY(labels.contains(QStringLiteral("Bestand")));
        QVERIFY(labels.contains(QStringLiteral("Veld :")));
        QCOMPARE(window->folderLine()->text(), QDir::toNativeSeparators(exportFolder));
        QVERIFY(window->fileNameBox()->text().isEmpty());
        QVERIFY(window->fieldBox()->text().isEmpty());
    }

    void generate_writes_the_delivered_table_into_the_folder()
    {
        ModalAnswers boxes(ModalAnswers::Decline);
        auto window = openWindow();
        typeText(window->fileNameBox(), QStringLiteral("  tabel "));
        typeText(window->fieldBox(), QStringLiteral("other"));
        generate(*window);

        // The folder is made when missing; the name is trimmed.
        const QString path = QDir(exportFolder).filePath(QStringLiteral("tabel.txt"));
        const QByteArray written = readFile(path);
        const QList<QByteArray> lines = written.split('\n');
        QCOMPARE(lines.size(), 44 + 3);  // declaration, 44 texts, closing, and the empty rest after the last CR LF
        QCOMPARE(lines.first(), QByteArray("code uc Teksten[String_Ruimte] = {\r"));
        QCOMPARE(lines.at(1), QByteArray("\"CARRERA\\0\"\r"));
        QCOMPARE(lines.at(44), QByteArray("\"BUEN VUELO\\0\"\r"));
        QCOMPARE(lines.at(45), QByteArray("};\r"));
        QCOMPARE(lines.at(46), QByteArray());
        QVERIFY(boxes.seen().isEmpty());
        QCOMPARE(window->resultLine()->text(), QDir::toNativeSeparators(path));

        // Again with another table: the file is replaced, not added to.
        testing::exec(db(), QStringLiteral("DELETE FROM language WHERE id > 1"));
        generate(*window);
        QCOMPARE(readFile(path), QByteArray("code uc Teksten[String_Ruimte] = {\r\n\"CARRERA\\0\"\r\n};\r\n"));
    }

    void a_name_typed_outside_ascii_names_the_file()
    {
        auto window = openWindow();
        typeText(window->fileNameBox(), QStringLiteral("Espa\u00F1ol"));
        typeText(window->fieldBox(), QStringLiteral("x"));
        generate(*window);
        QVERIFY(QFile::exists(QDir(exportFolder).filePath(QStringLiteral("Espa\u00F1ol.txt"))));
    }

    void an_empty_box_does_nothing()
    {
        ModalAnswers boxes(ModalAnswers::Decline);
        auto window = openWindow();
        typeText(window->fileNameBox(), QStringLiteral("tabel"));
        generate(*window);  // field box empty
        window->fileNameBox()->clear();
        typeText(window->fieldBox(), QStringLiteral("x"));
        generate(*window);  // file name box empty
        typeText(window->fileNameBox(), QStringLiteral("   "));
        generate(*window);  // blanks only
        QTest::qWait(20);
        QVERIFY(!QDir(exportFolder).exists());
        QVERIFY(boxes.seen().isEmpty());
        QVERIFY(window->resultLine()->text().isEmpty());
    }

    void failures_are_shown_as_warnings_and_write_nothing()
    {
        // A folder that cannot be made: a file stands where it would go.
        QFile blocker(QDir(club->folder()).filePath(QStringLiteral("export")));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();

        ModalAnswers boxes(ModalAnswers::Decline);
        auto window = openWindow();
        typeText(window->fileNameBox(), QStringLiteral("tabel"));
        typeText(window->fieldBox(), QStringLiteral("x"));
        generate(*window);
        QTRY_COMPARE(boxes.seen().size(), 1);
        QCOMPARE(boxes.seen().at(0).icon, QMessageBox::Warning);
        QCOMPARE(boxes.seen().at(0).title, QStringLiteral("Generate  strings"));
        QVERIFY(boxes.seen().at(0).text.contains(QDir::toNativeSeparators(exportFolder)));
        QVERIFY(window->resultLine()->text().isEmpty());

        // A name that would make a path.
        blocker.remove();
        window->fileNameBox()->clear();
        typeText(window->fileNameBox(), QStringLiteral("../tabel"));
        generate(*window);
        QTRY_COMPARE(boxes.seen().size(), 2);
        QVERIFY(boxes.seen().at(1).text.contains(QStringLiteral("../tabel")));
        QVERIFY(!QFile::exists(QDir(club->folder()).filePath(QStringLiteral("export/tabel.txt"))));

        // No texts: no file.
        testing::exec(db(), QStringLiteral("DELETE FROM language"));
        window->fileNameBox()->clear();
        typeText(window->fileNameBox(), QStringLiteral("leeg"));
        generate(*window);
        QTRY_COMPARE(boxes.seen().size(), 3);
        QVERIFY(!QFile::exists(QDir(exportFolder).filePath(QStringLiteral("leeg.txt"))));

        // The table gone altogether.
        testing::exec(db(), QStringLiteral("DROP TABLE language"));
        generate(*window);
        QTRY_COMPARE(boxes.seen().size(), 4);
        QCOMPARE(boxes.seen().at(3).icon, QMessageBox::Warning);
        QVERIFY(!QFile::exists(QDir(exportFolder).filePath(QStringLiteral("leeg.txt"))));
    }

    void the_folder_can_be_chosen()
    {
        const QString chosen = QDir(club->folder()).filePath(QStringLiteral("elders"));
        QVERIFY(QDir().mkpath(chosen));
        auto window = openWindow();
        QTimer pick;
        pick.setInterval(5);
        bool refused = false;
        connect(&pick, &QTimer::timeout, [&] {
            // The chooser refusing its start folder must fail the test, not hang it.
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                refused = true;
                box->reject();
                for (QWidget* w : QApplication::topLevelWidgets()) {
                    if (auto* chooser = qobject_cast<QFileDialog*>(w))
                        chooser->reject();
                }
                return;
            }
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            if (!dialog || !dialog->isVisible())
                return;
            pick.stop();
            dialog->setDirectory(chosen);
            static_cast<QDialog*>(dialog)->accept();
        });
        pick.start();
        QTest::mouseClick(window->folderButton(), Qt::LeftButton);
        QVERIFY(!refused);
        QCOMPARE(QDir(window->folder()).canonicalPath(), QDir(chosen).canonicalPath());
        QCOMPARE(window->folderLine()->text(), QDir::toNativeSeparators(window->folder()));

        typeText(window->fileNameBox(), QStringLiteral("tabel"));
        typeText(window->fieldBox(), QStringLiteral("x"));
        generate(*window);
        QVERIFY(QFile::exists(QDir(chosen).filePath(QStringLiteral("tabel.txt"))));
        QVERIFY(!QDir(exportFolder).exists());
        // The next window of the run starts where this export went.
        QCOMPARE(QDir(LanguageExportWindow().folder()).canonicalPath(), QDir(chosen).canonicalPath());

        // A chooser closed without a choice keeps the folder.
        QTimer dismiss;
        dismiss.setInterval(5);
        connect(&dismiss, &QTimer::timeout, [&] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            if (!dialog || !dialog->isVisible())
                return;
            dismiss.stop();
            dialog->reject();
        });
        dismiss.start();
        const QString before = window->folder();
        QTest::mouseClick(window->folderButton(), Qt::LeftButton);
        QCOMPARE(window->folder(), before);
    }
};

QTEST_MAIN(LanguageExportWindowTest)
#include "tst_languageexportwindow.moc"
