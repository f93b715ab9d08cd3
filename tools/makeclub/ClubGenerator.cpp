#include "ClubGenerator.h"
#include "ClubNames.h"
#include "database/SchemaUpgrade.h"
#include "database/SqlUtil.h"
#include <QRandomGenerator>
#include <QSet>
#include <QSqlQuery>

namespace durvek {

namespace {

class Generator {
public:
    Generator(QSqlDatabase& db, const ClubShape& shape)
        : m_db(db), m_shape(shape), m_random(shape.seed)
    {
    }

    void run()
    {
        upgradeSchema(m_db);
        inTransaction(m_db, [&] {
            prepare();
            for (int fancier = 1; fancier <= m_shape.fanciers; ++fancier)
                addFancier(fancier);
            addPigeons();
        });
    }

private:
    template <typename List>
    const auto& pick(const List& list) { return list.at(int(m_random.bounded(uint32_t(list.size())))); }

    bool chance(int percent) { return int(m_random.bounded(100u)) < percent; }

    Nation pickNation()
    {
        const int roll = int(m_random.bounded(100u));
        return roll < 60 ? Nation::Belgium : roll < 85 ? Nation::Netherlands : Nation::France;
    }

    void prepare()
    {
        m_fancierInsert = QSqlQuery(m_db);
        m_fancierInsert.prepare(QStringLiteral(
            "INSERT INTO fanciers (id, Licence, Name, sort, Adress, zip, city, district, telephone, "
            "fax, email, Actief, KXX, KYY, KXT, KYT) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
        m_pigeonInsert = QSqlQuery(m_db);
        m_pigeonInsert.prepare(QStringLiteral(
            "INSERT INTO pigeons (Fancier, country, Year, band, sex, color, elcode, volring, Security, "
            "\"delete\", Nr) VALUES (?, ?, ?, ?, ?, ?, ?, ?, '00', 0, ?)"));
    }

    QString telephone(Nation nation)
    {
        const auto digits = [&](int n) {
            QString s;
            for (int i = 0; i < n; ++i)
                s += QChar(u'0' + int(m_random.bounded(10u)));
            return s;
        };
        switch (nation) {
        case Nation::Belgium: return QStringLiteral("0%1 %2 %3").arg(digits(2), digits(2), digits(4));
        case Nation::Netherlands: return QStringLiteral("0%1-%2").arg(digits(2), digits(7));
        case Nation::France: return QStringLiteral("03 %1 %2 %3 %4").arg(digits(2), digits(2), digits(2), digits(2));
        }
        return digits(9);
    }

    static QString mailName(QString text)
    {
        text = text.toLower().normalized(QString::NormalizationForm_D);
        QString out;
        for (const QChar c : text) {
            if (c.isLetterOrNumber() && c.unicode() < 128)
                out += c;
        }
        return out;
    }

    // Coordinates as the clocks take them: eight characters, e.g. "04.40213".
    static QString coordinateText(double value)
    {
        return QStringLiteral("%1").arg(value, 8, 'f', 5, QLatin1Char('0'));
    }

    void addFancier(int id)
    {
        const Nation nation = pickNation();
        m_nations.append(nation);
        const QString first = pick(firstNames(nation));
        const QString last = pick(lastNames(nation));
        const Place& place = pick(places(nation));
        const double x = place.x + (m_random.generateDouble() - 0.5) * 0.2;
        const double y = place.y + (m_random.generateDouble() - 0.5) * 0.2;
        // Eight digits: a two-digit section and the member's own six; unique by member.
        const QString licence = QStringLiteral("%1%2")
                                    .arg(10 + int(m_random.bounded(90u)))
                                    .arg(id, 6, 10, QLatin1Char('0'));
        const QString name = first + u' ' + last;
        const QVariantList values{
            id, licence, name, QString(last + first).remove(u' ').toUpper(),
            QStringLiteral("%1 %2").arg(pick(streets(nation))).arg(1 + m_random.bounded(180u)),
            place.zip, place.city, place.district, telephone(nation),
            chance(15) ? telephone(nation) : QString(),
            chance(60) ? QStringLiteral("%1.%2@example.net").arg(mailName(first), mailName(last)) : QString(),
            chance(95) ? 1 : 0, x, y, coordinateText(x), coordinateText(y)};
        for (const QVariant& value : values)
            m_fancierInsert.addBindValue(value);
        execPrepared(m_fancierInsert, m_db);
    }

    // Spreads the pigeons over the fanciers: some lofts are large, many small.
    QList<int> pigeonCounts()
    {
        QList<int> weights;
        int total = 0;
        for (int i = 0; i < m_shape.fanciers; ++i) {
            const int w = 1 + int(m_random.bounded(chance(20) ? 200u : 40u));
            weights.append(w);
            total += w;
        }
        QList<int> counts;
        int given = 0;
        for (int i = 0; i < m_shape.fanciers; ++i) {
            const int n = int(qint64(m_shape.pigeons) * weights.at(i) / qMax(total, 1));
            counts.append(n);
            given += n;
        }
        for (int i = 0; given < m_shape.pigeons; ++given, i = (i + 1) % m_shape.fanciers)
            ++counts[i];
        return counts;
    }

    QString uniqueChipCode()
    {
        for (;;) {
            const QString code = QStringLiteral("%1").arg(m_random.generate(), 8, 16, QLatin1Char('0')).toUpper();
            if (!m_chipCodes.contains(code)) {
                m_chipCodes.insert(code);
                return code;
            }
        }
    }

    QString uniqueBand(const QString& country, const QString& year)
    {
        for (;;) {
            const QString band = QStringLiteral("%1").arg(1 + m_random.bounded(9999999u), 10, 10, QLatin1Char('0'));
            if (!m_bands.contains(country + year + band)) {
                m_bands.insert(country + year + band);
                return band;
            }
        }
    }

    // Numbers a club has after start-up (1..n), or, for the renumbering
    // benchmark, numbers that are all wrong: even and in reverse order.
    int32_t pigeonNumber(int index) const
    {
        return m_shape.numbered ? index : 2 * (m_shape.pigeons - index + 1);
    }

    void addPigeons()
    {
        if (m_shape.fanciers <= 0)
            return;
        const QList<int> counts = pigeonCounts();
        int index = 0;
        for (int fancier = 1; fancier <= m_shape.fanciers; ++fancier) {
            const QString country = bandCountry(m_nations.at(fancier - 1));
            for (int i = 0; i < counts.at(fancier - 1); ++i)
                addPigeon(fancier, country, ++index);
        }
    }

    void addPigeon(int fancier, const QString& country, int index)
    {
        const QString year = QStringLiteral("%1").arg(18 + int(m_random.bounded(7u)), 2, 10, QLatin1Char('0'));
        const QString band = uniqueBand(country, year);
        const QString sex = chance(50) ? QStringLiteral("F") : QStringLiteral(" ");
        const QVariantList values{
            fancier, country, year, band, sex, pick(pigeonColours()),
            chance(85) ? uniqueChipCode() : QString(),
            (country + year + band + sex).trimmed(), pigeonNumber(index)};
        for (const QVariant& value : values)
            m_pigeonInsert.addBindValue(value);
        execPrepared(m_pigeonInsert, m_db);
    }

    QSqlDatabase& m_db;
    const ClubShape m_shape;
    QRandomGenerator m_random;
    QSqlQuery m_fancierInsert;
    QSqlQuery m_pigeonInsert;
    QList<Nation> m_nations;
    QSet<QString> m_chipCodes;
    QSet<QString> m_bands;
};

} // namespace

void generateClub(QSqlDatabase& db, const ClubShape& shape)
{
    Generator(db, shape).run();
}

} // namespace durvek
