// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
#include "core/moleculesample.h"

#include <algorithm>

namespace kormix {

Composition sampleCounts(const Composition &system, std::int32_t size)
{
    const std::int64_t n = system.molecules();
    if (n <= 0)
        return {};
    const std::int64_t counts[3] = {system.nH2, system.nHD, system.nD2};
    std::int64_t whole[3];
    std::int64_t remainder[3];
    std::int64_t missing = size;
    for (int kind = 0; kind < 3; ++kind) {
        whole[kind] = counts[kind] * size / n;
        remainder[kind] = counts[kind] * size % n;
        missing -= whole[kind];
    }
    int order[3] = {0, 1, 2};
    std::stable_sort(order, order + 3, [&](int a, int b) { return remainder[a] > remainder[b]; });
    for (int i = 0; i < missing; ++i)
        ++whole[order[i]];
    return {std::int32_t(whole[0]), std::int32_t(whole[1]), std::int32_t(whole[2])};
}

void MoleculeSample::follow(const Composition &system)
{
    const Composition target = sampleCounts(system, size_);
    const std::int64_t wanted[3] = {target.nH2, target.nHD, target.nD2};
    if (kinds_.empty() || target.molecules() == 0) {
        kinds_.clear();
        for (std::int8_t kind = 0; kind < 3; ++kind)
            kinds_.insert(kinds_.end(), std::size_t(wanted[kind]), kind);
        return;
    }
    // Surplus (positive) or shortage (negative) of each kind.
    std::int64_t surplus[3] = {-wanted[0], -wanted[1], -wanted[2]};
    for (std::int8_t kind : kinds_)
        ++surplus[kind];
    for (std::int8_t &kind : kinds_) {
        if (surplus[kind] <= 0)
            continue;
        --surplus[kind];
        kind = std::int8_t(std::min_element(surplus, surplus + 3) - surplus);
        ++surplus[kind];
    }
}

} // namespace kormix
