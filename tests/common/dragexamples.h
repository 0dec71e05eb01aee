// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
// The worked examples of a drag in the level editor, shared by the test of
// the arithmetic and by the test that makes the same drags with the mouse.
#pragma once

#include "core/leveldrag.h"

#include <cstdint>

namespace kormix::test {

struct DragExample
{
    AdjustMode mode;
    LevelCounts before;
    int kind;            // the column dragged: 0 H2, 1 HD, 2 D2
    std::int64_t change; // in molecules, HD already in pairs
    LevelCounts after;
};

inline constexpr DragExample kDragExamples[] = {
        {AdjustMode::All, {2, 6, 2}, 0, +2, {4, 2, 4}},
        {AdjustMode::All, {2, 6, 2}, 0, +5, {5, 0, 5}},
        {AdjustMode::All, {2, 5, 2}, 0, +3, {4, 1, 4}},
        {AdjustMode::All, {4, 2, 1}, 2, -3, {3, 4, 0}},
        {AdjustMode::All, {4, 2, 0}, 0, -2, {4, 2, 0}},
        {AdjustMode::All, {3, 2, 1}, 1, +4, {2, 4, 0}},
        {AdjustMode::All, {1, 2, 1}, 1, -2, {2, 0, 2}},
        {AdjustMode::One, {3, 2, 1}, 0, +2, {5, 2, 1}},
        {AdjustMode::One, {3, 3, 1}, 1, -4, {3, 0, 1}},
};

} // namespace kormix::test
