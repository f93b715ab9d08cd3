#pragma once
#include <QDialog>

class QLineEdit;

namespace durvek {

// The one-line prompt other windows open to ask for a text (a search text,
// a name). Enter with a non-blank text confirms it (trimmed); Enter on a
// blank box does nothing; Escape cancels. Closing by the window frame
// changes nothing, so the caller's flag keeps the value it set before.
class TextInputDialog : public QDialog {
    Q_OBJECT

public:
    // cancelled is the caller's flag, normally set to true before the call.
    // It is written only when the user leaves with Enter (false) or Escape
    // (true). The result is the confirmed text, "" unless confirmed.
    static QString ask(QWidget* parent, const QString& title, bool& cancelled);

    // The same over the program's shared cancel flag (the link buffers'
    // CancelRequested), set to true first as every caller does; the caller
    // reads the flag afterwards as the fancier and club data windows expect.
    static QString ask(QWidget* parent, const QString& title);

    TextInputDialog(QWidget* parent, const QString& title, bool& cancelled);

    QLineEdit* textBox() const { return textBox_; }
    QString inputText() const { return inputText_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void confirm();
    void cancel();

    bool& cancelled_;
    QString inputText_;
    QLineEdit* textBox_ = nullptr;
};

} // namespace durvek
