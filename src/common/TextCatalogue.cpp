#include "common/TextCatalogue.h"
#include "common/ValueHelpers.h"
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QtDebug>

namespace durvek {

namespace {

// One load of the whole table answers every caption of every window until
// the PC language window drops it; a window with thirty captions would
// otherwise run thirty queries.
struct CatalogueCache {
    QString connectionName = QStringLiteral("club");
    QHash<int, QString> texts;
    bool loaded = false;
    QString lastError; // so a missing table is reported once, not per caption
};

CatalogueCache& cache()
{
    static CatalogueCache instance;
    return instance;
}

QString rowText(const QVariant& other, const QVariant& base)
{
    const QString translation = TextOrDefault(other, QStringLiteral(" "));
    if (translation != QStringLiteral(" "))
        return translation;
    return TextOrDefault(base);
}

bool loadCatalogue(CatalogueCache& c)
{
    QSqlDatabase db = QSqlDatabase::database(c.connectionName, false);
    QString error;
    if (!db.isValid()) {
        error = QStringLiteral("no database connection named \"%1\"").arg(c.connectionName);
    } else if (!db.isOpen()) {
        error = QStringLiteral("database connection \"%1\" is not open").arg(c.connectionName);
    } else {
        QSqlQuery query(db);
        query.setForwardOnly(true);
        if (query.exec(QStringLiteral("select id, \"default\", other from PcLanguage order by id"))) {
            QHash<int, QString> texts;
            while (query.next()) {
                const QVariant id = query.value(0);
                if (id.isNull())
                    continue;
                bool ok = false;
                const int number = id.toInt(&ok);
                // The first row of a number wins, as a find on the ordered set did.
                if (ok && !texts.contains(number))
                    texts.insert(number, rowText(query.value(2), query.value(1)));
            }
            c.texts = std::move(texts);
            c.loaded = true;
            c.lastError.clear();
            return true;
        }
        error = query.lastError().text();
    }
    if (error != c.lastError)
        qWarning().noquote() << "Text catalogue (PcLanguage) cannot be read:" << error;
    c.lastError = error;
    return false;
}

} // namespace

void TextCatalogue::setConnectionName(const QString& name)
{
    CatalogueCache& c = cache();
    if (c.connectionName != name) {
        c.connectionName = name;
        invalidate();
    }
}

QString TextCatalogue::text(int number)
{
    CatalogueCache& c = cache();
    if (!c.loaded && !loadCatalogue(c))
        return QStringLiteral(" ");
    const auto found = c.texts.constFind(number);
    return found == c.texts.constEnd() ? QStringLiteral(" ") : found.value();
}

void TextCatalogue::invalidate()
{
    CatalogueCache& c = cache();
    c.texts.clear();
    c.loaded = false;
    c.lastError.clear();
}

} // namespace durvek
