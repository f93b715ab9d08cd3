#include "database/ShippedTranslations.h"
#include "common/ValueHelpers.h"
#include "database/SettingsStore.h"
#include "database/SqlUtil.h"
#include "database/TranslationFile.h"
#include <QFile>
#include <QSet>

namespace durvek {

namespace {

QString resourcePath(const QString& code)
{
    return QStringLiteral(":/translations/%1.tsv").arg(code);
}

bool isShipped(const QString& code)
{
    for (const ShippedTranslations::Language& language : ShippedTranslations::languages()) {
        if (!code.isEmpty() && language.code == code)
            return true;
    }
    return false;
}

// Per catalogue number, the shipped texts of every language but one: the
// texts a row may hold without the club having typed them.
QHash<int, QSet<QString>> textsOfOtherLanguages(const QString& code)
{
    QHash<int, QSet<QString>> others;
    for (const ShippedTranslations::Language& language : ShippedTranslations::languages()) {
        if (language.code.isEmpty() || language.code == code)
            continue;
        const QHash<int, QString> texts = ShippedTranslations::texts(language.code);
        for (auto it = texts.cbegin(); it != texts.cend(); ++it)
            others[it.key()].insert(it.value());
    }
    return others;
}

struct CatalogueRow {
    int number;
    QString other; // trimmed
};

QList<CatalogueRow> catalogueRows(const QSqlDatabase& db)
{
    QList<CatalogueRow> rows;
    QSqlQuery query = runStatement(db, QStringLiteral("SELECT id, other FROM PcLanguage WHERE id IS NOT NULL"));
    while (query.next())
        rows.append({query.value(0).toInt(), TextOrDefault(query.value(1))});
    return rows;
}

} // namespace

const QList<ShippedTranslations::Language>& ShippedTranslations::languages()
{
    static const QList<Language> all{
        {QString(), QStringLiteral("English")},
        {QStringLiteral("nl"), QStringLiteral("Nederlands")},
        {QStringLiteral("fr"), QStringLiteral("Français")},
        {QStringLiteral("de"), QStringLiteral("Deutsch")},
    };
    return all;
}

QByteArray ShippedTranslations::file(const QString& code)
{
    if (!isShipped(code))
        return {};
    QFile file(resourcePath(code));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QHash<int, QString> ShippedTranslations::texts(const QString& code)
{
    QHash<int, QString> texts;
    // The files are checked when the program is built; a fault there would
    // only leave the numbers after it untranslated.
    for (const TranslatedText& line : ReadTranslationFile(file(code)).texts) {
        const QString text = line.text.trimmed();
        if (!text.isEmpty() && !texts.contains(line.number))
            texts.insert(line.number, text);
    }
    return texts;
}

int ShippedTranslations::apply(const QSqlDatabase& db, const QString& code)
{
    const QHash<int, QString> chosenTexts = texts(code);
    const QHash<int, QSet<QString>> replaceable = textsOfOtherLanguages(code);
    int filled = 0;
    inTransaction(db, [&] {
        for (const CatalogueRow& row : catalogueRows(db)) {
            if (!row.other.isEmpty() && !replaceable.value(row.number).contains(row.other))
                continue; // the club's own text, or already the chosen one
            const QString text = chosenTexts.value(row.number);
            if (text == row.other)
                continue;
            runStatement(db, QStringLiteral("UPDATE PcLanguage SET other = ? WHERE id = ?"), {text, row.number});
            if (!text.isEmpty())
                ++filled;
        }
    });
    return filled;
}

QString ShippedTranslations::chosen(const QSqlDatabase& db)
{
    if (!tableExists(db, QStringLiteral("settings")))
        return {};
    const QString code = loadSettings(db).language;
    return isShipped(code) ? code : QString();
}

} // namespace durvek
