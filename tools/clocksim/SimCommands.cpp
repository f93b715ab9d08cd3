// The run-time commands of the simulator, one per line, as a person types
// them on the simulator's standard input or a test passes them to command().
#include "DemoClock.h"
#include "Simulator.h"

#include <QJsonDocument>
#include <QStringList>

namespace durvek::clocksim {

namespace {

bool parseOnOff(const QString& word, bool* on)
{
    if (word == QLatin1String("on")) {
        *on = true;
        return true;
    }
    if (word == QLatin1String("off")) {
        *on = false;
        return true;
    }
    return false;
}

bool isHexChip(const QString& text)
{
    if (text.size() != 8 && text.size() != 10)
        return false;
    for (QChar c : text) {
        if (!c.isDigit() && !(c.toUpper() >= u'A' && c.toUpper() <= u'F'))
            return false;
    }
    return true;
}

QString error(const QString& what) { return QStringLiteral("error: ") + what; }

QString refusalCommand(Simulator& sim, const QStringList& w)
{
    // fault refuse off | fault refuse CMD STATUS [read|write]
    if (w.size() == 3 && w[2] == QLatin1String("off")) {
        sim.changeFaults([](Faults& f) { f.refusals.clear(); });
        return QStringLiteral("ok");
    }
    bool okCommand = false, okStatus = false;
    const uint command = w.value(2).toUInt(&okCommand, 16);
    const uint status = w.value(3).toUInt(&okStatus, 10);
    if (!okCommand || !okStatus || command > 0xFF || status > 0xFF)
        return error(QStringLiteral("usage: fault refuse CMD(hex) STATUS [read|write]"));
    Refusal r {uint8_t(command), uint8_t(status), RefusalScope::Any};
    if (w.value(4) == QLatin1String("read"))
        r.scope = RefusalScope::Read;
    else if (w.value(4) == QLatin1String("write"))
        r.scope = RefusalScope::Write;
    sim.changeFaults([r](Faults& f) {
        f.refusals.removeIf([&](const Refusal& old) { return old.command == r.command && old.scope == r.scope; });
        f.refusals.append(r);
    });
    return QStringLiteral("ok");
}

// fault refusestage CODE... | fault refuseline N... (either with "off")
QString transferRefusalCommand(Simulator& sim, const QStringList& w)
{
    const bool stages = w[1] == QLatin1String("refusestage");
    QList<int> values;
    if (w.value(2) != QLatin1String("off")) {
        for (int i = 2; i < w.size(); ++i) {
            bool ok = false;
            const int v = w[i].toInt(&ok);
            if (!ok || v < 1 || (stages && v > 0xFF))
                return error(QStringLiteral("usage: fault refusestage CODE... | fault refuseline N... | ... off"));
            values.append(v);
        }
    }
    sim.changeFaults([stages, values](Faults& f) {
        if (!stages) {
            f.refusedLines = values;
            return;
        }
        f.refusedStages.clear();
        for (int v : values)
            f.refusedStages.append(uint8_t(v));
    });
    return QStringLiteral("ok");
}

QString faultCommand(Simulator& sim, const QStringList& w)
{
    const QString kind = w.value(1);
    bool on = false;
    bool number = false;
    const int value = w.value(2).toInt(&number);
    if (kind == QLatin1String("off")) {
        sim.changeFaults([](Faults& f) { f.clear(); });
        return QStringLiteral("ok");
    }
    if (kind == QLatin1String("silence") && parseOnOff(w.value(2), &on)) {
        sim.changeFaults([on](Faults& f) { f.silent = on; });
        return QStringLiteral("ok");
    }
    if (kind == QLatin1String("delay") && number && value >= 0) {
        sim.changeFaults([value](Faults& f) { f.extraDelayMs = value; });
        return QStringLiteral("ok");
    }
    if (kind == QLatin1String("garble") && number && value >= 0) {
        sim.changeFaults([value](Faults& f) { f.garbleEvery = value; });
        return QStringLiteral("ok");
    }
    if (kind == QLatin1String("refuse"))
        return refusalCommand(sim, w);
    if (kind == QLatin1String("refusestage") || kind == QLatin1String("refuseline"))
        return transferRefusalCommand(sim, w);
    if (kind == QLatin1String("vanish")) {
        if (w.value(2) == QLatin1String("off")) {
            sim.changeFaults([](Faults& f) {
                f.vanishAfter = -1;
                f.vanished = false;
            });
            return QStringLiteral("ok");
        }
        if (number && value >= 0) {
            const bool close = w.value(3) == QLatin1String("close");
            sim.changeFaults([value, close](Faults& f) {
                f.vanishAfter = value;
                f.vanishClosesLine = close;
                f.vanished = false;
            });
            return QStringLiteral("ok");
        }
    }
    return error(QStringLiteral("unknown fault: %1").arg(w.join(u' ')));
}

} // namespace

QString Simulator::command(const QString& line)
{
    const QStringList w = line.simplified().split(u' ', Qt::SkipEmptyParts);
    if (w.isEmpty())
        return QString();
    const QString verb = w[0].toLower();
    bool on = false;
    if (verb == QLatin1String("chip")) {
        if (!isHexChip(w.value(1)))
            return error(QStringLiteral("a chip is 8 or 10 hexadecimal digits"));
        presentChip(w[1].toLatin1());
        return QStringLiteral("ok");
    }
    if (verb == QLatin1String("nochip")) {
        removeChip();
        return QStringLiteral("ok");
    }
    if (verb == QLatin1String("fault"))
        return faultCommand(*this, w);
    if (verb == QLatin1String("converter") && parseOnOff(w.value(1), &on)) {
        setConverter(on);
        return QStringLiteral("ok");
    }
    if (verb == QLatin1String("linedelay") && parseOnOff(w.value(1), &on)) {
        setLineDelay(on);
        return QStringLiteral("ok");
    }
    if (verb == QLatin1String("model")) {
        SimState s = state();
        if (!parseModel(w.value(1), &s.model))
            return error(QStringLiteral("models: ") + modelNames().join(u' '));
        setState(s);
        return QStringLiteral("ok");
    }
    if (verb == QLatin1String("racefancier")) {
        SimState s = state();
        bool number = false;
        const int fancier = w.value(1).toInt(&number);
        if (!number || !becomeRaceFancier(s, fancier))
            return error(QStringLiteral("usage: racefancier 1|2|3"));
        setState(s);
        return QStringLiteral("ok");
    }
    if (verb == QLatin1String("save")) {
        QString message;
        return save(&message) ? QStringLiteral("ok") : error(message);
    }
    if (verb == QLatin1String("state"))
        return QString::fromUtf8(QJsonDocument(state().toJson()).toJson(QJsonDocument::Compact));
    if (verb == QLatin1String("help"))
        return QStringLiteral("commands: chip HEX | nochip | converter on|off | linedelay on|off | model NAME | "
                              "fault silence on|off | fault delay MS | fault garble N | "
                              "fault refuse CMD STATUS [read|write] | fault refuse off | "
                              "fault vanish K [close] | fault vanish off | "
                              "fault refusestage CODE... | fault refuseline N... | fault off | racefancier 1|2|3 | "
                              "save | state | quit");
    return error(QStringLiteral("unknown command: %1 (try help)").arg(w[0]));
}

} // namespace durvek::clocksim
