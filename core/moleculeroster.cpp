// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
#include "core/moleculeroster.h"

#include <algorithm>
#include <numeric>

namespace kormix {

namespace {

std::int64_t countOf(const Composition &c, int kind)
{
    return kind == 0 ? c.nH2 : kind == 1 ? c.nHD : c.nD2;
}

std::int64_t median(std::int64_t a, std::int64_t b, std::int64_t c)
{
    return std::max(std::min(a, b), std::min(std::max(a, b), c));
}

// How many of the places [from, to) lie in [lo, hi).
std::int64_t overlap(std::int64_t from, std::int64_t to, std::int64_t lo, std::int64_t hi)
{
    return std::max<std::int64_t>(0, std::min(to, hi) - std::max(from, lo));
}

} // namespace

void MoleculeRoster::follow(const Composition &counts)
{
    if (counts == counts_)
        return;
    const std::int64_t from = size();
    const std::int64_t to = counts.molecules();
    if (to > from)
        grow(counts);
    else if (to < from)
        shrink(counts);
    else
        rearrange(counts);
}

std::int64_t MoleculeRoster::numberAt(std::int64_t place) const
{
    return numberOfBase(baseAt(place - 1));
}

std::int64_t MoleculeRoster::placeOf(std::int64_t number) const
{
    return positionOfBase(baseOfNumber(number)) + 1;
}

int MoleculeRoster::kindAtPlace(std::int64_t place) const
{
    return kindAtPosition(place - 1);
}

int MoleculeRoster::kindAtPosition(std::int64_t position) const
{
    return int(position >= counts_.nH2) + int(position >= std::int64_t(counts_.nH2) + counts_.nHD);
}

// The places of each kind stay together, H2 first: a reaction trades the
// two molecules that reacted with the molecules at the edges of their
// kinds' places, and those places change kind.
void MoleculeRoster::react(std::int64_t first, std::int64_t second)
{
    const std::int64_t p = first - 1;
    const std::int64_t q = second - 1;
    const int k1 = kindAtPosition(p);
    const int k2 = kindAtPosition(q);
    const std::int64_t h = counts_.nH2;
    const std::int64_t x = counts_.nHD;
    if (k1 + k2 == 2 && k1 != 1) {        // H2 + D2 -> 2 HD
        exchange(k1 == 0 ? p : q, h - 1); // the last H2 place becomes HD
        exchange(k1 == 0 ? q : p, h + x); // and so does the first D2 place
        counts_ = {counts_.nH2 - 1, counts_.nHD + 2, counts_.nD2 - 1};
    } else if (k1 == 1 && k2 == 1) {         // 2 HD -> H2 + D2
        exchange(p, h);                      // the first HD place becomes H2
        exchange(q == h ? p : q, h + x - 1); // the last HD place D2
        counts_ = {counts_.nH2 + 1, counts_.nHD - 2, counts_.nD2 + 1};
    }
}

const MoleculeRoster::Piece &MoleculeRoster::pieceAt(std::int64_t position) const
{
    const auto after = std::upper_bound(pieces_.begin(),
                                        pieces_.end(),
                                        position,
                                        [](std::int64_t p, const Piece &piece) {
                                            return p < piece.start;
                                        });
    return *(after - 1);
}

std::int64_t MoleculeRoster::baseAt(std::int64_t position) const
{
    const Piece &piece = pieceAt(position);
    return piece.base + (position - piece.start);
}

std::int64_t MoleculeRoster::positionOfBase(std::int64_t base) const
{
    const auto after = std::upper_bound(byBase_.begin(),
                                        byBase_.end(),
                                        base,
                                        [this](std::int64_t b, std::size_t i) {
                                            return b < pieces_[i].base;
                                        });
    const Piece &piece = pieces_[*(after - 1)];
    return piece.start + (base - piece.base);
}

std::int64_t MoleculeRoster::numberOfBase(std::int64_t base) const
{
    const auto it = numberOfBase_.find(base);
    return it == numberOfBase_.end() ? base : it->second;
}

std::int64_t MoleculeRoster::baseOfNumber(std::int64_t number) const
{
    const auto it = baseOfNumber_.find(number);
    return it == baseOfNumber_.end() ? number : it->second;
}

// Only bases whose molecule has another number are kept.
void MoleculeRoster::assign(std::int64_t base, std::int64_t number)
{
    if (base == number) {
        numberOfBase_.erase(base);
        baseOfNumber_.erase(number);
    } else {
        numberOfBase_[base] = number;
        baseOfNumber_[number] = base;
    }
}

void MoleculeRoster::exchange(std::int64_t position1, std::int64_t position2)
{
    if (position1 == position2)
        return;
    const std::int64_t base1 = baseAt(position1);
    const std::int64_t base2 = baseAt(position2);
    const std::int64_t number1 = numberOfBase(base1);
    assign(base1, numberOfBase(base2));
    assign(base2, number1);
}

// The places, taken as a circle, hold the kinds in three arcs: H2, HD, D2.
// Moving the three boundaries changes the kind of the molecules they pass
// over. The new arcs begin at some place t: the boundaries then move by t,
// t + (change of nH2) and t - (change of nD2), and the sum of these moves is
// least at the median of 0, -(change of nH2) and the change of nD2. There it
// is max - min of those three numbers, half the sum of their distances,
// which is the sum of the counts' positive changes: the fewest possible.
void MoleculeRoster::rearrange(const Composition &counts)
{
    const std::int64_t n = size();
    const std::int64_t t = median(0,
                                  std::int64_t(counts_.nH2) - counts.nH2,
                                  std::int64_t(counts.nD2) - counts_.nD2);
    if (n > 0)
        rotate(((t % n) + n) % n);
    counts_ = counts;
}

// New molecules join the kinds that lack molecules, at the end of that
// kind's places: no molecule changes kind, and the counts can then be
// reached by changing exactly the molecules a kind has too many of.
void MoleculeRoster::grow(const Composition &counts)
{
    const Composition old = counts_;
    std::int64_t spare = counts.molecules() - old.molecules();
    std::int64_t added[3];
    for (int kind = 0; kind < 3; ++kind) {
        added[kind] = std::min(spare,
                               std::max<std::int64_t>(0,
                                                      countOf(counts, kind) - countOf(old, kind)));
        spare -= added[kind];
    }
    const std::int64_t next = old.molecules() + 1;
    // From the last places to the first, so that the places still to be
    // used stay where they are.
    insert(old.molecules(), next + added[0] + added[1], added[2]);
    insert(std::int64_t(old.nH2) + old.nHD, next + added[0], added[1]);
    insert(old.nH2, next, added[0]);
    counts_ = {std::int32_t(old.nH2 + added[0]),
               std::int32_t(old.nHD + added[1]),
               std::int32_t(old.nD2 + added[2])};
    rearrange(counts);
}

// The molecules numbered above the new size leave, each with its kind; the
// rest keep theirs until they are rearranged.
void MoleculeRoster::shrink(const Composition &counts)
{
    const std::int64_t last = counts.molecules();
    // A molecule that stays but has a base above `last` trades bases with
    // one that leaves but has a base up to `last`; both keep their places.
    // Then the molecules that leave are those of the bases above `last`.
    std::vector<std::int64_t> stayingHigh, leavingLow;
    for (const auto &[number, base] : baseOfNumber_) {
        if (number <= last && base > last)
            stayingHigh.push_back(base);
        else if (number > last && base <= last)
            leavingLow.push_back(base);
    }
    std::sort(stayingHigh.begin(), stayingHigh.end());
    std::sort(leavingLow.begin(), leavingLow.end());
    std::vector<PlacedBase> placed;
    for (std::size_t i = 0; i < stayingHigh.size(); ++i) {
        const std::int64_t high = stayingHigh[i];
        const std::int64_t low = leavingLow[i];
        placed.push_back({positionOfBase(high), low});
        placed.push_back({positionOfBase(low), high});
        const std::int64_t staying = numberOfBase(high);
        assign(high, numberOfBase(low));
        assign(low, staying);
    }
    place(std::move(placed));
    counts_ = dropBasesAbove(last);
    rearrange(counts);
}

void MoleculeRoster::rotate(std::int64_t position)
{
    if (position == 0)
        return;
    const Piece &cut = pieceAt(position);
    const std::size_t at = std::size_t(&cut - pieces_.data());
    const std::int64_t into = position - cut.start;
    std::vector<Piece> turned;
    turned.reserve(pieces_.size() + 1);
    turned.push_back({0, cut.base + into, cut.length - into});
    turned.insert(turned.end(), pieces_.begin() + std::ptrdiff_t(at) + 1, pieces_.end());
    turned.insert(turned.end(), pieces_.begin(), pieces_.begin() + std::ptrdiff_t(at));
    turned.push_back({0, cut.base, into});
    pieces_ = std::move(turned);
    reindex();
}

void MoleculeRoster::insert(std::int64_t position, std::int64_t base, std::int64_t length)
{
    if (length == 0)
        return;
    auto at = std::lower_bound(pieces_.begin(),
                               pieces_.end(),
                               position,
                               [](const Piece &piece, std::int64_t p) { return piece.start < p; });
    if (at != pieces_.begin()) {
        Piece &before = *(at - 1);
        const std::int64_t into = position - before.start;
        if (into < before.length) {
            const Piece tail{position, before.base + into, before.length - into};
            before.length = into;
            at = pieces_.insert(at, tail);
        }
    }
    pieces_.insert(at, Piece{position, base, length});
    reindex();
}

void MoleculeRoster::place(std::vector<PlacedBase> placed)
{
    if (placed.empty())
        return;
    std::sort(placed.begin(), placed.end(), [](const PlacedBase &a, const PlacedBase &b) {
        return a.position < b.position;
    });
    std::vector<Piece> rebuilt;
    auto next = placed.begin();
    for (const Piece &piece : pieces_) {
        const std::int64_t end = piece.start + piece.length;
        std::int64_t from = piece.start;
        for (; next != placed.end() && next->position < end; ++next) {
            rebuilt.push_back({from, piece.base + (from - piece.start), next->position - from});
            rebuilt.push_back({next->position, next->base, 1});
            from = next->position + 1;
        }
        rebuilt.push_back({from, piece.base + (from - piece.start), end - from});
    }
    pieces_ = std::move(rebuilt);
    reindex();
}

// Drops the places of the bases above lastBase and gives the counts of the
// places left.
Composition MoleculeRoster::dropBasesAbove(std::int64_t lastBase)
{
    const std::int64_t h = counts_.nH2;
    const std::int64_t hx = h + counts_.nHD;
    std::int64_t left[3] = {counts_.nH2, counts_.nHD, counts_.nD2};
    std::vector<Piece> kept;
    for (const Piece &piece : pieces_) {
        const std::int64_t keep = std::clamp<std::int64_t>(lastBase - piece.base + 1,
                                                           0,
                                                           piece.length);
        const std::int64_t from = piece.start + keep;
        const std::int64_t to = piece.start + piece.length;
        left[0] -= overlap(from, to, 0, h);
        left[1] -= overlap(from, to, h, hx);
        left[2] -= overlap(from, to, hx, size());
        kept.push_back({piece.start, piece.base, keep});
    }
    std::erase_if(numberOfBase_, [&](const auto &entry) { return entry.first > lastBase; });
    std::erase_if(baseOfNumber_, [&](const auto &entry) { return entry.first > lastBase; });
    pieces_ = std::move(kept);
    reindex();
    return {std::int32_t(left[0]), std::int32_t(left[1]), std::int32_t(left[2])};
}

void MoleculeRoster::reindex()
{
    std::vector<Piece> joined;
    joined.reserve(pieces_.size());
    std::int64_t start = 0;
    for (const Piece &piece : pieces_) {
        if (piece.length == 0)
            continue;
        if (!joined.empty() && joined.back().base + joined.back().length == piece.base)
            joined.back().length += piece.length;
        else
            joined.push_back({start, piece.base, piece.length});
        start += piece.length;
    }
    pieces_ = std::move(joined);
    byBase_.resize(pieces_.size());
    std::iota(byBase_.begin(), byBase_.end(), std::size_t(0));
    std::sort(byBase_.begin(), byBase_.end(), [this](std::size_t a, std::size_t b) {
        return pieces_[a].base < pieces_[b].base;
    });
}

} // namespace kormix
