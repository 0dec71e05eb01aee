// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
#include "core/distributionsfile.h"

#include "core/numberformat.h"
#include "core/privateplace.h"
#include "core/simulation.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numeric>
#include <vector>

namespace kormix {

namespace {

constexpr const char *kFileName = "distributions.xls";

} // namespace

std::filesystem::path distributionsFilePath()
{
    return privatePlace(kFileName);
}

std::string distributionsText(const Simulation &sim)
{
    const DistributionRegister &reg = sim.reg;
    const int n = std::clamp(sim.nStored, 0, DistributionRegister::kCapacity);
    const char dp = sim.decimalPoint;

    std::vector<int> order(static_cast<std::size_t>(n));
    std::iota(order.begin(), order.end(), 1);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        return reg.regFracHD[a] < reg.regFracHD[b];
    });

    double s = 0; // sum of W / Wmax over the stored distributions
    double f = 0; // sum of the occurrence counts
    for (int i = 1; i <= n; ++i) {
        s = s + std::exp(reg.regLnW[i] - sim.lnWBest);
        f = f + double(reg.regFreq[i]);
    }

    std::string text = "#\tNH2\tND2\tNHD\t%HD\tlnW\tW\tP\tP_rel\tfreq\tP_from_freq\r\n";
    text.reserve(text.size() + std::size_t(n) * 128);
    for (int k = 1; k <= n; ++k) {
        const int e = order[std::size_t(k - 1)];
        const auto &counts = reg.regCounts[e];
        const double rel = std::exp(reg.regLnW[e] - sim.lnWBest);
        text += ' ';
        text += integerToText(k);
        text += " \t";
        text += integerToText(std::int64_t(sim.nMolecules) - counts[1] - counts[2]);
        text += '\t';
        text += integerToText(counts[2]);
        text += '\t';
        text += integerToText(counts[1]);
        text += '\t';
        text += numberToText(100 * reg.regFracHD[e], dp);
        text += '\t';
        text += numberToText(reg.regLnW[e], dp);
        text += '\t';
        text += FormatW(reg.regLnW[e], dp);
        text += '\t';
        text += numberToText(rel / s, dp);
        text += '\t';
        text += numberToText(rel, dp);
        text += '\t';
        text += integerToText(reg.regFreq[e]);
        text += '\t';
        text += numberToText(double(reg.regFreq[e]) / f, dp);
        text += "\r\n";
    }
    return text;
}

std::filesystem::path fallbackDistributionsFilePath()
{
#ifdef _WIN32
    std::error_code ec;
    const std::filesystem::path dir = std::filesystem::temp_directory_path(ec);
    return ec ? std::filesystem::path() : dir / "kormix" / kFileName;
#else
    return {};
#endif
}

ExportResult exportWithFallback(const Simulation &sim,
                                const std::filesystem::path &path,
                                const std::filesystem::path &fallback)
{
    ExportResult result = ExportDistributions(sim, path);
    if (!result.ok && result.outcome == ExportResult::Outcome::FailedOpening && !fallback.empty())
        result = ExportDistributions(sim, fallback);
    return result;
}

ExportResult ExportDistributions(const Simulation &sim)
{
    const ExportResult place = preparePrivatePlace(kFileName);
    if (!place.ok)
        return place;
    return exportWithFallback(sim, place.path, fallbackDistributionsFilePath());
}

ExportResult ExportDistributions(const Simulation &sim, const std::filesystem::path &path)
{
    ExportResult result = writeWholeFile(path, distributionsText(sim));
    if (result.ok)
        result.message = "File " + result.path + " was created";
    return result;
}

} // namespace kormix
