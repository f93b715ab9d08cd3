#pragma once
#include <QLineEdit>

namespace durvek {

// A text field with an input mask in the club's own mask language ("/N ",
// "/DP2 ", ...; see common/KeyFilter.h). The mask applies to every way text
// gets in by the user: typed keys, paste (shortcut, context menu, middle
// click), drops and input-method commits. setText() and insert() from code
// are not filtered: windows fill fields from stored data.
class FilteredLineEdit : public QLineEdit {
    Q_OBJECT
    Q_PROPERTY(QString keyMask READ keyMask WRITE setKeyMask)
public:
    explicit FilteredLineEdit(QWidget* parent = nullptr);
    explicit FilteredLineEdit(const QString& keyMask, QWidget* parent = nullptr);

    QString keyMask() const { return m_keyMask; }
    void setKeyMask(const QString& mask) { m_keyMask = mask; }

    // The separator the /S and /DPn masks count with; the run's own by default.
    QChar decimalSeparator() const;
    void setDecimalSeparator(QChar separator) { m_decimalSeparator = separator; }

    // Inserts text at the cursor (replacing the selection) as if typed.
    void insertFiltered(const QString& text);

public slots:
    // Pastes the clipboard through the mask.
    void paste();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;

private:
    QString filtered(const QString& inserted) const;

    QString m_keyMask;
    QChar m_decimalSeparator; // null: the run's separator
};

} // namespace durvek
