// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
// Lasting numbers for the molecules of a run, so that a student can follow
// one molecule from collision to collision.
//
// The collision engine knows no molecules, only three counts: it picks the
// molecule at place i of a numbering that puts the H2 first, then the HD,
// then the D2, and that numbering changes whenever a reaction changes the
// counts. The roster gives every molecule a number 1..N of its own and says
// which molecule sits at each place. It only interprets the engine's picks:
// the engine draws and counts exactly as it would without it.
//
// How it keeps them. Between the places and the numbers stand base numbers:
//
//     place --(pieces)--> base --(exchanges)--> number
//
// - The pieces cut the places 1..N into runs of consecutive places holding
//   consecutive bases. A system whose size never changes keeps at most two
//   pieces. Growing adds at most seven; shrinking at most one, and four
//   more for each molecule that stays but had traded bases with one that
//   leaves.
// - The exchanges are the bases whose molecule is not the one of the same
//   number, both ways, in hash maps: at most four more for each reaction
//   the roster is told of, and never more than N.
// Memory therefore grows with what happened (reactions told one by one,
// changes of size) and never with N itself: a system of 2^31 - 1 molecules
// costs what a system of ten does. A full permutation would be simpler but
// would need 16 GB for the largest system.
//
// What each step costs:
// - numberAt, placeOf, kindOf: a binary search among the pieces (one or two
//   unless the size changed) and a hash look-up;
// - react, the reaction of the pair picked: two exchanges of molecules
//   between places, each two such look-ups;
// - follow, a change of composition that the roster was not told of
//   collision by collision: when the number of molecules stays (every change
//   that keeps the atoms does) a turn of the pieces, constant time for a
//   system whose size never changed; otherwise time in the pieces and
//   exchanges. Never time in N.
//
// Molecule kinds are 0 = H2, 1 = HD, 2 = D2, as everywhere in the core.
#pragma once

#include "core/equilibrium/exactdistribution.h"

#include <cstddef>
#include <cstdint>
#include <unordered_map>
#include <vector>

namespace kormix {

class MoleculeRoster
{
public:
    // The counts the roster follows; no molecules at first.
    const Composition &counts() const { return counts_; }
    std::int64_t size() const { return counts_.molecules(); }

    // Brings the roster to these counts (none negative) with as few of its
    // molecules as possible changing kind. Molecules keep their numbers;
    // a system that grows gets new molecules numbered on from N (their H2
    // first, then HD, then D2), one that shrinks loses the molecules of the
    // highest numbers. Of the molecules that stay, exactly
    //     sum over kinds k of max(0, c_k - n_k)
    // change kind, where c_k counts the molecules of kind k among those
    // that stay and n_k is the new count: no assignment changes fewer, since
    // at least c_k - n_k molecules of kind k must give it up. With N the same
    // this is the sum of the counts' positive changes, with N growing the sum
    // of their negative changes. From no molecules, molecule i is the one at
    // place i.
    void follow(const Composition &counts);

    // The number of the molecule at place 1..N of the engine's numbering.
    std::int64_t numberAt(std::int64_t place) const;
    // The place 1..N of the molecule with this number 1..N.
    std::int64_t placeOf(std::int64_t number) const;
    // The kind of the molecule with this number, and of the molecule at
    // this place.
    int kindOf(std::int64_t number) const { return kindAtPlace(placeOf(number)); }
    int kindAtPlace(std::int64_t place) const;

    // The molecules at these two places (1..N, different) reacted: an H2
    // and a D2 became two HD, or two HD became H2 (the first) and D2 (the
    // second). Exactly these two molecules change kind, and the counts
    // change as the engine's do. A pair that cannot react changes nothing.
    void react(std::int64_t first, std::int64_t second);

    // What the roster keeps: runs of places, and molecules exchanged.
    std::size_t pieceCount() const { return pieces_.size(); }
    std::size_t exchangedCount() const { return numberOfBase_.size(); }

private:
    // Places start + 1 .. start + length hold the bases base .. base +
    // length - 1 (start counts from 0).
    struct Piece
    {
        std::int64_t start;
        std::int64_t base;
        std::int64_t length;
    };
    // One base put at one place (from 0), for rebuilding the pieces.
    struct PlacedBase
    {
        std::int64_t position;
        std::int64_t base;
    };

    const Piece &pieceAt(std::int64_t position) const;
    std::int64_t baseAt(std::int64_t position) const;
    std::int64_t positionOfBase(std::int64_t base) const;
    std::int64_t numberOfBase(std::int64_t base) const;
    std::int64_t baseOfNumber(std::int64_t number) const;
    void assign(std::int64_t base, std::int64_t number);
    void exchange(std::int64_t position1, std::int64_t position2);

    // Kind of the molecule at a place counted from 0.
    int kindAtPosition(std::int64_t position) const;

    // The changes of composition: the same size, growing, shrinking.
    void rearrange(const Composition &counts);
    void grow(const Composition &counts);
    void shrink(const Composition &counts);
    // Places from `position` on move to the front.
    void rotate(std::int64_t position);
    void insert(std::int64_t position, std::int64_t base, std::int64_t length);
    void place(std::vector<PlacedBase> placed);
    Composition dropBasesAbove(std::int64_t lastBase);
    // Joins neighbouring pieces that continue each other and indexes the
    // pieces by base.
    void reindex();

    std::vector<Piece> pieces_;       // in the order of their places
    std::vector<std::size_t> byBase_; // indexes into pieces_, by base
    std::unordered_map<std::int64_t, std::int64_t> numberOfBase_;
    std::unordered_map<std::int64_t, std::int64_t> baseOfNumber_;
    Composition counts_;
};

} // namespace kormix
