#pragma once
// Answers the message boxes and prompts a window opens, in the order given,
// and writes down what each one said.
#include <QList>
#include <QObject>
#include <QStringList>
#include <QTimer>

namespace durvek::test {

class ModalAnswers : public QObject {
    Q_OBJECT
public:
    enum class Kind { Ok, Yes, No, Type, Escape, CloseFrame };
    struct Answer {
        Kind kind = Kind::Ok;
        QString text;  // typed into a prompt, one key event per character, then Enter
    };

    ModalAnswers();

    void push(Kind kind, const QString& text = QString()) { m_answers.append({kind, text}); }
    bool allUsed() const { return m_answers.isEmpty(); }

    // "title|message" of each box; "prompt|title" of each prompt; "icon:N" of boxes in icons.
    QStringList seen;
    QList<int> icons;
    QList<int> defaultIsNo;

private:
    void look();

    QList<Answer> m_answers;
    QTimer m_timer;
};

} // namespace durvek::test
