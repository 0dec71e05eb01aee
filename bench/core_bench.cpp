// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
// Speed of the simulation core: the collision loop (with statistics only and
// at a temperature), the start of a run and the distributions file.
#include "core/distributionsfile.h"
#include "core/simulation.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

namespace {

using namespace kormix;

// A host with no windows that ends the loop once a target is reached; it is
// asked only at the event service, every 50 collisions.
class StopHost : public NullHost
{
public:
    void serveEvents() override
    {
        if (sim->nCollisions >= stopAt || (stopAfterWrap && sim->nDistFound > 1000))
            sim->requestStop();
    }
    SetupFields readSetupFields() override { return fields; }

    Simulation *sim = nullptr;
    std::int64_t stopAt = 0;
    bool stopAfterWrap = false;
    SetupFields fields;
};

void run(Simulation &sim, StopHost &host, std::int64_t collisions)
{
    host.stopAt = sim.nCollisions + collisions;
    sim.RunCollisions();
}

// ns per collision of RunCollisions for N molecules (half H2, half D2),
// going to the equilibrium of this model.
void runCollisions(benchmark::State &state, const EquilibriumModel &model)
{
    const std::int32_t n = std::int32_t(state.range(0));
    const bool saveAll = state.range(1) != 0;
    StopHost host;
    Simulation sim(&host);
    host.sim = &sim;
    host.fields.nMolec[0] = std::to_string(n / 2);
    host.fields.nMolec[2] = std::to_string(n - n / 2);
    host.fields.displayAll = saveAll;
    sim.setModel(model);
    sim.SetupSystem();
    sim.bTurbo = true;
    sim.rng.fixSeed(42);
    sim.BeginCollisions();
    // Settle first: to equilibrium, and in save-all mode past the wrap of the
    // register, where every new distribution overwrites an entry.
    if (saveAll && n >= 100000) {
        host.stopAfterWrap = true;
        run(sim, host, std::int64_t(1) << 40);
        host.stopAfterWrap = false;
    }
    run(sim, host, 20LL * n);

    constexpr std::int64_t kBlock = 1'000'000;
    for (auto _ : state)
        run(sim, host, kBlock);
    // Seconds per collision (shown with its prefix, e.g. 15.2n).
    state.counters["per_collision"] = benchmark::Counter(double(kBlock),
                                                         benchmark::Counter::kIsIterationInvariantRate
                                                                 | benchmark::Counter::kInvert);
    state.counters["wrapped"] = sim.nDistFound > 1000;
    state.counters["distributions"] = double(sim.nDistFound);
}

// Statistics only: every H2 + D2 meeting reacts.
void BM_RunCollisions(benchmark::State &state)
{
    runCollisions(state, EquilibriumModel{});
}
BENCHMARK(BM_RunCollisions)
        ->ArgNames({"N", "saveAll"})
        ->ArgsProduct({{100, 1000, 100000}, {0, 1}})
        ->Unit(benchmark::kMillisecond);

// Hydrogen at room temperature (K = 3.26): an H2 + D2 meeting draws once
// more. Compare with BM_RunCollisions of the same arguments, in one run.
void BM_RunCollisionsAtRoomTemperature(benchmark::State &state)
{
    runCollisions(state, *EquilibriumModel::hydrogenAt(298.15));
}
BENCHMARK(BM_RunCollisionsAtRoomTemperature)
        ->ArgNames({"N", "saveAll"})
        ->ArgsProduct({{100, 1000, 100000}, {0, 1}})
        ->Unit(benchmark::kMillisecond);

// BeginCollisions (ln W from scratch) on a fresh Simulation, near equilibrium.
void BM_BeginCollisions(benchmark::State &state)
{
    const std::int64_t n = state.range(0);
    for (auto _ : state) {
        Simulation sim;
        sim.nMolecules = std::int32_t(n);
        sim.nH2 = std::int32_t(n / 4);
        sim.nD2 = std::int32_t(n / 4);
        sim.nHD = std::int32_t(n - 2 * (n / 4));
        sim.BeginCollisions();
        benchmark::DoNotOptimize(sim.lnW);
    }
}
BENCHMARK(BM_BeginCollisions)
        ->Arg(1000)
        ->Arg(1000000)
        ->Arg(1000000000)
        ->Arg(2147483647)
        ->Unit(benchmark::kMillisecond);

// The distributions file of a full register of 1000 entries.
void fillRegister(Simulation &sim)
{
    sim.bSaveAll = true;
    sim.nMolecules = 4000;
    sim.nH2 = sim.nD2 = 2000;
    sim.nHD = 0;
    sim.BeginCollisions();
    for (int k = 1; k < 1000; ++k) {
        sim.nHD = 2 * k;
        sim.nH2 = sim.nD2 = 2000 - k;
        sim.lnW = LnW(sim.nH2, sim.nD2, sim.nHD);
        sim.RecordDistribution();
    }
}

void BM_ExportDistributions(benchmark::State &state)
{
    Simulation sim;
    fillRegister(sim);
    const auto path = std::filesystem::temp_directory_path() / "kormix-bench" / "distributions.xls";
    for (auto _ : state) {
        const ExportResult result = ExportDistributions(sim, path);
        if (!result.ok)
            state.SkipWithError(result.message.c_str());
    }
    std::filesystem::remove_all(path.parent_path());
}
BENCHMARK(BM_ExportDistributions)->Unit(benchmark::kMillisecond);

void BM_DistributionsText(benchmark::State &state)
{
    Simulation sim;
    fillRegister(sim);
    for (auto _ : state)
        benchmark::DoNotOptimize(distributionsText(sim));
}
BENCHMARK(BM_DistributionsText)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
