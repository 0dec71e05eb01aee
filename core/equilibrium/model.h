// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
// Which equilibrium the collisions go to: counting alone, or real hydrogen
// at a temperature, where energy weighs against HD as well.
#pragma once

#include "core/equilibrium/exactdistribution.h"

#include <cstdint>
#include <optional>
#include <string>

namespace kormix {

class EquilibriumModel
{
public:
    // Statistics only: every H2 + D2 meeting reacts, K = 4.
    EquilibriumModel() = default;
    // Real hydrogen at this temperature, K = K(T) (core/hydrogen/): an
    // H2 + D2 meeting reacts K / 4 of the time. Nothing for a temperature
    // outside kMinKelvin to kMaxKelvin.
    static std::optional<EquilibriumModel> hydrogenAt(double kelvin);

    bool statisticsOnly() const { return kelvin_ == 0; }
    // The temperature in kelvin; 0 for statistics only.
    double kelvin() const { return kelvin_; }
    // The equilibrium constant of the theory.
    double K() const { return K_; }
    // The engine's H2 + D2 pair reacts when its 24-bit draw is below this:
    // acceptingDraws(K()), 2^24 for statistics only.
    std::uint32_t accepting() const { return accepting_; }

    bool operator==(const EquilibriumModel &) const = default;

private:
    double kelvin_ = 0;
    double K_ = kStatisticsOnlyK;
    std::uint32_t accepting_ = std::uint32_t(kCoinDraws);
};

// The model in words, as the files name it: "statistics only, K = 4" or
// "hydrogen at 298.15 K, K = 3.25948732679871", the temperature and K with
// up to 15 significant digits.
std::string describeModel(const EquilibriumModel &model, char decimalPoint = '.');

} // namespace kormix
