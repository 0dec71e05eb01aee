// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
// How the molecules and arrangements windows draw a molecule: two touching
// discs side by side, red for H and black for D, the colours of the level
// columns. H2 is red-red, D2 black-black, HD red-black; in an arrangement an
// HD may also stand the other way round, black-red (DH).
#pragma once

#include "core/arrangements.h"

#include <QColor>
#include <QPointF>

#include <array>
#include <optional>
#include <vector>

class QPainter;

namespace kormix::ui {

// The atoms of a molecule, left then right: true for D.
using Atoms = std::array<bool, 2>;

// The atoms of a molecule of this kind (0 = H2, 1 = HD, 2 = D2); HD is drawn
// H first.
Atoms atomsOfKind(int kind);
// The atoms of a molecule in this form.
Atoms atomsOfForm(MoleculeForm form);

// The fill of an atom, and the pen of a ring around a molecule: a blue that
// stands apart from both atoms' colours and from the white ground.
QColor atomColour(bool deuterium);
QColor ringColour();

// The centre of a molecule's atom (0 left, 1 right) for discs of this radius.
QPointF atomCentre(const QPointF &molecule, double radius, int atom);

// Two atoms that trade places: atom `firstAtom` of the molecule at index
// `first` and atom `secondAtom` of the one at `second` are drawn on their way
// from each other's place to their own, `progress` of it done (0 to 1).
struct AtomTrade
{
    int first = 0;
    int second = 0;
    int firstAtom = 0;
    int secondAtom = 0;
    double progress = 1;
};

// Which atoms trade when two molecules react, as the molecules stand after
// the reaction: H2 + D2 give two HD, red-black; HD + HD give H2 (the first)
// and D2 (the second). Only the kind of the first before it is needed.
AtomTrade tradeOf(int first, int second, int firstKindBefore, double progress);

// Paints molecules on a white ground: molecule i of `atoms` centred at
// `centres[i]`, discs of `radius`, the traded atoms (if any) on their way.
void paintMolecules(QPainter &painter,
                    const std::vector<QPointF> &centres,
                    const std::vector<Atoms> &atoms,
                    double radius,
                    const std::optional<AtomTrade> &trade = {});

// A ring around the molecule centred here.
void paintRing(QPainter &painter, const QPointF &centre, double radius);

} // namespace kormix::ui
