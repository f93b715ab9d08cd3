#pragma once
#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace durvek {

// "Generate  strings": writes the clock texts of table language as the
// firmware's string table into a text file. A developer's tool; the folder
// the file goes to is shown and can be changed.
class LanguageExportWindow : public QDialog {
    Q_OBJECT

public:
    // folder: where the file goes; empty for the folder of the last export
    // of this run, at first the default export folder.
    explicit LanguageExportWindow(QWidget* parent = nullptr, const QString& folder = QString());

    QLineEdit* fileNameBox() const { return m_fileNameBox; }
    QLineEdit* fieldBox() const { return m_fieldBox; }
    QPushButton* generateButton() const { return m_generate; }
    QPushButton* folderButton() const { return m_chooseFolder; }
    QLabel* folderLine() const { return m_folderLine; }
    QLabel* resultLine() const { return m_resultLine; }
    QString folder() const { return m_folder; }
    void setFolder(const QString& folder);

private:
    QWidget* buildFolderRow();
    void chooseFolder();
    void generate();

    QLineEdit* m_fileNameBox = nullptr;
    QLineEdit* m_fieldBox = nullptr;
    QPushButton* m_generate = nullptr;
    QPushButton* m_chooseFolder = nullptr;
    QLabel* m_folderLine = nullptr;
    QLabel* m_resultLine = nullptr;
    QString m_folder;
};

// Opens the window modally over parent.
void openLanguageExportWindow(QWidget* parent);

} // namespace durvek
