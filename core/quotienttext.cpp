// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
#include "core/quotienttext.h"

#include "core/numberformat.h"

namespace kormix {

std::string quotientText(std::int32_t nH2, std::int32_t nHD, std::int32_t nD2, char decimalPoint)
{
    if (nD2 == 0 || nH2 == 0)
        return "infinite";
    const double q = ((double(nHD) / double(nD2)) * double(nHD)) / double(nH2);
    return formatNumber(q, "##0.00", decimalPoint);
}

} // namespace kormix
