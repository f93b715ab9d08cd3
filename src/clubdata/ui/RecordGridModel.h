#pragma once
#include "clubdata/StoredRow.h"
#include <QAbstractTableModel>
#include <QList>
#include <QString>
#include <exception>
#include <functional>

namespace durvek {

struct GridColumn {
    QString header;
    bool editable = false;
    int maxLength = 0;  // 0: no limit
};

// A data grid over rows of one club table: each edited cell is written as
// soon as the editor closes, keyed by the row's engine number. With an adder
// a last, empty row takes a new record; it is stored only when something is
// typed into it.
class RecordGridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    static constexpr int kMaxLengthRole = Qt::UserRole + 1;

    using Loader = std::function<QList<StoredRow>()>;
    using Writer = std::function<void(qint64 rowid, int column, const QString& text)>;
    using Adder = std::function<StoredRow(int column, const QString& text)>;
    // Told what the loader, writer or adder threw; the grid shows the row as
    // it was.
    using FailureHandler = std::function<void(const std::exception& error)>;

    RecordGridModel(QList<GridColumn> columns, QObject* parent = nullptr);

    void setLoader(Loader loader) { m_loader = std::move(loader); }
    void setWriter(Writer writer) { m_writer = std::move(writer); }
    void setAdder(Adder adder);
    void setFailureHandler(FailureHandler handler) { m_failed = std::move(handler); }
    void setHeaderText(int column, const QString& text);

    // Reads the rows again; a failure leaves the grid empty and is reported.
    void reload();
    void clear();

    int recordCount() const { return int(m_rows.size()); }
    bool isNewRow(int row) const { return m_adder && row == m_rows.size(); }
    qint64 rowidAt(int row) const;
    QString textAt(int row, int column) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

private:
    bool store(int row, int column, const QString& text);
    void report(const std::exception& error) const;

    QList<GridColumn> m_columns;
    QList<StoredRow> m_rows;
    Loader m_loader;
    Writer m_writer;
    Adder m_adder;
    FailureHandler m_failed;
};

} // namespace durvek
