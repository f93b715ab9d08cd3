#pragma once
#include <QMessageBox>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <functional>

namespace durvek::testing {

// What a message box showed when it was answered.
struct SeenMessage {
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
    // Extra check run while the box is open (e.g. a label shown behind it).
    QString whileOpen;
};

// Answers the modal windows a window under test opens, in turn: each answer
// is given to the next modal window that is not the one under test.
class ModalAnswers : public QObject {
public:
    using Answer = std::function<void(QWidget* modal)>;

    explicit ModalAnswers(QWidget* windowUnderTest);

    // The next message box is answered with button; probe, when given, runs while it is open.
    void answerMessage(QMessageBox::StandardButton button, std::function<QString()> probe = {});
    // The next modal window gets the answer.
    void answer(Answer answer);

    const QList<SeenMessage>& seen() const { return seen_; }
    int pending() const { return int(answers_.size()); }

private:
    void poll();

    QWidget* window_;
    QList<Answer> answers_;
    QList<SeenMessage> seen_;
    QTimer timer_;
};

} // namespace durvek::testing
