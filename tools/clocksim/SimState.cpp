#include "SimState.h"
#include "clocklink/ClockModel.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QSaveFile>

namespace durvek::clocksim {

namespace {

// Bytes travel through JSON as one character per byte, so every byte value survives.
QString bytesToJson(const QByteArray& bytes) { return QString::fromLatin1(bytes); }
QByteArray bytesFromJson(const QJsonValue& value) { return value.toString().toLatin1(); }

QJsonArray textList(const QList<QByteArray>& list)
{
    QJsonArray out;
    for (const QByteArray& item : list)
        out.append(bytesToJson(item));
    return out;
}

QList<QByteArray> textListFrom(const QJsonValue& value)
{
    QList<QByteArray> out;
    for (const QJsonValue& item : value.toArray())
        out.append(bytesFromJson(item));
    return out;
}

QJsonObject arrivalToJson(const Arrival& a)
{
    QJsonArray values;
    for (uint16_t v : a.values)
        values.append(int(v));
    return QJsonObject{{"block", a.block}, {"record", a.record}, {"flight", bytesToJson(a.flightKey)},
                       {"values", values}, {"date", bytesToJson(a.date)}, {"time", bytesToJson(a.time)},
                       {"status", QString(QChar::fromLatin1(a.status))}};
}

Arrival arrivalFromJson(const QJsonObject& o)
{
    Arrival a;
    a.block = o.value("block").toInt();
    a.record = o.value("record").toInt(1);
    a.flightKey = bytesFromJson(o.value("flight"));
    const QJsonArray values = o.value("values").toArray();
    for (int i = 0; i < 4 && i < values.size(); ++i)
        a.values[i] = uint16_t(values[i].toInt());
    a.date = bytesFromJson(o.value("date"));
    a.time = bytesFromJson(o.value("time"));
    const QString status = o.value("status").toString(QStringLiteral("1"));
    a.status = status.isEmpty() ? '1' : status.at(0).toLatin1();
    return a;
}

QJsonObject incomingToJson(const IncomingTransfer& in)
{
    QJsonArray stages;
    for (int s : in.stages)
        stages.append(s);
    return QJsonObject{{"header", bytesToJson(in.header)}, {"members", bytesToJson(in.members)},
                       {"count", bytesToJson(in.count)}, {"pigeons", textList(in.pigeons)},
                       {"badgeCount", bytesToJson(in.badgeCount)}, {"badges", textList(in.badges)},
                       {"stages", stages}, {"rejectedLines", in.rejectedLines}};
}

IncomingTransfer incomingFromJson(const QJsonObject& o)
{
    IncomingTransfer in;
    in.header = bytesFromJson(o.value("header"));
    in.members = bytesFromJson(o.value("members"));
    in.count = bytesFromJson(o.value("count"));
    in.pigeons = textListFrom(o.value("pigeons"));
    in.badgeCount = bytesFromJson(o.value("badgeCount"));
    in.badges = textListFrom(o.value("badges"));
    for (const QJsonValue& s : o.value("stages").toArray())
        in.stages.append(s.toInt());
    in.rejectedLines = o.value("rejectedLines").toInt();
    return in;
}

} // namespace

QString modelName(ClockModel model)
{
    return clockModel(model).caption().toLower().remove(u' ');
}

QStringList modelNames()
{
    QStringList names;
    for (const auto& row : clockModels())
        names.append(modelName(row.index));
    return names;
}

bool parseModel(const QString& name, ClockModel* model)
{
    for (const auto& row : clockModels()) {
        if (name.compare(modelName(row.index), Qt::CaseInsensitive) == 0) {
            *model = row.index;
            return true;
        }
    }
    return false;
}

bool SimState::isMultiFancier() const
{
    return clockModel(model).fanciersPerClockSetup && fancierBlocks.size() > 1;
}

QByteArray SimState::identityText() const
{
    QByteArray text = identity;
    if (text.isEmpty()) {
        // Firmware versions and serial numbers as the delivered models show
        // them; a model without one shows its name and a first version.
        static const QList<QByteArray> known = {"Omnexa 4.12 0000417", "Zefira 2.07 0001962",
                                                "Little Durvek 1.3 0088", "Korvat 5.01 0000731"};
        text = known.value(int(model), clockModel(model).caption().toLatin1() + " 1.00 0000001");
    }
    if (isMultiFancier() && !text.startsWith("SPD"))
        text.prepend("SPD ");
    return text.left(120);
}

QJsonObject SimState::toJson() const
{
    QJsonArray recordList;
    for (const StoredRecord& r : records)
        recordList.append(QJsonObject{{"block", r.block}, {"index", r.index}, {"data", bytesToJson(r.data)}});
    QJsonArray arrivalList;
    for (const Arrival& a : arrivals)
        arrivalList.append(arrivalToJson(a));
    QJsonArray outList;
    for (const OutgoingPigeon& p : outPigeons)
        outList.append(QJsonObject{{"country", bytesToJson(p.country)}, {"year", bytesToJson(p.year)},
                                   {"band", bytesToJson(p.band)}, {"sex", QString(QChar::fromLatin1(p.sex))},
                                   {"chip", bytesToJson(p.chip)}});
    return QJsonObject{
        {"model", modelName(model)},
        {"identity", bytesToJson(identity)},
        {"converter", converter},
        {"converterWaitMs", converterWaitMs},
        {"fanciersPerClock", fanciersPerClock},
        {"currentBlock", currentBlock},
        {"fancierBlocks", textList(fancierBlocks)},
        {"records", recordList},
        {"raceBlock", bytesToJson(raceBlock)},
        {"flights", textList(flights)},
        {"arrivals", arrivalList},
        {"chip", bytesToJson(chip)},
        {"transferOut", QJsonObject{{"licence", bytesToJson(outLicence)}, {"name", bytesToJson(outName)},
                                    {"pigeons", outList}}},
        {"transferIn", incomingToJson(incoming)},
        {"languageTexts", textList(languageTexts)},
        {"languageUploads", languageUploads},
        {"jobsEnded", jobsEnded},
    };
}

SimState SimState::fromJson(const QJsonObject& json)
{
    SimState s;
    parseModel(json.value("model").toString(), &s.model);
    s.identity = bytesFromJson(json.value("identity"));
    s.converter = json.value("converter").toBool();
    s.converterWaitMs = qBound(0, json.value("converterWaitMs").toInt(3000), 5000);
    s.fanciersPerClock = qBound(1, json.value("fanciersPerClock").toInt(1), 3);
    s.currentBlock = json.value("currentBlock").toInt();
    s.fancierBlocks = textListFrom(json.value("fancierBlocks"));
    for (const QJsonValue& v : json.value("records").toArray()) {
        const QJsonObject o = v.toObject();
        s.records.append({o.value("block").toInt(), o.value("index").toInt(), bytesFromJson(o.value("data"))});
    }
    s.raceBlock = bytesFromJson(json.value("raceBlock"));
    s.flights = textListFrom(json.value("flights"));
    for (const QJsonValue& v : json.value("arrivals").toArray())
        s.arrivals.append(arrivalFromJson(v.toObject()));
    s.chip = bytesFromJson(json.value("chip"));
    const QJsonObject out = json.value("transferOut").toObject();
    s.outLicence = bytesFromJson(out.value("licence"));
    s.outName = bytesFromJson(out.value("name"));
    for (const QJsonValue& v : out.value("pigeons").toArray()) {
        const QJsonObject o = v.toObject();
        OutgoingPigeon p;
        p.country = bytesFromJson(o.value("country"));
        p.year = bytesFromJson(o.value("year"));
        p.band = bytesFromJson(o.value("band"));
        const QString sex = o.value("sex").toString(QStringLiteral(" "));
        p.sex = sex.isEmpty() ? ' ' : sex.at(0).toLatin1();
        p.chip = bytesFromJson(o.value("chip"));
        s.outPigeons.append(p);
    }
    s.incoming = incomingFromJson(json.value("transferIn").toObject());
    s.languageTexts = textListFrom(json.value("languageTexts"));
    s.languageUploads = json.value("languageUploads").toInt();
    s.jobsEnded = json.value("jobsEnded").toInt();
    return s;
}

bool loadState(const QString& path, SimState* state, QString* error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    QJsonParseError parseError;
    const QJsonDocument doc = QJsonDocument::fromJson(file.readAll(), &parseError);
    if (!doc.isObject()) {
        if (error)
            *error = parseError.errorString();
        return false;
    }
    *state = SimState::fromJson(doc.object());
    return true;
}

bool saveState(const QString& path, const SimState& state, QString* error)
{
    // Written through a temporary file so a test reading it never sees half a file.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    file.write(QJsonDocument(state.toJson()).toJson(QJsonDocument::Indented));
    if (!file.commit()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}

} // namespace durvek::clocksim
