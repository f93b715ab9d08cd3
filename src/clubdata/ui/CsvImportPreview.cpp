#include "clubdata/ui/CsvImportPreview.h"
#include "common/TextCatalogue.h"
#include "common/ui/Captions.h"
#include "common/ui/WindowSetUp.h"
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace durvek {

namespace {

constexpr int kLineCaption = 133;
constexpr int kSaveCaption = 20;
constexpr int kCancelCaption = 27;
constexpr int kSummaryText = 289;

// Catalogue numbers of the verdicts, in the order of CsvImportLine::Verdict.
constexpr int kVerdictTexts[] = {276, 277, 278, 279};

QTableWidgetItem* item(const QString& text)
{
    auto* cell = new QTableWidgetItem(text);
    cell->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    return cell;
}

} // namespace

CsvImportPreview::CsvImportPreview(const QString& title, int subjectCaption, const QList<CsvImportLine>& lines,
                                   QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("CsvImportPreview"));
    setWindowTitle(title);
    setModal(true);
    m_table = new QTableWidget(int(lines.size()), ColumnCount, this);
    m_table->setHorizontalHeaderLabels({GetText(kLineCaption), GetText(subjectCaption), QString(), QString()});
    m_table->verticalHeader()->hide();
    m_table->horizontalHeader()->setSectionResizeMode(DetailColumn, QHeaderView::Stretch);
    std::array<int, 4> counts {};
    for (int row = 0; row < int(lines.size()); ++row) {
        const CsvImportLine& line = lines[row];
        const int verdict = int(line.verdict);
        ++counts[size_t(verdict)];
        m_table->setItem(row, LineColumn, item(QString::number(line.line)));
        m_table->setItem(row, SubjectColumn, item(line.subject));
        m_table->setItem(row, VerdictColumn, item(GetText(kVerdictTexts[verdict])));
        m_table->setItem(row, DetailColumn, item(line.detail));
        if (line.verdict == CsvImportLine::Verdict::Refused)
            m_table->item(row, VerdictColumn)->setForeground(Qt::red);
    }
    m_table->resizeColumnsToContents();

    const int added = counts[size_t(CsvImportLine::Verdict::Added)];
    const int changed = counts[size_t(CsvImportLine::Verdict::Changed)];
    m_summary = new QLabel(GetText(kSummaryText)
                               .arg(added)
                               .arg(changed)
                               .arg(counts[size_t(CsvImportLine::Verdict::Refused)])
                               + QStringLiteral(" ?"),
                           this);
    m_summary->setWordWrap(true);
    m_store = new QPushButton(this);
    setCaptionNumber(m_store, kSaveCaption);
    m_store->setEnabled(added + changed > 0);
    m_cancel = new QPushButton(this);
    setCaptionNumber(m_cancel, kCancelCaption);
    // Storing is the step that cannot be taken back: it is never the default.
    m_store->setAutoDefault(false);
    m_cancel->setDefault(true);
    connect(m_store, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_store);
    buttons->addWidget(m_cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_table, 1);
    layout->addWidget(m_summary);
    layout->addLayout(buttons);
    applyCaptions(this);
    resize(760, 480);
    finishWindowSetUp(this);
}

} // namespace durvek
