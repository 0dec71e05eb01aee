// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
#include "core/arrangements.h"

#include <algorithm>
#include <numeric>

namespace kormix {

namespace {

// The arrangement numbered `code`, read as N digits in base 4 (place 1 the
// most significant), so that counting up the codes lists the arrangements
// in increasing order.
Arrangement decode(std::uint32_t code, std::int32_t n)
{
    Arrangement forms(static_cast<std::size_t>(n));
    for (std::int32_t place = n - 1; place >= 0; --place) {
        forms[std::size_t(place)] = MoleculeForm(code % 4);
        code /= 4;
    }
    return forms;
}

Composition compositionOf(const Arrangement &forms)
{
    Composition c;
    for (MoleculeForm form : forms) {
        switch (form) {
        case MoleculeForm::HH:
            ++c.nH2;
            break;
        case MoleculeForm::HD:
        case MoleculeForm::DH:
            ++c.nHD;
            break;
        case MoleculeForm::DD:
            ++c.nD2;
            break;
        }
    }
    return c;
}

} // namespace

std::optional<std::size_t> Arrangements::groupOf(const Composition &counts) const
{
    for (std::size_t i = 0; i < groups.size(); ++i) {
        if (groups[i].counts == counts)
            return i;
    }
    return std::nullopt;
}

Arrangements arrangementsOf(std::int32_t hAtoms, std::int32_t dAtoms)
{
    Arrangements a;
    a.hAtoms = hAtoms;
    a.dAtoms = dAtoms;
    if (hAtoms < 0 || dAtoms < 0 || (hAtoms + dAtoms) % 2 != 0
        || hAtoms + dAtoms > 2 * kMaxArrangedMolecules)
        return a;
    a.nMolecules = (hAtoms + dAtoms) / 2;

    const std::uint32_t codes = std::uint32_t(1) << (2 * a.nMolecules);
    for (std::uint32_t code = 0; code < codes; ++code) {
        Arrangement forms = decode(code, a.nMolecules);
        const Composition c = compositionOf(forms);
        if (2 * c.nH2 + c.nHD != hAtoms)
            continue; // the D atoms then differ too
        auto group = std::find_if(a.groups.begin(), a.groups.end(), [&](const auto &g) {
            return g.counts == c;
        });
        if (group == a.groups.end())
            group = a.groups.insert(a.groups.end(), ArrangementGroup{c, {}, {}, 0});
        group->arrangements.push_back(std::move(forms));
        ++a.total;
    }
    std::sort(a.groups.begin(), a.groups.end(), [](const auto &x, const auto &y) {
        return x.counts.nHD < y.counts.nHD;
    });
    for (ArrangementGroup &g : a.groups) {
        const std::uint64_t common = std::gcd(g.w(), a.total);
        g.p = {g.w() / common, a.total / common};
        g.probability = double(g.w()) / double(a.total);
    }
    return a;
}

} // namespace kormix
