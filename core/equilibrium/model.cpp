// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
#include "core/equilibrium/model.h"

#include "core/hydrogen/equilibriumconstant.h"

namespace kormix {

std::optional<EquilibriumModel> EquilibriumModel::hydrogenAt(double kelvin)
{
    if (!(kelvin >= kMinKelvin && kelvin <= kMaxKelvin))
        return std::nullopt;
    EquilibriumModel model;
    model.kelvin_ = kelvin;
    model.K_ = equilibriumConstant(kelvin);
    model.accepting_ = std::uint32_t(acceptingDraws(model.K_));
    return model;
}

} // namespace kormix
