#pragma once
// Answers the modal windows a window under test opens while a test drives
// it, and keeps what each message box said. Answers queued with answer() or
// answerMessage() go, in turn, to the next modal window; a message box that
// finds the queue empty waits (Wait) or is declined the way a careful user
// would: No to a question, OK to anything else (Decline).
#include <QList>
#include <QMessageBox>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <functional>

namespace durvek::testing {

// What a message box showed when it was answered.
struct SeenMessage {
    QString title;
    QString text;
    QString details;  // the box's "Show Details" text
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
    // What the probe given with the answer found while the box was open.
    QString whileOpen;

    QString titleAndText() const { return title + u'|' + text; }
};

class ModalAnswers : public QObject {
public:
    enum Unscripted { Wait, Decline };
    using Answer = std::function<void(QWidget* modal)>;

    // windowUnderTest, when it is modal itself, is never answered.
    explicit ModalAnswers(QWidget* windowUnderTest = nullptr) : ModalAnswers(Wait, windowUnderTest) {}
    explicit ModalAnswers(Unscripted unscripted, QWidget* windowUnderTest = nullptr);
    // For a window made after the answers: a modal window under test is never answered.
    void setWindowUnderTest(QWidget* window) { m_window = window; }

    // The next modal window is a message box and gets button (rejected when
    // it has none); probe, when given, runs while it is open.
    void answerMessage(QMessageBox::StandardButton button, std::function<QString()> probe = {});
    // The next modal window, whatever it is, gets the answer.
    void answer(Answer answer);
    int pending() const { return int(m_answers.size()); }

    // Runs for every message box answered, while it is still open.
    std::function<void(const SeenMessage&)> onMessage;

    const QList<SeenMessage>& seen() const { return m_seen; }
    // "title|text" of each box seen.
    QStringList titlesAndTexts() const;
    void clearSeen() { m_seen.clear(); }

private:
    void poll();
    void press(QMessageBox* box, QMessageBox::StandardButton button, const std::function<QString()>& probe);

    QPointer<QWidget> m_window;
    Unscripted m_unscripted;
    QList<Answer> m_answers;
    QList<SeenMessage> m_seen;
    QTimer m_timer;
};

} // namespace durvek::testing
