#include "languages/ui/LanguageExportWindow.h"
#include "common/ui/WindowSetUp.h"
#include "database/ClubDatabase.h"
#include "languages/LanguageExport.h"
#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace durvek {

namespace {

const QString kTitle = QStringLiteral("Generate  strings");

// The folder chosen last, so a developer who exports several tables in one
// run picks it once.
QString& lastFolder()
{
    static QString folder = defaultExportFolder();
    return folder;
}

// The folder itself when it is there, else its nearest parent that is.
QString nearestExistingFolder(QString folder)
{
    while (!QFileInfo(folder).isDir()) {
        const QString parent = QFileInfo(folder).path();
        if (parent == folder)
            break;
        folder = parent;
    }
    return folder;
}

} // namespace

LanguageExportWindow::LanguageExportWindow(QWidget* parent, const QString& folder)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmstrings"));
    setWindowTitle(kTitle);
    setModal(true);

    m_fileNameBox = new QLineEdit(this);
    m_fileNameBox->setObjectName(QStringLiteral("Text2"));
    m_fieldBox = new QLineEdit(this);
    m_fieldBox->setObjectName(QStringLiteral("Text1"));
    auto* fileLabel = new QLabel(QStringLiteral("Bestand"), this);
    fileLabel->setBuddy(m_fileNameBox);
    auto* fieldLabel = new QLabel(QStringLiteral("Veld :"), this);
    fieldLabel->setBuddy(m_fieldBox);

    auto* boxes = new QGridLayout;
    boxes->addWidget(fileLabel, 0, 0);
    boxes->addWidget(m_fileNameBox, 0, 1);
    boxes->addWidget(fieldLabel, 1, 0);
    boxes->addWidget(m_fieldBox, 1, 1);
    boxes->addWidget(new QLabel(QStringLiteral("Map"), this), 2, 0);
    boxes->addWidget(buildFolderRow(), 2, 1);

    m_generate = new QPushButton(QStringLiteral("Generate"), this);
    m_generate->setObjectName(QStringLiteral("Command1"));
    m_generate->setAutoDefault(false);
    m_generate->setMinimumWidth(110);
    connect(m_generate, &QPushButton::clicked, this, &LanguageExportWindow::generate);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_generate);

    m_resultLine = new QLabel(this);
    m_resultLine->setObjectName(QStringLiteral("resultLine"));
    m_resultLine->setTextFormat(Qt::PlainText);
    m_resultLine->setWordWrap(true);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(boxes);
    layout->addWidget(m_resultLine);
    layout->addStretch(1);
    layout->addLayout(buttons);

    setFolder(folder.isEmpty() ? lastFolder() : folder);
    resize(520, sizeHint().height());
    finishWindowSetUp(this);
}

QWidget* LanguageExportWindow::buildFolderRow()
{
    auto* row = new QWidget(this);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    m_folderLine = new QLabel(row);
    m_folderLine->setObjectName(QStringLiteral("folderLine"));
    m_folderLine->setTextFormat(Qt::PlainText);
    m_folderLine->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_folderLine->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_folderLine->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    m_chooseFolder = new QPushButton(QStringLiteral("..."), row);
    m_chooseFolder->setObjectName(QStringLiteral("chooseFolder"));
    m_chooseFolder->setAutoDefault(false);
    m_chooseFolder->setFixedWidth(m_chooseFolder->fontMetrics().horizontalAdvance(QStringLiteral("....")) + 24);
    m_chooseFolder->setToolTip(QStringLiteral("Folder"));
    connect(m_chooseFolder, &QPushButton::clicked, this, &LanguageExportWindow::chooseFolder);
    layout->addWidget(m_folderLine, 1);
    layout->addWidget(m_chooseFolder);
    return row;
}

void LanguageExportWindow::setFolder(const QString& folder)
{
    m_folder = folder;
    m_folderLine->setText(QDir::toNativeSeparators(folder));
    m_folderLine->setToolTip(m_folderLine->text());
}

void LanguageExportWindow::chooseFolder()
{
    // The dialog cannot start in a folder that is not there yet; its
    // nearest existing parent is the next best place.
    const QString chosen = QFileDialog::getExistingDirectory(this, kTitle, nearestExistingFolder(m_folder));
    if (!chosen.isEmpty())
        setFolder(chosen);
}

void LanguageExportWindow::generate()
{
    m_resultLine->clear();
    const ExportResult result =
        LanguageExport(m_folder).generate(ClubDatabase::get(), m_fieldBox->text(), m_fileNameBox->text());
    if (result.outcome == ExportResult::NothingAsked)
        return;
    if (!result.written()) {
        QApplication::beep();
        QMessageBox::warning(this, kTitle, result.error);
        return;
    }
    lastFolder() = m_folder;
    m_resultLine->setText(QDir::toNativeSeparators(result.filePath));
}

void openLanguageExportWindow(QWidget* parent)
{
    LanguageExportWindow window(parent);
    window.exec();
}

} // namespace durvek
