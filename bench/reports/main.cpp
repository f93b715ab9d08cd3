// The overview report of 10,000 records to a PDF file, against the floor:
// QPainter text of the same cells at the same places, page for page, on the
// same PDF writer, in the same run.
//   bench_reports [file.pdf]   also keeps the report's PDF in that file
#include "common/PagePrinter.h"
#include "results/ClockDateTime.h"
#include "results/RaceData.h"
#include "results/ReportPrinter.h"
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>

using namespace durvek;

namespace {

constexpr int kRecords = 10000;
constexpr int kRounds = 5;

RaceData clockData()
{
    RaceData data;
    data.clockLicence = QStringLiteral("12345678");
    data.clockName = QStringLiteral("Jansen Piet");
    for (int i = 0; i < kRecords; ++i) {
        const int s = 10 * 3600 + i * 2;
        const QString time = QStringLiteral("%1%2%3").arg(s / 3600, 2, 10, QChar(u'0'))
                                 .arg(s / 60 % 60, 2, 10, QChar(u'0')).arg(s % 60, 2, 10, QChar(u'0'));
        data.results << ResultRecord::fromPigeonText(
            QStringLiteral("%1BE 24-%2 RAE1RAE100000000150624").arg(i, 8, 16, QChar(u'0'))
                .arg(i, 7, 10, QChar(u'0'))
            + time + QStringLiteral("1"));
    }
    return data;
}

void setUpWriter(QPdfWriter& writer)
{
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins(QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter);
}

double reportMs(const RaceData& data, const QString& path)
{
    QElapsedTimer timer;
    timer.start();
    {
        QPdfWriter writer(path);
        setUpWriter(writer);
        PagePrinter printer(&writer);
        ReportPrinter(printer, data).print(ReportSelection{});
    }
    return double(timer.nsecsElapsed()) / 1e6;
}

// The same cells, 5 mm apart, pages as long as the report's, drawn directly.
double plainTextMs(const RaceData& data, const QString& path)
{
    QElapsedTimer timer;
    timer.start();
    QPdfWriter writer(path);
    setUpWriter(writer);
    QPainter painter(&writer);
    QFont font(QStringLiteral("Times New Roman"));
    font.setPointSizeF(10.0);
    font.setHintingPreference(QFont::PreferNoHinting);
    painter.setFont(font);
    const double unitsPerMm = writer.logicalDpiY() / 25.4;
    const double pageMm = writer.height() / unitsPerMm;
    const double columns[] = {15, 17, 35, 60, 68, 80, 100, 135};
    double y = ReportPrinter::kBodyTop;
    for (int i = 0; i < data.results.size(); ++i) {
        const ResultRecord& r = data.results.at(i);
        const QString cells[] = {QString::number(i + 1), r.elcode, r.band, r.flightCode, r.flightCode2,
                                 readableClockDate(r.arrivalDate), readableClockTime(r.arrivalTime),
                                 printableText(r.sortKey)};
        for (size_t c = 0; c < std::size(cells); ++c)
            painter.drawText(QPointF(columns[c] * unitsPerMm, (y + 4) * unitsPerMm), cells[c]);
        y += ReportPrinter::kLineStep;
        if (y > pageMm - ReportPrinter::kBottomMargin) {
            writer.newPage();
            y = ReportPrinter::kTopOfLaterPages;
        }
    }
    painter.end();
    return double(timer.nsecsElapsed()) / 1e6;
}

double median(QList<double> values)
{
    std::sort(values.begin(), values.end());
    return values.at(values.size() / 2);
}

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTemporaryDir dir;
    const QString kept = argc > 1 ? QString::fromLocal8Bit(argv[1]) : dir.filePath(QStringLiteral("report.pdf"));
    const RaceData data = clockData();
    QList<double> reports;
    QList<double> plain;
    for (int round = 0; round < kRounds; ++round) {
        reports.append(reportMs(data, kept));
        plain.append(plainTextMs(data, dir.filePath(QStringLiteral("plain.pdf"))));
    }
    const double ratio = median(reports) / median(plain);
    std::printf("overview report, %d rows, to PDF: median %.0f ms of %d runs; floor, QPainter text of the "
                "same cells and pages: %.0f ms; ratio %.2f (target <= 1.3: %s)\n",
                kRecords, median(reports), kRounds, median(plain), ratio, ratio <= 1.3 ? "met" : "MISSED");
    return 0;
}
