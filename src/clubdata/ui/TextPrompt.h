#pragma once
#include <QDialog>

class QLineEdit;

namespace durvek {

// The one-line prompt of the club data window (a search text, a combine
// name). Enter with a non-blank text confirms it (trimmed) and clears the
// program's cancel flag; Enter on a blank box does nothing; Escape sets the
// flag and closes; closing by the window frame leaves the flag as it was set
// before the prompt opened, so the caller treats it as cancelled.
class TextPrompt : public QDialog {
    Q_OBJECT
public:
    // Sets the cancel flag, shows the prompt and returns the confirmed text
    // ("" unless confirmed); the caller reads the flag afterwards.
    static QString ask(QWidget* parent, const QString& title);

    TextPrompt(QWidget* parent, const QString& title);

    QLineEdit* textBox() const { return m_box; }
    QString confirmedText() const { return m_text; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLineEdit* m_box = nullptr;
    QString m_text;
};

} // namespace durvek
