// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
// A host that records what the core shows, for the core's tests.
#pragma once

#include "core/host.h"
#include "core/simulation.h"

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace kormix::test {

class FakeHost : public SimulationHost
{
public:
    void setLabel(MainLabel label, std::string_view text) override
    {
        labels[label] = std::string(text);
        if (label == MainLabel::ncollide)
            counterWrites.emplace_back(text);
        if (onSetLabel)
            onSetLabel(label);
    }
    SetupFields readSetupFields() override { return fields; }
    bool showFluctuations() override { return fluctuations; }
    void ShowMostProbable() override
    {
        ++mostProbableCalls;
        if (onShowMostProbable)
            onShowMostProbable();
    }
    void serveEvents() override
    {
        ++eventServices;
        if (onServeEvents)
            onServeEvents();
    }

    std::string Label(MainLabel label) const
    {
        auto it = labels.find(label);
        return it == labels.end() ? std::string("<unset>") : it->second;
    }

    // Molecule entry: H2, HD, D2 as typed.
    void byMolecules(std::string h2, std::string hd, std::string d2, bool saveAll = true)
    {
        fields.byMolecules = true;
        fields.nMolec[0] = std::move(h2);
        fields.nMolec[1] = std::move(hd);
        fields.nMolec[2] = std::move(d2);
        fields.displayAll = saveAll;
    }
    void byAtoms(std::string h, std::string d, bool saveAll = true)
    {
        fields.byMolecules = false;
        fields.natom[0] = std::move(h);
        fields.natom[1] = std::move(d);
        fields.displayAll = saveAll;
    }

    SetupFields fields;
    bool fluctuations = false;
    std::map<MainLabel, std::string> labels;
    std::vector<std::string> counterWrites;
    int mostProbableCalls = 0;
    int eventServices = 0;
    std::function<void()> onShowMostProbable;
    std::function<void(MainLabel)> onSetLabel;
    std::function<void()> onServeEvents;
};

// Sets up a system by molecules, fixes the seed and begins a run.
inline void startSeeded(Simulation &sim,
                        FakeHost &host,
                        const char *h2,
                        const char *hd,
                        const char *d2,
                        std::uint64_t seed,
                        bool saveAll = true)
{
    host.byMolecules(h2, hd, d2, saveAll);
    sim.SetupSystem();
    sim.rng.fixSeed(seed);
    sim.BeginCollisions();
}

// At the first event service after `collision` collisions, sets up a system
// of these molecules from inside the loop, as a revision does.
inline void reviseAt(Simulation &sim,
                     FakeHost &host,
                     std::int64_t collision,
                     const char *h2,
                     const char *hd,
                     const char *d2)
{
    host.onServeEvents = [&sim, &host, collision, h2, hd, d2, revised = false]() mutable {
        if (!revised && sim.nCollisions >= collision) {
            revised = true;
            sim.markRevision();
            host.byMolecules(h2, hd, d2);
            sim.SetupSystem();
            sim.BeginCollisions();
        }
    };
}

// Runs collisions until `done` holds at an event service (every 50 collisions).
inline void runUntil(Simulation &sim, FakeHost &host, const std::function<bool()> &done)
{
    host.onServeEvents = [&] {
        if (done())
            sim.requestStop();
    };
    sim.RunCollisions();
    host.onServeEvents = nullptr;
}

// A run of `collisions` collisions in all (a multiple of 50).
inline void runFor(Simulation &sim, FakeHost &host, std::int64_t collisions)
{
    runUntil(sim, host, [&] { return sim.nCollisions >= collisions; });
}

} // namespace kormix::test
