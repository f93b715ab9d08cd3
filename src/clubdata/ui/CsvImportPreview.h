#pragma once
#include "clubdata/CsvImportLine.h"
#include <QDialog>
#include <QList>

class QLabel;
class QPushButton;
class QTableWidget;

namespace durvek {

// What an import would do, line by line, before anything is stored: each
// line of the file added, changed (with the fields) or refused (with the
// reason). "Save" stores the added and changed lines; Cancel stores nothing.
class CsvImportPreview : public QDialog {
    Q_OBJECT
public:
    enum Column { LineColumn, SubjectColumn, VerdictColumn, DetailColumn, ColumnCount };

    // subjectCaption names what the lines are about (fanciers or pigeons).
    CsvImportPreview(const QString& title, int subjectCaption, const QList<CsvImportLine>& lines, QWidget* parent);

    QTableWidget* table() const { return m_table; }
    QLabel* summary() const { return m_summary; }
    QPushButton* storeButton() const { return m_store; }
    QPushButton* cancelButton() const { return m_cancel; }

private:
    QTableWidget* m_table = nullptr;
    QLabel* m_summary = nullptr;
    QPushButton* m_store = nullptr;
    QPushButton* m_cancel = nullptr;
};

} // namespace durvek
