// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
#include "core/simulation.h"

#include "core/numberformat.h"
#include "core/quotienttext.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <limits>
#include <optional>

namespace kormix {

namespace {

constexpr double kLn2 = 0.6931471805599453;
constexpr double kLn4 = 1.3862943611198906; // 2 ln 2: the factor 4 of a reaction
constexpr double kLn10Stats = 2.30258509299405;
constexpr int kCapacity = DistributionRegister::kCapacity;
// Up to this many factors in each of its sums, LnW adds the logarithms one by
// one; beyond it the closed form keeps BeginCollisions fast for any system.
constexpr std::int64_t kSummedLimit = 1'000'000;
constexpr std::int64_t kLnTableMax = std::int64_t(1) << 20;

NullHost &noHost()
{
    static NullHost host;
    return host;
}

// ln W as a sum of logarithms in a fixed order, starting from 0:
// ln(N! / a!), then minus ln b!, then minus ln c! plus c ln 2.
template<typename LnFn>
double lnWSummed(std::int64_t a, std::int64_t b, std::int64_t c, LnFn ln)
{
    const std::int64_t n = a + b + c;
    double s = 0;
    for (std::int64_t i = a + 1; i <= n; ++i)
        s = s + ln(i);
    for (std::int64_t i = 1; i <= b; ++i)
        s = s - ln(i);
    for (std::int64_t i = 1; i <= c; ++i)
        s = (s - ln(i)) + kLn2;
    return s;
}

double lnWClosedForm(std::int64_t a, std::int64_t b, std::int64_t c)
{
    using L = long double;
    const L n = L(a) + L(b) + L(c);
    const L s = ((lgammal(n + 1) - lgammal(L(a) + 1)) - lgammal(L(b) + 1)) - lgammal(L(c) + 1)
                + L(c) * 0.693147180559945309417232121458176568L;
    return double(s);
}

// A count typed into the setup dialog, as a whole number, or nothing when it
// does not fit 32 bits.
std::optional<std::int64_t> wholeCount(const std::string &text)
{
    const double v = roundHalfEven(readNumber(text));
    if (!(v >= std::numeric_limits<std::int32_t>::min()
          && v <= std::numeric_limits<std::int32_t>::max()))
        return std::nullopt;
    return std::int64_t(v);
}

} // namespace

double LnW(std::int64_t nH2, std::int64_t nD2, std::int64_t nHD)
{
    if (std::int64_t(nD2) + nHD > kSummedLimit)
        return lnWClosedForm(nH2, nD2, nHD);
    return detail::lnWBySum(nH2, nD2, nHD);
}

namespace detail {
double lnWBySum(std::int64_t nH2, std::int64_t nD2, std::int64_t nHD)
{
    return lnWSummed(nH2, nD2, nHD, [](std::int64_t i) { return std::log(double(i)); });
}
double lnWByClosedForm(std::int64_t nH2, std::int64_t nD2, std::int64_t nHD)
{
    return lnWClosedForm(nH2, nD2, nHD);
}
} // namespace detail

Simulation::Simulation(SimulationHost *host)
    : host_(host ? host : &noHost())
{}

void Simulation::setHost(SimulationHost *host)
{
    host_ = host ? host : &noHost();
}

double Simulation::lnSlow(std::int64_t i)
{
    return std::log(double(i));
}

void Simulation::ensureLnTable(std::int64_t upTo)
{
    const std::int64_t size = std::min(upTo + 1, kLnTableMax);
    std::int64_t i = std::int64_t(lnTable_.size());
    if (i >= size)
        return;
    lnTable_.resize(std::size_t(size));
    for (; i < size; ++i)
        lnTable_[std::size_t(i)] = std::log(double(i));
}

void Simulation::emptyRegister()
{
    nStored = 0;
    reg.forgetAll();
}

void Simulation::ClearSystem()
{
    rng.seedFromClock();
    // The course of the run goes on across a revision, and only there: until
    // the revised system is set up, however often it is cleared on the way.
    if (!revising_)
        observed.forgetSeries();
    bSaveAll = true;
    bNeedsSetup = true;
    nMolecules = nH2 = nHD = nD2 = 0;
    lnWBest = 0;
    iBest = 0;
    bestCollision = 0;
    emptyRegister();
    nDistFound = 0;
    iCurrent = 0;
    countFromZero();
    stepLog.clear();

    SimulationHost &h = *host_;
    h.setLabel(MainLabel::H2, "?");
    h.setLabel(MainLabel::HD, "?");
    h.setLabel(MainLabel::D2, "?");
    h.setLabel(MainLabel::Qa, "?");
    h.setLabel(MainLabel::status, "needs setup");
    h.setLabel(MainLabel::ncollide, "0");
    h.setLabel(MainLabel::NumDistros, "0");
    h.setLabel(MainLabel::bestcol, "");
    h.setLabel(MainLabel::logW, "");
    h.setLabel(MainLabel::Wmax, "");
    h.setLabel(MainLabel::BestQ, "");
}

void Simulation::SetupSystem()
{
    ClearSystem();
    const SetupFields fields = host_->readSetupFields();

    std::optional<std::int64_t> h2, hd, d2;
    if (fields.byMolecules) {
        h2 = wholeCount(fields.nMolec[0]);
        hd = wholeCount(fields.nMolec[1]);
        d2 = wholeCount(fields.nMolec[2]);
    } else {
        // Atoms are paired with their own kind; an odd atom is left out.
        const auto hAtoms = wholeCount(fields.natom[0]);
        const auto dAtoms = wholeCount(fields.natom[1]);
        if (hAtoms)
            h2 = *hAtoms / 2;
        if (dAtoms)
            d2 = *dAtoms / 2;
        hd = 0;
    }
    // Counts that are negative, or whose atoms or total overflow 32 bits,
    // give no usable system: it is taken as empty.
    constexpr std::int64_t kMax = std::numeric_limits<std::int32_t>::max();
    const bool usable = h2 && hd && d2 && *h2 >= 0 && *hd >= 0 && *d2 >= 0 && 2 * *h2 + *hd <= kMax
                        && 2 * *d2 + *hd <= kMax && *h2 + *hd + *d2 <= kMax;
    if (!usable)
        h2 = hd = d2 = 0;

    nH2 = std::int32_t(*h2);
    nHD = std::int32_t(*hd);
    nD2 = std::int32_t(*d2);
    nMolecules = nH2 + nD2 + nHD;

    nKind = {nH2, nHD, nD2, 0};
    FormatQ();
    SimulationHost &h = *host_;
    h.setLabel(MainLabel::Qa, Q.text());

    emptyRegister();
    nDistFound = 0;

    h.setLabel(MainLabel::H2, integerToText(nH2));
    h.setLabel(MainLabel::D2, integerToText(nD2));
    h.setLabel(MainLabel::HD, integerToText(nHD));
    h.setLabel(MainLabel::nHatoms, integerToText(2LL * nH2 + nHD));
    h.setLabel(MainLabel::nDatoms, integerToText(2LL * nD2 + nHD));

    bSaveAll = fields.displayAll;
    h.setLabel(MainLabel::NumDistros, bSaveAll ? "0" : "most prob");

    // A single molecule has no partner to collide with.
    bNeedsSetup = nMolecules < 2;
    // The revised system is set up: the next clear forgets the course.
    revising_ = false;
}

void Simulation::BeginCollisions()
{
    const std::int64_t endedRun = nCollisions;
    host_->ShowMostProbable();
    iBest = 0;
    emptyRegister();
    nDistFound = 0;
    iCurrent = 0;
    countFromZero();
    lnWBest = -1;
    stepLog.clear();
    ensureLnTable(std::int64_t(nMolecules) + 1);
    if (std::int64_t(nD2) + nHD > kSummedLimit)
        lnW = lnWClosedForm(nH2, nD2, nHD);
    else
        lnW = lnWSummed(nH2, nD2, nHD, [this](std::int64_t i) { return ln(i); });
    observed.beginRun({nH2, nHD, nD2}, endedRun, model_.K());
    // The run's start begins its part of the series; starting the same
    // system again before any collision (Start after Setup) adds nothing.
    const auto &points = observed.series().points();
    if (points.empty() || !(points.back() == observed.startPoint({nH2, nHD, nD2}, lnW)))
        observed.recordPoint(0, {nH2, nHD, nD2}, lnW);
    RecordDistribution();
}

void Simulation::countFromZero()
{
    // A limited loop going on collides on the new run for what is left.
    if (stopAt_ != kNoLimit)
        stopAt_ = std::max<std::int64_t>(stopAt_ - nCollisions, 0);
    nCollisions = 0;
}

void Simulation::markRevision()
{
    observed.markRevision(nCollisions);
    revising_ = true;
}

void Simulation::setModel(const EquilibriumModel &model)
{
    if (model == model_)
        return;
    const bool otherLoop = model.statisticsOnly() != model_.statisticsOnly();
    model_ = model;
    // A run has begun on this system once its start is recorded (iBest is
    // then 1 or more) and until the system is cleared.
    if (iBest > 0)
        observed.beginSegment(nCollisions, {nH2, nHD, nD2}, lnW, model_.K());
    // A loop going on takes a new K at its next load; statistics only and a
    // temperature are two variants of it.
    if (running_ && otherLoop)
        leaveLoop_ = true;
}

// The collision loop works on local copies of the run's state, with the
// generator's state in registers, and hands them back before anything outside
// it can look: a record, the event service (where nested handlers may even
// set up a new system). load() and store() are those two crossings. Q is only
// ever looked at there, so it is computed when the state is handed back. The
// counter labels are written without handing the state back: they only get
// the text of the count.
struct Simulation::CollisionLoop
{
    explicit CollisionLoop(Simulation &simulation)
        : sim(simulation)
    {
        load();
    }

    void load()
    {
        n = sim.nMolecules;
        h2 = sim.nH2;
        hd = sim.nHD;
        d2 = sim.nD2;
        collisions = sim.nCollisions;
        lnw = sim.lnW;
        current = sim.iCurrent;
        stored = sim.nStored;
        saveAll = sim.bSaveAll;
        turbo = sim.bTurbo;
        bestLnW = sim.lnWBest;
        accepting = sim.model_.accepting();
        const std::int64_t every = sim.collisionsPerService_;
        // The limit of a limited loop is checked where the next service is:
        // the collision itself pays for one comparison only.
        nextCheck = std::min((collisions / every + 1) * every, sim.stopAt_);
        dn = double(n);
        nOver2To24 = dn * 0x1.0p-24;
        lnTable = sim.lnTable_.data();
        lnSize = std::int64_t(sim.lnTable_.size());
        // Unless a test scripts the draws, the generator works from a copy.
        scripted = sim.rng.scripted();
        const std::uint32_t *state = sim.rng.engine().s;
        s0 = state[0];
        s1 = state[1];
        s2 = state[2];
        s3 = state[3];
        // The box can only change while events are served, and every event
        // service is followed by a fresh load.
        fluctuations = sim.host_->showFluctuations();
    }

    void store()
    {
        sim.nH2 = std::int32_t(h2);
        sim.nHD = std::int32_t(hd);
        sim.nD2 = std::int32_t(d2);
        sim.nCollisions = collisions;
        sim.lnW = lnw;
        sim.iCurrent = current;
        if (!scripted) {
            std::uint32_t *state = sim.rng.engine().s;
            state[0] = s0;
            state[1] = s1;
            state[2] = s2;
            state[3] = s3;
        }
        sim.Q.setNumber((h2 != 0 && d2 != 0) ? ((double(hd) / double(h2)) * double(hd)) / double(d2)
                                             : kInfiniteQ);
    }

    // The engine needs two different molecules to pick.
    bool canCollide() const { return n >= 2; }
    std::int64_t count() const { return collisions; }

    // Events are due after this collision, or the limit of the loop is
    // reached with it. Decided as the collision is counted, so that a record
    // inside it (where a nested handler may even begin a new run) does not
    // move the service.
    bool serviceDue = false;

    // One collision: two different molecules, their kinds, and what the pair
    // does. Only H2 + D2 and HD + HD can react; the outcomes are kept in
    // separate branches so that each is predicted on its own. The logged
    // loop also tells the collision in the step log; the loop at a
    // temperature draws once more for an H2 + D2 pair.
    template<bool kLogged, bool kTemperature>
    [[gnu::always_inline]] void collideOnce()
    {
        ++collisions;
        serviceDue = collisions >= nextCheck;
        const std::int64_t i1 = drawMolecule();
        std::int64_t i2;
        do {
            i2 = drawMolecule();
        } while (i2 == i1);
        const int k1 = kindOf(i1);
        const int k2 = kindOf(i2);

        if constexpr (kLogged) {
            entry = {.collision = collisions,
                     .first = i1,
                     .second = i2,
                     .firstKind = k1,
                     .secondKind = k2,
                     .lnWBefore = lnw,
                     .lnWAfter = lnw};
            nameThePair();
        }

        if (k1 + k2 == 2 && k1 != 1) { // H2 + D2
            if (h2d2Reacts<kLogged, kTemperature>()) {
                ++sim.observed.reactions.forward;
                formTwoHd();
                if constexpr (kLogged) {
                    entry.outcome = StepOutcome::FormedTwoHd;
                    sim.roster.react(i1, i2);
                }
                changed(hd - 2);
            } else {
                ++sim.observed.reactions.h2d2Unreacted;
                stayed();
            }
        } else if ((k1 & k2) == 1) { // HD + HD react half the time
            bool reacts;
            if constexpr (kLogged) {
                entry.coinTossed = true;
                entry.coin = drawCoin();
                reacts = entry.coin > 0.5f;
            } else {
                reacts = coinOverHalf();
            }
            if (reacts) {
                ++sim.observed.reactions.reverse;
                formH2AndD2();
                if constexpr (kLogged) {
                    entry.outcome = StepOutcome::FormedH2D2;
                    sim.roster.react(i1, i2);
                }
                changed(hd + 2);
            } else {
                ++sim.observed.reactions.hdUnreacted;
                stayed();
            }
        } else {
            stayed();
        }
        if constexpr (kLogged) {
            entry.lnWAfter = lnw;
            sim.stepLog.add(entry);
            // Stepped collisions are few: the course keeps every one.
            sim.observed.recordPoint(collisions,
                                     {std::int32_t(h2), std::int32_t(hd), std::int32_t(d2)},
                                     lnw);
        }
    }

private:
    // A draw r is a float k / 2^24, and the molecule it picks is
    // floor(r * N) + 1 with the product in double precision. r * N equals
    // k * (N / 2^24) to the last bit (scaling by a power of two is exact), so
    // the generator's k goes straight into the product.
    std::int64_t drawMolecule()
    {
        if (scripted) [[unlikely]]
            return std::int64_t(double(sim.rng.next()) * dn) + 1;
        return std::int64_t(double(nextBits()) * nOver2To24) + 1;
    }

    // r > 0.5 for k / 2^24 is k > 2^23.
    bool coinOverHalf()
    {
        if (scripted) [[unlikely]]
            return sim.rng.next() > 0.5f;
        return nextBits() > (std::uint32_t(1) << 23);
    }

    // With statistics only an H2 + D2 pair always reacts, and nothing is
    // drawn. At a temperature it draws once more and reacts when the draw k
    // is below the model's accepting draws: k / 2^24 below K / 4, rounded
    // to a whole number of draws (acceptingDraws).
    template<bool kLogged, bool kTemperature>
    bool h2d2Reacts()
    {
        if constexpr (!kTemperature) {
            return true;
        } else if constexpr (kLogged) {
            entry.acceptanceDrawn = true;
            entry.acceptance = drawCoin();
            entry.acceptBelow = float(accepting) * 0x1.0p-24f;
            return entry.acceptance < entry.acceptBelow;
        } else {
            if (scripted) [[unlikely]]
                return sim.rng.next() < float(accepting) * 0x1.0p-24f;
            return nextBits() < accepting;
        }
    }

    // The coin itself, for the log: the same draw as coinOverHalf's.
    float drawCoin()
    {
        if (scripted)
            return sim.rng.next();
        return float(nextBits()) * 0x1.0p-24f;
    }

    std::uint32_t nextBits() { return UniformRandom::Engine::step(s0, s1, s2, s3); }

    // The log names the two molecules picked by their lasting numbers: the
    // roster, brought to the counts of this moment, tells which molecules
    // sit at the places the engine drew.
    void nameThePair()
    {
        sim.roster.follow({std::int32_t(h2), std::int32_t(hd), std::int32_t(d2)});
        entry.first = sim.roster.numberAt(entry.first);
        entry.second = sim.roster.numberAt(entry.second);
    }

    // Molecules are numbered H2 first, then HD, then D2; the kind is 0, 1 or 2
    // (worked out without branches: the picks are random).
    int kindOf(std::int64_t i) const { return int(i > h2) + int(i > h2 + hd); }

    double ln(std::int64_t i) const { return i < lnSize ? lnTable[i] : lnSlow(i); }

    // H2 + D2 -> 2 HD; ln W takes the ratio W' / W with the new counts.
    void formTwoHd()
    {
        --h2;
        --d2;
        hd += 2;
        lnw = ((((lnw + kLn4) - ln(hd)) - ln(hd - 1)) + ln(h2 + 1)) + ln(d2 + 1);
    }

    // 2 HD -> H2 + D2; ln W takes the ratio W' / W with the old counts.
    void formH2AndD2()
    {
        lnw = ((((lnw - kLn4) + ln(hd)) + ln(hd - 1)) - ln(h2 + 1)) - ln(d2 + 1);
        ++h2;
        ++d2;
        hd -= 2;
    }

    // The collision is credited to the distribution the system stayed in
    // (entry 0, current before a run has begun, is never read).
    void stayed()
    {
        ++sim.reg.regFreq[current];
        showCounter();
    }

    // A changed distribution is recorded in save-all mode, and in best-only
    // mode when it is better than the best so far. A distribution met again
    // is only counted (unless the most-probable window follows every change);
    // everything else goes the whole way through RecordDistribution.
    // Kept inline, as the collision itself: called out of line they would
    // take the loop's address, and the generator's state would leave its
    // registers.
    [[gnu::always_inline]] void changed(std::int64_t leftHD)
    {
        sim.observed.leave(std::int32_t(leftHD), collisions);
        showCounter();
        if (!(saveAll | (lnw > bestLnW)))
            return;
        const int found = (saveAll && !fluctuations)
                                  ? sim.reg.find(std::int32_t(hd), std::int32_t(d2), stored)
                                  : 0;
        if (found != 0) {
            ++sim.reg.regFreq[found];
            current = found;
        } else {
            store();
            sim.RecordDistribution();
            load();
        }
    }

    // In turbo mode only every 100th collision is shown.
    void showCounter()
    {
        if (!turbo || (serviceDue && collisions % 100 == 0)) {
            sim.host_->setLabel(MainLabel::ncollide, integerToText(collisions));
            if (saveAll)
                sim.host_->setLabel(MainLabel::NumDistros, integerToText(sim.nDistFound));
        }
    }

    Simulation &sim;
    StepEntry entry; // the collision being logged
    std::int64_t n, h2, hd, d2, collisions, nextCheck, lnSize;
    double lnw, bestLnW, dn, nOver2To24;
    const double *lnTable;
    int current, stored;
    std::uint32_t accepting; // H2 + D2 draws below it react (at a temperature)
    bool saveAll, turbo, scripted, fluctuations;
    std::uint32_t s0, s1, s2, s3; // the generator's state
};

Simulation::LoopEnd Simulation::RunCollisions()
{
    return runCollisionsFor(kNoLimit);
}

Simulation::LoopEnd Simulation::runCollisionsFor(std::int64_t collisions)
{
    if (collisions <= 0) {
        stopRequested_ = leaveLoop_ = false;
        return LoopEnd::LimitReached;
    }
    stopAt_ = collisions >= kNoLimit - nCollisions ? kNoLimit : nCollisions + collisions;
    running_ = true;
    host_->setLabel(MainLabel::status, "running");
    std::optional<LoopEnd> end;
    while (!end) {
        const bool logged = stepLog.recording();
        // The log tells the collisions of one stepped stretch; a run without
        // it would leave a gap.
        if (!logged && !stepLog.empty())
            stepLog.clear();
        end = logged ? collideInModel<true>() : collideInModel<false>();
    }
    running_ = false;
    stopRequested_ = leaveLoop_ = false;
    stopAt_ = kNoLimit;
    return *end;
}

void Simulation::keepStepLog(bool on)
{
    if (on == stepLog.recording())
        return;
    stepLog.setRecording(on);
    if (running_)
        leaveLoop_ = true;
}

void Simulation::setCollisionsPerService(std::int32_t collisions)
{
    if (collisions > 0 && 100 % collisions == 0)
        collisionsPerService_ = collisions;
}

template<bool kLogged, bool kTemperature>
std::optional<Simulation::LoopEnd> Simulation::collide()
{
    CollisionLoop loop(*this);
    for (;;) {
        if (!loop.canCollide()) [[unlikely]]
            return LoopEnd::NoPartner;
        loop.collideOnce<kLogged, kTemperature>();
        if (loop.serviceDue) {
            // The limit ends the loop without a service of its own, unless it
            // falls on one.
            if (loop.count() < stopAt_ || loop.count() % collisionsPerService_ == 0) {
                loop.store();
                if constexpr (!kLogged) // the logged loop has recorded it
                    observed.recordPoint(nCollisions, {nH2, nHD, nD2}, lnW);
                host_->serveEvents();
                loop.load();
            }
            if (loop.count() >= stopAt_) {
                loop.store();
                return LoopEnd::LimitReached;
            }
        }
        if (leaveLoop_) {
            loop.store();
            if (stopRequested_)
                return LoopEnd::Stopped;
            // The model changed between statistics only and a temperature:
            // the other variant goes on from the next collision.
            leaveLoop_ = false;
            return std::nullopt;
        }
    }
}

void Simulation::RecordDistribution()
{
    SimulationHost &h = *host_;
    const int found = reg.find(nHD, nD2, nStored);
    if (found != 0) {
        ++reg.regFreq[found];
        iCurrent = found;
        if (h.showFluctuations())
            h.ShowMostProbable();
        return;
    }

    int i = nStored + 1;
    if (i > kCapacity) {
        // Full: overwrite the entry after the current one, never the best.
        i = (iCurrent % kCapacity) + 1;
        if (i == iBest)
            i = (i % kCapacity) + 1;
    }
    if (!bSaveAll)
        i = 1;

    const double frac = nMolecules > 0 ? double(nHD) / double(nMolecules) : 0.0;
    reg.write(i, nHD, nD2, lnW, frac);
    iCurrent = i;

    ++nDistFound;
    nStored = bSaveAll ? int(std::min<std::int64_t>(nDistFound, kCapacity)) : 1;

    if (lnW > lnWBest) {
        QBest = Q;
        iBest = i;
        bestCollision = nCollisions;
        lnWBest = lnW;
        h.ShowMostProbable();
    } else {
        if (h.showFluctuations())
            h.ShowMostProbable();
        if (!bTurbo && bSaveAll)
            h.setLabel(MainLabel::NumDistros, integerToText(nDistFound));
    }
}

void Simulation::FormatQ()
{
    Q.setText(quotientText(nKind[0], nKind[1], nKind[2], decimalPoint));
}

void Simulation::UpdateStatistics()
{
    // The most probable distribution changes seldom, but this runs at every
    // refresh of the most-probable window (with "Show Fluctuations", at every
    // change of distribution): its texts are formatted only when it changed.
    BestTexts &b = bestTexts_;
    if (!b.valid || !(b.qBest == QBest)
        || std::bit_cast<std::uint64_t>(b.lnWBest) != std::bit_cast<std::uint64_t>(lnWBest)
        || b.decimalPoint != decimalPoint) {
        b.qBest = QBest;
        b.lnWBest = lnWBest;
        b.decimalPoint = decimalPoint;
        b.bestQ = QBest.toText(decimalPoint);
        b.logW = formatNumber(lnWBest / kLn10Stats, "0.000", decimalPoint);
        b.wMax = FormatW(lnWBest, decimalPoint);
        b.valid = true;
    }
    SimulationHost &h = *host_;
    h.setLabel(MainLabel::BestQ, b.bestQ);
    h.setLabel(MainLabel::logW, b.logW);
    h.setLabel(MainLabel::Wmax, b.wMax);
    h.setLabel(MainLabel::bestcol, integerToText(bestCollision));
    if (bSaveAll)
        h.setLabel(MainLabel::NumDistros, integerToText(nDistFound));
    h.setLabel(MainLabel::ncollide, integerToText(nCollisions));
}

std::string NumberOrText::toText(char decimalPoint) const
{
    return isText_ ? text_ : numberToText(number_, decimalPoint);
}

} // namespace kormix
