#include "tst_clockjobs_fixture.h"
#include "clocklink/Frames.h"
#include "database/SqlUtil.h"
#include <QFile>
#include <QSqlQuery>

namespace durvek::test {

ClockJobBench::ClockJobBench(clocksim::ClockModel model, bool converter)
{
    clocksim::SimState state;
    state.model = model;
    state.converter = converter;
    clocksim::SimulatorOptions options;
    options.lineDelay = false;
    options.logPath = m_dir.filePath(QStringLiteral("frames.log"));
    m_sim = std::make_unique<clocksim::Simulator>(state, options);
    if (!m_sim->start())
        return;
    const QString device = m_sim->devicePath();
    m_library.setPortResolver([device](uint8_t) { return device; });
    m_library.setLineLog(nullptr);

    ClubSettings settings;
    settings.converter = converter;
    m_job = std::make_unique<JobContext>(JobContext{m_host, m_library, LinkParams::fromSettings(settings), &text});

    m_club = std::make_unique<testing::DeliveredClub>();
    linkBuffers().CancelRequested = false;
    m_ready = true;
}

ClockJobBench::~ClockJobBench()
{
    m_library.release();
    m_sim->stop();
    m_club.reset();
}

int32_t ClockJobBench::addFancier(const QString& licence, const QString& name)
{
    const QSqlQuery q = runStatement(
        db(),
        QStringLiteral("INSERT INTO fanciers (Licence, Name, Adress, zip, city, KXT, KYT) VALUES (?, ?, ?, ?, ?, ?, ?)"),
        {licence, name, QStringLiteral("Dijkstraat 4"), QStringLiteral("9000"), QStringLiteral("Gent"),
         QStringLiteral("4.123456"), QStringLiteral("51.12345")});
    return int32_t(q.lastInsertId().toLongLong());
}

void ClockJobBench::addPigeon(int32_t fancier, const TestPigeon& p, int nr)
{
    runStatement(db(),
                 QStringLiteral("INSERT INTO pigeons (Fancier, country, Year, band, sex, color, elcode, Nr) "
                                "VALUES (?, ?, ?, ?, ?, ?, ?, ?)"),
                 {fancier, p.country, p.year, p.band, p.sex, p.color, p.elcode, nr});
}

QStringList ClockJobBench::pigeonsOf(int32_t fancier) const
{
    QSqlQuery q = runStatement(
        db(),
        QStringLiteral("SELECT country, Year, band, sex, color, elcode FROM pigeons WHERE Fancier = ? ORDER BY Nr"),
        {fancier});
    QStringList rows;
    while (q.next()) {
        QStringList cells;
        for (int i = 0; i < 6; ++i)
            cells << (q.value(i).isNull() ? QStringLiteral("<null>") : q.value(i).toString());
        rows << cells.join(u'|');
    }
    return rows;
}

int ClockJobBench::fancierCount() const
{
    return queryValue(db(), QStringLiteral("SELECT count(*) FROM fanciers")).toInt();
}

QList<QByteArray> ClockJobBench::receivedFrames() const
{
    QFile log(m_dir.filePath(QStringLiteral("frames.log")));
    if (!log.open(QIODevice::ReadOnly))
        return {};
    QList<QByteArray> frames;
    for (const QByteArray& line : log.readAll().split('\n')) {
        if (line.startsWith("RX "))
            frames.append(QByteArray::fromHex(line.mid(3).replace(' ', "")));
    }
    return frames;
}

int ClockJobBench::countCommand(uint8_t command) const
{
    int count = 0;
    for (const QByteArray& f : receivedFrames())
        count += f.size() > 2 && uint8_t(f[2]) == command ? 1 : 0;
    return count;
}

QByteArray hexOf(const QByteArray& frame) { return frame.toHex().toUpper(); }

} // namespace durvek::test
