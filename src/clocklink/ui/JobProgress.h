#pragma once
#include "clocklink/LinkResult.h"
#include <QElapsedTimer>
#include <QWidget>

class QLabel;
class QProgressBar;
class QTimer;

namespace durvek {

// A job's progress in a window's status area: a bar that fills as the job
// goes (a busy bar while the job cannot know how far it is), "n of N" and the
// time since the job started. Hidden between jobs.
class JobProgress : public QWidget {
    Q_OBJECT
public:
    explicit JobProgress(QWidget* parent = nullptr, TextLookup text = {});

    void start();
    // total 0: how many steps there are is not known yet.
    void setProgress(int done, int total);
    void finish();

    int elapsedSeconds() const;
    QProgressBar* bar() const { return m_bar; }
    QString countText() const;
    QString elapsedText() const;

private:
    void showElapsed();

    TextLookup m_text;
    QProgressBar* m_bar = nullptr;
    QLabel* m_count = nullptr;
    QLabel* m_elapsed = nullptr;
    QTimer* m_tick = nullptr;
    QElapsedTimer m_clock;
};

} // namespace durvek
