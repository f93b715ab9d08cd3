#include "results/ResultOrder.h"
#include <algorithm>
#include <array>
#include <bit>
#include <numeric>
#include <optional>
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
void placeInOrder(QList<ResultRecord>& results, const std::vector<int>& order)
{
    std::vector<bool> placed(order.size(), false);
    for (size_t start = 0; start < order.size(); ++start) {
        if (placed[start] || size_t(order[start]) == start)
            continue;
        ResultRecord first = std::move(results[qsizetype(start)]);
        size_t to = start;
        for (size_t from = size_t(order[to]); from != start; from = size_t(order[to])) {
            results[qsizetype(to)] = std::move(results[qsizetype(from)]);
            placed[to] = true;
            to = from;
        }
        results[qsizetype(to)] = std::move(first);
        placed[to] = true;
    }
}

// The usual keys: every one at least as long as its date and time, written
// in characters below 256, and few distinct texts after the time (spaces,
// code 0 for blank records). Such a record's place is then two words: the
// twelve head characters a byte each, then the tail's rank among the distinct
// tails and the record's position. Comparing the words compares the keys,
// and equal keys by the clock's order, without reading a key again.
using PackedPlace = std::pair<quint64, quint64>;

constexpr int kTailRankBits = 4;
constexpr int kMostTails = 1 << kTailRankBits;
constexpr int kLowHeadShift = 32;

// Each record's tail ranked among the distinct tails in key order; nothing
// when a key is shorter than its head or the tails are too many to rank.
std::optional<std::vector<quint8>> rankTails(const QList<ResultRecord>& results)
{
    QList<QStringView> tails;
    std::vector<quint8> tailOf;
    tailOf.reserve(results.size());
    qsizetype last = -1;
    for (const ResultRecord& r : results) {
        if (r.sortKey.size() < kPackedCharacters)
            return std::nullopt;
        const QStringView tail = QStringView(r.sortKey).mid(kPackedCharacters);
        if (last < 0 || tails.at(last) != tail) {
            last = tails.indexOf(tail);
            if (last < 0) {
                if (tails.size() == kMostTails)
                    return std::nullopt;
                last = tails.size();
                tails.append(tail);
            }
        }
        tailOf.push_back(quint8(last));
    }
    std::vector<quint8> byKey(tails.size());
    std::iota(byKey.begin(), byKey.end(), 0);
    std::sort(byKey.begin(), byKey.end(), [&](quint8 a, quint8 b) { return tails.at(a) < tails.at(b); });
    std::vector<quint8> rank(tails.size());
    for (size_t i = 0; i < byKey.size(); ++i)
        rank[byKey[i]] = quint8(i);
    for (quint8& t : tailOf)
        t = rank[t];
    return tailOf;
}

std::optional<std::vector<PackedPlace>> packedPlaces(const QList<ResultRecord>& results)
{
    const int positionBits = std::bit_width(quint64(results.size()));
    if (positionBits + kTailRankBits > kLowHeadShift)
        return std::nullopt;
    const std::optional<std::vector<quint8>> tailRanks = rankTails(results);
    if (!tailRanks)
        return std::nullopt;
    std::vector<PackedPlace> places;
    places.reserve(results.size());
    for (int i = 0; i < results.size(); ++i) {
        const QChar* key = results.at(i).sortKey.constData();
        quint64 head = 0;
        quint64 low = 0;
        for (int c = 0; c < kPackedCharacters; ++c) {
            const char16_t unit = key[c].unicode();
            if (unit > 0xFF)
                return std::nullopt;
            (c < 8 ? head : low) = ((c < 8 ? head : low) << 8) | unit;
        }
        low = (low << kLowHeadShift) | (quint64((*tailRanks)[i]) << positionBits) | quint64(i);
        places.emplace_back(head, low);
    }
    return places;
}

// Any keys: entries of the packed head and the position, whole keys
// compared only where the heads agree.
std::vector<int> orderOfAnyKeys(const QList<ResultRecord>& results)
{
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
    std::vector<int> order;
    order.reserve(entries.size());
    for (const SortEntry& entry : entries)
        order.push_back(entry.position);
    return order;
}

std::vector<int> arrivalOrder(const QList<ResultRecord>& results)
{
    std::optional<std::vector<PackedPlace>> places = packedPlaces(results);
    if (!places)
        return orderOfAnyKeys(results);
    std::sort(places->begin(), places->end());
    const int positionBits = std::bit_width(quint64(results.size()));
    const quint64 positionMask = (quint64(1) << positionBits) - 1;
    std::vector<int> order;
    order.reserve(places->size());
    for (const PackedPlace& place : *places)
        order.push_back(int(place.second & positionMask));
    return order;
}

} // namespace

void sortResults(QList<ResultRecord>& results)
{
    // The records themselves (fifteen texts each) are not moved while
    // sorting: short entries are, and the records move once at the end.
    placeInOrder(results, arrivalOrder(results));
}

} // namespace durvek
