// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
// The register of the distributions met in a run.
#pragma once

#include <array>
#include <cstdint>

namespace kormix {

// Up to 1000 entries numbered 1 to 1000 (element 0 exists and is never used),
// held as parallel arrays. Within a run the pair (nHD, nD2) identifies a
// distribution; an index beside the arrays finds an entry by that pair in
// constant time, so recording a distribution never scans the register.
class DistributionRegister
{
public:
    static constexpr int kCapacity = 1000;

    // (e, 1) = nHD and (e, 2) = nD2 of entry e; column 0 is never written.
    std::array<std::array<std::int32_t, 3>, kCapacity + 1> regCounts{};
    std::array<double, kCapacity + 1> regLnW{};
    std::array<std::int64_t, kCapacity + 1> regFreq{};
    std::array<double, kCapacity + 1> regFracHD{};

    // The entry among 1..nStored that holds (nHD, nD2), or 0. Finds exactly
    // what a search from entry 1 upwards would find.
    int find(std::int32_t nHD, std::int32_t nD2, int nStored) const
    {
        const std::uint64_t key = keyOf(nHD, nD2);
        for (std::uint32_t s = homeOf(key);; s = (s + 1) & (kSlots - 1)) {
            const Slot &slot = slots_[s];
            if (slot.entry == 0)
                return 0;
            if (slot.key == key)
                return slot.entry <= nStored ? slot.entry : 0;
        }
    }

    // Writes entry e (1..1000) and files it in the index; an entry that held
    // another distribution before is taken out of the index first.
    void write(int e, std::int32_t nHD, std::int32_t nD2, double lnW, double fracHD);

    // The distribution of entry e as (H2, HD, D2) counts of a system of
    // nMolecules molecules: H2 is not stored, it is what HD and D2 leave.
    std::array<std::int32_t, 3> countsOf(int e, std::int32_t nMolecules) const
    {
        const auto &c = regCounts[std::size_t(e)];
        return {nMolecules - c[1] - c[2], c[1], c[2]};
    }

    // Forgets every entry: the arrays keep their contents, the index empties.
    void forgetAll();

private:
    struct Slot
    {
        std::uint64_t key = 0;
        std::int32_t entry = 0; // 0 = empty slot
    };
    static constexpr std::uint32_t kSlots = 2048; // power of two, load <= 1/2

    static std::uint64_t keyOf(std::int32_t nHD, std::int32_t nD2)
    {
        return (std::uint64_t(std::uint32_t(nHD)) << 32) | std::uint32_t(nD2);
    }
    static std::uint32_t homeOf(std::uint64_t key)
    {
        return std::uint32_t((key * 0x9E3779B97F4A7C15ull) >> 53) & (kSlots - 1);
    }
    void erase(std::uint64_t key);

    std::array<Slot, kSlots> slots_{};
    // Whether entry e is currently filed in the index.
    std::array<bool, kCapacity + 1> filed_{};
};

} // namespace kormix
