// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
#include "ui/molecules/moleculedrawing.h"

#include <QPainter>

#include <algorithm>

namespace kormix::ui {

Atoms atomsOfKind(int kind)
{
    return {kind == 2, kind >= 1};
}

Atoms atomsOfForm(MoleculeForm form)
{
    switch (form) {
    case MoleculeForm::HH:
        return {false, false};
    case MoleculeForm::HD:
        return {false, true};
    case MoleculeForm::DH:
        return {true, false};
    case MoleculeForm::DD:
        break;
    }
    return {true, true};
}

QColor atomColour(bool deuterium)
{
    return deuterium ? QColor(Qt::black) : QColor(Qt::red);
}

QColor ringColour()
{
    return QColor(0, 90, 220);
}

QPointF atomCentre(const QPointF &molecule, double radius, int atom)
{
    return molecule + QPointF(atom == 0 ? -radius : radius, 0);
}

AtomTrade tradeOf(int first, int second, int firstKindBefore, double progress)
{
    // An H (of H2 or HD) leaves the first molecule's right place and a D or H
    // comes from the second's left; a D2 first gives its left D and takes the
    // H2's right H. Either way both molecules end H on the left.
    const bool firstLeadsWithH = firstKindBefore != 2;
    return {first, second, firstLeadsWithH ? 1 : 0, firstLeadsWithH ? 0 : 1, progress};
}

namespace {

void paintAtom(QPainter &painter, const QPointF &centre, double radius, bool deuterium)
{
    // A thin grey edge parts two discs of one colour.
    painter.setPen(QPen(QColor(128, 128, 128), std::max(1.0, radius / 12)));
    painter.setBrush(atomColour(deuterium));
    painter.drawEllipse(centre, radius, radius);
}

} // namespace

void paintMolecules(QPainter &painter,
                    const std::vector<QPointF> &centres,
                    const std::vector<Atoms> &atoms,
                    double radius,
                    const std::optional<AtomTrade> &trade)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    auto travelling = [&](std::size_t molecule, int atom) {
        return trade
               && ((int(molecule) == trade->first && atom == trade->firstAtom)
                   || (int(molecule) == trade->second && atom == trade->secondAtom));
    };
    const std::size_t n = std::min(centres.size(), atoms.size());
    for (std::size_t i = 0; i < n; ++i) {
        for (int atom = 0; atom < 2; ++atom) {
            if (!travelling(i, atom))
                paintAtom(painter, atomCentre(centres[i], radius, atom), radius, atoms[i][atom]);
        }
    }
    if (trade && std::size_t(std::max(trade->first, trade->second)) < n) {
        // Each atom comes from the other molecule's place to its own.
        const QPointF a = atomCentre(centres[trade->first], radius, trade->firstAtom);
        const QPointF b = atomCentre(centres[trade->second], radius, trade->secondAtom);
        const double t = std::clamp(trade->progress, 0.0, 1.0);
        paintAtom(painter, b + (a - b) * t, radius, atoms[trade->first][trade->firstAtom]);
        paintAtom(painter, a + (b - a) * t, radius, atoms[trade->second][trade->secondAtom]);
    }
    painter.restore();
}

void paintRing(QPainter &painter, const QPointF &centre, double radius)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const double width = std::max(2.0, radius / 3);
    painter.setPen(QPen(ringColour(), width));
    painter.setBrush(Qt::NoBrush);
    const double gap = width / 2 + std::max(1.0, radius / 4);
    painter.drawEllipse(centre, 2 * radius + gap, radius + gap);
    painter.restore();
}

} // namespace kormix::ui
