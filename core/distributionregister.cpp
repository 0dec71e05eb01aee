// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
#include "core/distributionregister.h"

namespace kormix {

void DistributionRegister::write(int e, std::int32_t nHD, std::int32_t nD2, double lnW, double fracHD)
{
    if (filed_[e])
        erase(keyOf(regCounts[e][1], regCounts[e][2]));
    regFreq[e] = 1;
    regCounts[e][1] = nHD;
    regCounts[e][2] = nD2;
    regLnW[e] = lnW;
    regFracHD[e] = fracHD;

    const std::uint64_t key = keyOf(nHD, nD2);
    std::uint32_t s = homeOf(key);
    while (slots_[s].entry != 0 && slots_[s].key != key)
        s = (s + 1) & (kSlots - 1);
    if (slots_[s].entry != 0)
        filed_[slots_[s].entry] = false; // a stale entry of an earlier run
    slots_[s] = {key, e};
    filed_[e] = true;
}

void DistributionRegister::forgetAll()
{
    slots_.fill({});
    filed_.fill(false);
}

// Linear probing with backward-shift deletion: later slots of the same probe
// run move up, so that no search stops early at the gap.
void DistributionRegister::erase(std::uint64_t key)
{
    std::uint32_t hole = homeOf(key);
    while (slots_[hole].key != key || slots_[hole].entry == 0) {
        if (slots_[hole].entry == 0)
            return;
        hole = (hole + 1) & (kSlots - 1);
    }
    filed_[slots_[hole].entry] = false;
    for (std::uint32_t s = (hole + 1) & (kSlots - 1); slots_[s].entry != 0;
         s = (s + 1) & (kSlots - 1)) {
        const std::uint32_t home = homeOf(slots_[s].key);
        // The slot may move into the hole when its home does not lie in the
        // cyclic range (hole, s].
        const bool homeInRange = hole <= s ? (hole < home && home <= s)
                                           : (hole < home || home <= s);
        if (!homeInRange) {
            slots_[hole] = slots_[s];
            hole = s;
        }
    }
    slots_[hole] = {};
}

} // namespace kormix
