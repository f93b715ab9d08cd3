#include "DemoClock.h"
#include "clocklink/ClockModel.h"

namespace durvek::clocksim {

namespace {

QByteArray field(const QByteArray& text, int width) { return text.left(width).leftJustified(width, ' '); }

QByteArray fancierBlock(const QByteArray& licence, const QByteArray& name, const QByteArray& address,
                        const QByteArray& zip, const QByteArray& city)
{
    return field(licence, 8) + field(name, 25) + field(address, 25) + field(zip, 6) + field(city, 20)
        + field("05123456", 8) + field("51012345", 8);
}

struct DemoPigeon {
    const char* chip;
    const char* country;
    const char* year;
    const char* band;
    char sex;
    const char* colour;
};

QByteArray pigeonRecord(const DemoPigeon& p, bool longRecord)
{
    QByteArray r = field(p.chip, 8) + field(p.country, 3) + QByteArray(p.year) + '-';
    r += QByteArray(p.band).rightJustified(longRecord ? 10 : 7, ' ');
    r += p.sex;
    if (longRecord)
        r += field(p.colour, 4);
    return r;
}

QByteArray flightText(const QByteArray& code, const QByteArray& code2, const QByteArray& date,
                      const QByteArray& release, const QByteArray& distance)
{
    QByteArray s = field(code, 4) + field(code2, 4) + date + release + distance + "    " + "000000" + "000000"
        + "000000" + "    " + "0001";
    return field(s, 57);
}

Arrival arrival(int block, int record, const QByteArray& flightKey, const QByteArray& date, const QByteArray& time,
                char status)
{
    Arrival a;
    a.block = block;
    a.record = record;
    a.flightKey = flightKey;
    a.date = date;
    a.time = time;
    a.status = status;
    a.values[0] = uint16_t(record);
    return a;
}

} // namespace

SimState demoClock(ClockModel model)
{
    SimState s;
    s.model = model;
    const bool twoFanciers = clockModel(model).fanciersPerClockSetup;
    const bool longRecords = clockModel(model).recordLayout == PigeonRecordLayout::Long;
    s.fancierBlocks.append(fancierBlock("10234567", "Demo Fancier", "Loftstraat 12", "9000", "Veldwijk"));
    if (twoFanciers) {
        s.fanciersPerClock = 2;
        s.fancierBlocks.append(fancierBlock("10234590", "Second Demo Fancier", "Duivenlaan 3", "9010", "Veldwijk"));
    }

    static const DemoPigeon pigeons[] = {
        {"0A1B2C3D", "BE", "23", "1234567", ' ', "BB  "}, {"1F2E3D4C", "BE", "23", "1234568", 'F', "BK  "},
        {"55AA1234", "BE", "24", "2001234", ' ', "RD  "}, {"6B7C8D9E", "NL", "24", "1709876", 'F', "BBW "},
        {"00FF00FF", "BE", "22", "3012345", ' ', "BB  "}, {"ABCDEF01", "DV", "24", "0456789", 'F', "GR  "},
    };
    s.records.append({0, 0, "999999"});
    int index = 0;
    for (const DemoPigeon& p : pigeons) {
        const int block = twoFanciers && index >= 4 ? 1 : 0;
        const int recordIndex = block == 1 ? index - 3 : index + 1;
        s.records.append({block, recordIndex, pigeonRecord(p, longRecords)});
        ++index;
    }
    if (twoFanciers)
        s.records.append({1, 0, "999999"});

    s.flights.append(flightText("NOYO", "0001", "150624", "073000", "123456"));
    s.flights.append(flightText("TRN1", "0002", "080624", "090000", "045000"));
    s.arrivals.append(arrival(0, 1, "NOYO0001", "150624", "112731", '1'));
    s.arrivals.append(arrival(0, 2, "NOYO0001", "150624", "112509", '!'));
    s.arrivals.append(arrival(0, 3, "NOYO0001", "000000", "000000", '2'));
    s.arrivals.append(arrival(0, 4, "TRN10002", "080624", "101502", '5'));
    s.arrivals.append(arrival(0, 1, "TRN10002", "080624", "101455", '5'));
    return s;
}

bool becomeRaceFancier(SimState& state, int fancier)
{
    struct RaceFancier {
        const char* licence;
        const char* name;
        const char* address;
        QList<DemoPigeon> pigeons; // records 1, 2, ... in basketing order
        QList<Arrival> arrivals;
    };
    const QByteArray race = "NOYO0001";
    // Fancier 1 is the demo clock's own fancier with its pigeons; the two
    // others have pigeons of their own, so no band turns up in two lofts.
    const RaceFancier fanciers[] = {
        {"10234567", "Demo Fancier", "Loftstraat 12", {},
         {arrival(0, 1, race, "150624", "112731", '1'), arrival(0, 2, race, "150624", "112509", '!'),
          arrival(0, 3, race, "000000", "000000", '2')}},
        {"10234568", "Second Demo Fancier", "Duivenlaan 3",
         {{"2A4C6E80", "BE", "23", "2345671", ' ', "BB  "}, {"3B5D7F91", "BE", "24", "2345672", 'F', "BK  "}},
         {arrival(0, 1, race, "150624", "113015", '1'), arrival(0, 2, race, "150624", "114402", '1')}},
        {"10234569", "Third Demo Fancier", "Kerkplein 7",
         {{"4C6E80A2", "NL", "23", "3456781", ' ', "RD  "}, {"5D7F91B3", "NL", "24", "3456782", 'F', "BB  "}},
         {arrival(0, 1, race, "160624", "061210", '1'), arrival(0, 2, race, "000000", "000000", '2')}},
    };
    if (fancier < 1 || fancier > 3 || state.fancierBlocks.isEmpty())
        return false;
    const RaceFancier& chosen = fanciers[fancier - 1];
    state.fancierBlocks[0] = fancierBlock(chosen.licence, chosen.name, chosen.address, "9000", "Veldwijk");
    const auto ownPigeon = [](const StoredRecord& r) { return r.block == 0 && r.index >= 1; };
    const auto ownArrival = [](const Arrival& a) { return a.block == 0; };
    state.records.removeIf(ownPigeon);
    state.arrivals.removeIf(ownArrival);
    if (fancier == 1) {
        const SimState demo = demoClock(state.model);
        for (const StoredRecord& r : demo.records)
            if (ownPigeon(r))
                state.records.append(r);
        for (const Arrival& a : demo.arrivals)
            if (ownArrival(a) && a.flightKey != race)
                state.arrivals.append(a);
    }
    const bool longRecords = clockModel(state.model).recordLayout == PigeonRecordLayout::Long;
    for (qsizetype i = 0; i < chosen.pigeons.size(); ++i)
        state.records.append({0, int(i + 1), pigeonRecord(chosen.pigeons[i], longRecords)});
    state.arrivals.append(chosen.arrivals);
    return true;
}

} // namespace durvek::clocksim
