#include "clocklink/ui/JobProgress.h"
#include "clocklink/JobSentence.h"
#include "common/TextCatalogue.h"
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QTimer>

namespace durvek {

namespace {

constexpr int kTickMs = 1000;

QString minutesAndSeconds(int seconds)
{
    return QStringLiteral("%1:%2").arg(seconds / 60).arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

} // namespace

JobProgress::JobProgress(QWidget* parent, TextLookup text)
    : QWidget(parent)
    , m_text(text ? std::move(text) : TextLookup(&GetText))
    , m_bar(new QProgressBar(this))
    , m_count(new QLabel(this))
    , m_elapsed(new QLabel(this))
    , m_tick(new QTimer(this))
{
    setObjectName(QStringLiteral("JobProgress"));
    m_bar->setTextVisible(false);
    m_count->setTextFormat(Qt::PlainText);
    m_elapsed->setTextFormat(Qt::PlainText);
    // Wide enough for "0:00" up to an hour, so the bar does not jump.
    m_elapsed->setMinimumWidth(m_elapsed->fontMetrics().horizontalAdvance(QStringLiteral("00:00")));
    m_elapsed->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_bar, 1);
    layout->addWidget(m_count);
    layout->addWidget(m_elapsed);
    m_tick->setInterval(kTickMs);
    connect(m_tick, &QTimer::timeout, this, &JobProgress::showElapsed);
    // The window keeps its place between jobs, so nothing below it jumps.
    QSizePolicy keep = sizePolicy();
    keep.setRetainSizeWhenHidden(true);
    setSizePolicy(keep);
    hide();
}

void JobProgress::start()
{
    m_clock.start();
    m_count->clear();
    setProgress(0, 0);
    showElapsed();
    m_tick->start();
    show();
}

void JobProgress::setProgress(int done, int total)
{
    if (total > 0) {
        m_bar->setRange(0, total);
        m_bar->setValue(qBound(0, done, total));
        m_count->setText(JobSentence(m_text).steps(done, total));
    } else {
        m_bar->setRange(0, 0);
        m_count->setText(done > 0 ? QString::number(done) : QString());
    }
}

void JobProgress::finish()
{
    m_tick->stop();
    hide();
}

int JobProgress::elapsedSeconds() const
{
    return m_clock.isValid() ? int((m_clock.elapsed() + 500) / 1000) : 0;
}

QString JobProgress::countText() const { return m_count->text(); }

QString JobProgress::elapsedText() const { return m_elapsed->text(); }

void JobProgress::showElapsed() { m_elapsed->setText(minutesAndSeconds(elapsedSeconds())); }

} // namespace durvek
