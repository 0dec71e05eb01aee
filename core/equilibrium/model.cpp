// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
#include "core/equilibrium/model.h"

#include "core/hydrogen/equilibriumconstant.h"
#include "core/numberformat.h"

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

std::string describeModel(const EquilibriumModel &model, char decimalPoint)
{
    const std::string K = "K = " + numberToText(model.K(), decimalPoint);
    if (model.statisticsOnly())
        return "statistics only, " + K;
    return "hydrogen at " + numberToText(model.kelvin(), decimalPoint) + " K, " + K;
}

} // namespace kormix
