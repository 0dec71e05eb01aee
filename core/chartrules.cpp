// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
#include "core/chartrules.h"

#include "core/nearestplace.h"

namespace kormix {

int nearestBar(std::span<const double> fracHD, double x)
{
    return nearestPlace(fracHD, x, 10000);
}

int clampSelection(int p, int nStored)
{
    if (p < 0)
        p = 0;
    if (p >= nStored)
        p = nStored - 1;
    return p;
}

int selectionStep(char32_t key)
{
    switch (key) {
    case U'N':
    case U'n':
        return -1;
    case U'P':
    case U'p':
        return +1;
    default:
        return 0;
    }
}

} // namespace kormix
