#include "results/ResultOrder.h"
#include <algorithm>
#include <array>
#include <vector>

namespace durvek {

namespace {

// The date and time at the head of a sort key, 12 characters of 16 bits,
// packed so that comparing the words compares the characters in turn.
constexpr int kPackedCharacters = 12;
constexpr int kCharactersPerWord = 4;
using PackedHead = std::array<quint64, kPackedCharacters / kCharactersPerWord>;

PackedHead packHead(const QString& key)
{
    PackedHead head{};
    for (int i = 0; i < kPackedCharacters; ++i) {
        const quint64 unit = i < key.size() ? key.at(i).unicode() : 0;
        head[i / kCharactersPerWord] = (head[i / kCharactersPerWord] << 16) | unit;
    }
    return head;
}

// A record's place in the sort: its packed key head and where it came from.
struct SortEntry {
    PackedHead head;
    int position;
};

// Moves every record once, straight to its place, following the cycles of
// the permutation: no second list of records is built.
void placeInOrder(QList<ResultRecord>& results, const std::vector<SortEntry>& order)
{
    std::vector<bool> placed(order.size(), false);
    for (size_t start = 0; start < order.size(); ++start) {
        if (placed[start] || size_t(order[start].position) == start)
            continue;
        ResultRecord first = std::move(results[qsizetype(start)]);
        size_t to = start;
        for (size_t from = size_t(order[to].position); from != start; from = size_t(order[to].position)) {
            results[qsizetype(to)] = std::move(results[qsizetype(from)]);
            placed[to] = true;
            to = from;
        }
        results[qsizetype(to)] = std::move(first);
        placed[to] = true;
    }
}

} // namespace

void sortResults(QList<ResultRecord>& results)
{
    // The records themselves (fifteen texts each) are not moved while
    // sorting: short entries are, and the records move once at the end.
    std::vector<SortEntry> entries;
    entries.reserve(results.size());
    for (int i = 0; i < results.size(); ++i)
        entries.push_back({packHead(results.at(i).sortKey), i});

    // Equal heads (a short key padded with code 0 among them) are decided by
    // the whole keys, and equal keys by the clock's order: the order of
    // repeated neighbour exchanges, in which only strictly smaller keys move
    // forward.
    std::sort(entries.begin(), entries.end(), [&](const SortEntry& a, const SortEntry& b) {
        if (a.head != b.head)
            return a.head < b.head;
        const int byKey = QString::compare(results.at(a.position).sortKey,
                                           results.at(b.position).sortKey, Qt::CaseSensitive);
        return byKey != 0 ? byKey < 0 : a.position < b.position;
    });

    placeInOrder(results, entries);
}

} // namespace durvek
