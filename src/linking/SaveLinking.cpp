#include "linking/SaveLinking.h"
#include "clocklink/JobHost.h"
#include "linking/LinkingStore.h"
#include "linking/LookupText.h"

namespace durvek {

namespace {

constexpr int kPrintQuestionText = 60;
constexpr int kPrintTitleText = 61;

} // namespace

int SaveLinking(const QSqlDatabase& db, int32_t fancierId, qint64& revision, const PigeonGrid& grid,
                bool printoutTicked, JobHost& host, const TextLookup& text, const std::function<void()>& printList)
{
    const QList<StoredPigeon> pigeons = pigeonsOfGrid(grid);
    storeFancierPigeons(db, fancierId, revision, pigeons);
    if (printoutTicked
        && host.ask(lookupText(text, kPrintQuestionText) + QStringLiteral(" ?"), lookupText(text, kPrintTitleText))
        && printList)
        printList();
    return int(pigeons.size());
}

} // namespace durvek
