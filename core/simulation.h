// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
// The simulator's whole state and the procedures that drive it.
#pragma once

#include "core/distributionregister.h"
#include "core/equilibrium/model.h"
#include "core/equilibrium/runobservations.h"
#include "core/host.h"
#include "core/moleculeroster.h"
#include "core/numberortext.h"
#include "core/random.h"
#include "core/steplog.h"

#include <array>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <vector>

namespace kormix {

// ln W of the composition (nH2, nD2, nHD) = ln(N! / (nH2! nD2! nHD!) * 2^nHD),
// summed as logarithms in a fixed order so that small systems give the same
// digits every time. Large systems take a closed form in extended precision.
double LnW(std::int64_t nH2, std::int64_t nD2, std::int64_t nHD);

namespace detail {
// The two ways LnW takes, open to tests that compare them.
double lnWBySum(std::int64_t nH2, std::int64_t nD2, std::int64_t nHD);
double lnWByClosedForm(std::int64_t nH2, std::int64_t nD2, std::int64_t nHD);
} // namespace detail

// Stands for an infinite reaction quotient.
inline constexpr double kInfiniteQ = 1E+300;

// One closed system of H2, HD and D2 molecules and the run on it. The data
// members carry the names the windows use for them; the windows hold a
// reference to the one Simulation the program owns.
class Simulation
{
public:
    explicit Simulation(SimulationHost *host = nullptr);

    void setHost(SimulationHost *host);

    // Empties the system and shows the "needs setup" look.
    void ClearSystem();
    // Builds a new system from the setup dialog's fields.
    void SetupSystem();
    // Starts a new run from the current composition and records it.
    void BeginCollisions();
    // Why the collision loop returned.
    enum class LoopEnd {
        Stopped,      // a stop was asked for (requestStop)
        LimitReached, // runCollisionsFor's collisions have all run
        NoPartner,    // fewer than two molecules: nothing can collide
    };
    // Collides until a stop is asked for. The request is tested once after
    // every collision, so the loop always runs at least one.
    LoopEnd RunCollisions();
    // The same, but at most this many collisions. A new run begun from
    // inside the loop (a revision) gets the collisions still left.
    LoopEnd runCollisionsFor(std::int64_t collisions);
    // Asks the loop to end after its current collision; the loop takes the
    // request when it returns. A request made before the loop is entered
    // ends it after its first collision.
    void requestStop()
    {
        stopRequested_ = true;
        leaveLoop_ = true;
    }
    // Takes back a stop the loop has not yet taken: it goes on (leaving the
    // loop only to enter it again at once).
    void withdrawStop() { stopRequested_ = false; }
    // True while the collision loop runs (nested handlers see it so).
    bool running() const { return running_; }
    // Records the current distribution in the register.
    void RecordDistribution();
    // Puts the display text of the reaction quotient of nKind into Q.
    void FormatQ();
    // Writes the run's statistics into the main window's labels.
    void UpdateStatistics();
    // The system is about to be set up anew from revised counts: the course
    // of the run (observed.series()) goes on, with a mark where the revision
    // came, across every ClearSystem up to and including the next
    // SetupSystem's own.
    void markRevision();

    // The equilibrium the collisions go to: statistics only (the default)
    // or hydrogen at a temperature, where an H2 + D2 pair reacts K / 4 of
    // the time. The model holds for the systems that follow and for the run
    // going on from its next collision, even when it is changed from inside
    // the loop. A change during a run (begun and not cleared) starts a new
    // segment of it: its course gets a mark, as at a revision, and the
    // shares, the reactions counted and so the distance and the estimate of
    // K start afresh (RunObservations::beginSegment).
    void setModel(const EquilibriumModel &model);
    const EquilibriumModel &model() const { return model_; }

    // Composition (fixed total for a run).
    std::int32_t nMolecules = 0;
    std::int32_t nH2 = 0;
    std::int32_t nHD = 0;
    std::int32_t nD2 = 0;

    // Run counters and the most probable distribution so far.
    std::int64_t nCollisions = 0;
    double lnW = 0;
    NumberOrText Q;
    int iCurrent = 0;
    int nStored = 0;
    std::int64_t nDistFound = 0;
    int iBest = 0;
    std::int64_t bestCollision = 0;
    double lnWBest = 0;
    NumberOrText QBest;

    // Flags.
    bool bTurbo = false;
    bool bNeedsSetup = false;
    bool bSaveAll = false;

    // The register of distributions (entries 1..1000).
    DistributionRegister reg;

    // Counts of the distribution being shown or formatted: H2, HD, D2
    // (element 3 is never used).
    std::array<std::int32_t, 4> nKind{};

    // Decimal separator of every number the program writes as text.
    char decimalPoint = '.';

    UniformRandom rng;

    // The shares of collisions per composition, the reactions and the
    // course of the run, kept by the collision loop.
    RunObservations observed;

    // The last collisions in words, kept while stepLog.recording() is set.
    // A run without it empties the log, and so does the start of a run.
    StepLog stepLog;
    // Keeps the step log from the next collision on, or no longer keeps it.
    // A loop going on leaves after its current collision and goes on in the
    // other variant, which then empties the log when it goes without it.
    void keepStepLog(bool on);

    // The molecules' lasting numbers, by which the step log names them. The
    // logged loop brings the roster to the current counts before each of its
    // collisions and tells it every reaction; whoever else shows molecules
    // brings it to the counts first (roster.follow).
    MoleculeRoster roster;

    // Events are served (and the course of the run recorded, unless the
    // step log records, when the course takes every collision) after every
    // this many collisions: 50, or fewer when a slowed-down run must be
    // served more often. Only divisors of 100 are taken, so that turbo mode's
    // counter still shows every hundredth collision; anything else leaves
    // the interval as it was. A run going on takes a new interval at its
    // next event service.
    void setCollisionsPerService(std::int32_t collisions);
    std::int32_t collisionsPerService() const { return collisionsPerService_; }

private:
    // RunCollisions' working copy of the run, and the collision itself.
    struct CollisionLoop;

    // RunCollisions and runCollisionsFor: the loop with or without the log,
    // and with statistics only or at a temperature. Nothing when it must go
    // on in the other variant: the model changed between the two.
    template<bool kLogged, bool kTemperature>
    std::optional<LoopEnd> collide();
    template<bool kLogged>
    std::optional<LoopEnd> collideInModel()
    {
        return model_.statisticsOnly() ? collide<kLogged, false>() : collide<kLogged, true>();
    }

    void emptyRegister();
    // nCollisions = 0, keeping what is left of a limited loop's collisions.
    void countFromZero();
    // ln i, from a table for the values a run meets most.
    double ln(std::int64_t i) const
    {
        return i < static_cast<std::int64_t>(lnTable_.size()) ? lnTable_[i] : lnSlow(i);
    }
    static double lnSlow(std::int64_t i);
    void ensureLnTable(std::int64_t upTo);

    SimulationHost *host_;
    std::vector<double> lnTable_;

    // The texts UpdateStatistics last made of the most probable distribution.
    struct BestTexts
    {
        bool valid = false;
        NumberOrText qBest;
        double lnWBest = 0;
        char decimalPoint = '.';
        std::string bestQ, logW, wMax;
    };
    BestTexts bestTexts_;
    bool revising_ = false; // markRevision came, and its SetupSystem has not yet

    static constexpr std::int64_t kNoLimit = std::numeric_limits<std::int64_t>::max();
    // runCollisionsFor ends the loop once nCollisions reaches this.
    std::int64_t stopAt_ = kNoLimit;
    std::int32_t collisionsPerService_ = 50;
    EquilibriumModel model_;
    bool stopRequested_ = false;
    // The loop must leave after its current collision: a stop was asked
    // for, the model changed between statistics only and a temperature, or
    // the step log is kept from now on or no longer. The one flag the loop
    // tests per collision.
    bool leaveLoop_ = false;
    bool running_ = false;
};

} // namespace kormix
