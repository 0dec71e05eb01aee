// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
// Speed of the exact equilibrium computations: the distribution of a system
// up to the largest the data model allows (with statistics only and at room
// temperature), the expected approach over its whole horizon, the tally of
// stays with its distance and the estimate of K, and K(T) itself.
#include "core/equilibrium/approach.h"
#include "core/equilibrium/exactdistribution.h"
#include "core/equilibrium/stayshares.h"
#include "core/hydrogen/equilibriumconstant.h"

#include <benchmark/benchmark.h>

#include <limits>

namespace {

using namespace kormix;

constexpr std::int64_t kMaxCount = std::numeric_limits<std::int32_t>::max();

// N molecules from N H and N D atoms (2^31 - 1 of each: the largest system).
void BM_ExactDistribution(benchmark::State &state)
{
    const std::int64_t n = state.range(0);
    std::size_t kept = 0;
    for (auto _ : state) {
        const ExactDistribution e = exactDistribution(n, n);
        kept = e.kept.size();
        benchmark::DoNotOptimize(e.meanHD);
    }
    state.counters["kept"] = double(kept);
}
BENCHMARK(BM_ExactDistribution)
        ->ArgName("N")
        ->Arg(20)
        ->Arg(1000)
        ->Arg(1'000'000)
        ->Arg(kMaxCount)
        ->Unit(benchmark::kMillisecond);

// At K = 3.26 every distribution is walked out in log space.
void BM_ExactDistributionAtRoomTemperature(benchmark::State &state)
{
    const std::int64_t n = state.range(0);
    for (auto _ : state)
        benchmark::DoNotOptimize(exactDistribution(n, n, 3.26).meanHD);
}
BENCHMARK(BM_ExactDistributionAtRoomTemperature)
        ->ArgName("N")
        ->Arg(20)
        ->Arg(1000)
        ->Arg(kMaxCount)
        ->Unit(benchmark::kMillisecond);

// One K(T): the window shows it as the user types a temperature, and plots
// it over 20 K to 3000 K.
void BM_EquilibriumConstant(benchmark::State &state)
{
    double t = kMinKelvin;
    for (auto _ : state) {
        benchmark::DoNotOptimize(equilibriumConstant(t));
        t = t >= kMaxKelvin ? kMinKelvin : t + 7;
    }
}
BENCHMARK(BM_EquilibriumConstant)->Unit(benchmark::kMicrosecond);

void BM_EngineStationaryDistribution(benchmark::State &state)
{
    const std::int64_t n = state.range(0);
    for (auto _ : state)
        benchmark::DoNotOptimize(engineStationaryDistribution(n, n).meanHD);
}
BENCHMARK(BM_EngineStationaryDistribution)
        ->ArgName("N")
        ->Arg(kMaxCount)
        ->Unit(benchmark::kMillisecond);

// From N/2 H2 + N/2 D2 over the whole horizon the work bound allows.
void BM_ExpectedApproach(benchmark::State &state)
{
    const std::int32_t half = std::int32_t(state.range(0) / 2);
    const Composition start{half, 0, half};
    std::int64_t horizon = 0;
    for (auto _ : state) {
        const ExpectedApproach a = expectedApproach(start, std::int64_t(1) << 40);
        horizon = a.horizon;
        benchmark::DoNotOptimize(a.points.back().meanHD);
    }
    state.counters["horizon"] = double(horizon);
}
BENCHMARK(BM_ExpectedApproach)->ArgName("N")->Arg(20)->Arg(1000)->Unit(benchmark::kMillisecond);

// One stay credited (the engine does it once per change of composition).
void BM_CreditStay(benchmark::State &state)
{
    StayShares shares(1000, 1000);
    std::int32_t hd = 500;
    for (auto _ : state) {
        shares.creditStay(hd, 3);
        hd = hd == 520 ? 480 : hd + 2;
    }
    benchmark::DoNotOptimize(shares.total());
}
BENCHMARK(BM_CreditStay);

// The distance as the window would ask for it, over the full tally.
void BM_TotalVariation(benchmark::State &state)
{
    const std::int64_t n = state.range(0);
    const ExactDistribution e = exactDistribution(n, n);
    StayShares shares(n, n);
    for (const CompositionProbability &c : e.kept)
        shares.creditStay(c.counts.nHD, 1);
    for (auto _ : state)
        benchmark::DoNotOptimize(totalVariation(shares, e));
}
BENCHMARK(BM_TotalVariation)->ArgName("N")->Arg(1000)->Arg(kMaxCount)->Unit(benchmark::kMicrosecond);

// The run's estimate of K over the full tally.
void BM_EstimatedK(benchmark::State &state)
{
    const std::int64_t n = state.range(0);
    StayShares shares(n, n);
    for (std::int32_t k = shares.firstHD(); k <= shares.lastHD(); k += 2)
        shares.creditStay(k, 1000);
    for (auto _ : state)
        benchmark::DoNotOptimize(estimatedK(shares));
}
BENCHMARK(BM_EstimatedK)->ArgName("N")->Arg(1000)->Arg(kMaxCount)->Unit(benchmark::kMicrosecond);

} // namespace
