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

std::vector<DistributionLine> distributionLines(const Simulation &sim)
{
    const DistributionRegister &reg = sim.reg;
    const int n = std::clamp(sim.nStored, 0, DistributionRegister::kCapacity);

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

    std::vector<DistributionLine> lines;
    lines.reserve(order.size());
    for (int k = 1; k <= n; ++k) {
        const int e = order[std::size_t(k - 1)];
        const auto &counts = reg.regCounts[e];
        const double rel = std::exp(reg.regLnW[e] - sim.lnWBest);
        lines.push_back({k,
                         std::int64_t(sim.nMolecules) - counts[1] - counts[2],
                         counts[2],
                         counts[1],
                         100 * reg.regFracHD[e],
                         reg.regLnW[e],
                         rel / s,
                         rel,
                         reg.regFreq[e],
                         double(reg.regFreq[e]) / f});
    }
    return lines;
}

std::string distributionsText(const Simulation &sim)
{
    const char dp = sim.decimalPoint;
    const std::vector<DistributionLine> lines = distributionLines(sim);
    std::string text;
    for (const char *field : kDistributionsHeader) {
        text += text.empty() ? "" : "\t";
        text += field;
    }
    text += "\r\n";
    text.reserve(text.size() + lines.size() * 128);
    for (const DistributionLine &line : lines) {
        text += ' ';
        text += integerToText(line.position);
        text += " \t";
        text += integerToText(line.nH2);
        text += '\t';
        text += integerToText(line.nD2);
        text += '\t';
        text += integerToText(line.nHD);
        text += '\t';
        text += numberToText(line.percentHD, dp);
        text += '\t';
        text += numberToText(line.lnW, dp);
        text += '\t';
        text += FormatW(line.lnW, dp);
        text += '\t';
        text += numberToText(line.p, dp);
        text += '\t';
        text += numberToText(line.pRel, dp);
        text += '\t';
        text += integerToText(line.freq);
        text += '\t';
        text += numberToText(line.pFromFreq, dp);
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
