// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
#include "ui/model/runmodel.h"

#include <QCoreApplication>

namespace kormix::ui {

// What the core asks of the program, answered by the model: the core sees no
// window, and no window sees the core's host.
class RunModel::Host : public SimulationHost
{
public:
    explicit Host(RunModel &model)
        : model_(model)
    {}

    void setLabel(MainLabel label, std::string_view text) override { model_.setLabel(label, text); }
    SetupFields readSetupFields() override { return model_.fields_; }
    bool showFluctuations() override { return model_.showFluctuations_; }
    void ShowMostProbable() override { emit model_.mostProbableRequested(); }
    void serveEvents() override { model_.serveEvents(); }

private:
    RunModel &model_;
};

RunModel::RunModel(char decimalPoint, QObject *parent)
    : QObject(parent)
    , host_(std::make_unique<Host>(*this))
    , sim_(host_.get())
{
    sim_.decimalPoint = decimalPoint;
    sim_.ClearSystem();
}

RunModel::~RunModel() = default;

const std::string &RunModel::labelText(MainLabel label) const
{
    return labels_[std::size_t(label)];
}

void RunModel::setRunState(RunState state)
{
    runState_ = state;
    if (state == RunState::Ready)
        setLabel(MainLabel::status, "Setup Complete");
    emit runStateChanged(state);
}

bool RunModel::clear()
{
    if (bRunning())
        return false;
    setRunState(RunState::NeedsSetup);
    sim_.ClearSystem();
    emit runChanged();
    return true;
}

bool RunModel::setup(const SetupFields &fields)
{
    fields_ = fields;
    sim_.SetupSystem();
    // A new system's molecules are numbered afresh: molecule i at place i,
    // the H2 first. (A revised system keeps its molecules.)
    sim_.roster = MoleculeRoster();
    const bool usable = !sim_.bNeedsSetup;
    if (usable) {
        setRunState(RunState::Ready);
        sim_.BeginCollisions();
    } else {
        setRunState(RunState::NeedsSetup);
    }
    emit runChanged();
    return usable;
}

bool RunModel::revise(const SetupFields &fields)
{
    // The course of the run goes on across the revision, with a mark.
    sim_.markRevision();
    sim_.ClearSystem();
    if (!bRunning())
        setRunState(RunState::NeedsSetup);
    fields_ = fields;
    sim_.SetupSystem();
    const bool usable = !sim_.bNeedsSetup;
    if (usable) {
        if (bRunning())
            setLabel(MainLabel::status, "Setup Complete");
        else
            setRunState(RunState::Ready);
        sim_.BeginCollisions();
    }
    emit runChanged();
    return usable;
}

bool RunModel::start()
{
    if (sim_.bNeedsSetup || shutDown_)
        return false;
    if (sim_.running()) {
        // A stop queued behind this start has not ended the loop yet: the
        // loop simply goes on.
        sim_.withdrawStop();
        setRunState(RunState::Running);
        return false;
    }
    const bool fresh = runState_ == RunState::NeedsSetup || runState_ == RunState::Ready;
    setRunState(RunState::Running);
    if (fresh)
        sim_.BeginCollisions();
    return true;
}

void RunModel::runCollisions(std::int64_t limit, bool logged)
{
    if (sim_.running())
        return; // never a loop inside the loop
    pacer_.restart(sim_.nCollisions);
    stepping_ = logged;
    keepStepLog();
    sim_.runCollisionsFor(limit);
    stepping_ = false;
    sim_.keepStepLog(false);
    flushLabels();
    // The loop also ends without a stop: its collisions have all run, or a
    // revision inside it left no usable system.
    if (runState_ == RunState::Running)
        setRunState(sim_.bNeedsSetup ? RunState::NeedsSetup : RunState::Stopped);
    emit runChanged();
}

bool RunModel::step(std::int64_t collisions)
{
    if (sim_.running() || runState_ == RunState::Running || runState_ == RunState::NeedsSetup)
        return false;
    if (!start())
        return false;
    runCollisions(collisions, true);
    return true;
}

void RunModel::stop()
{
    if (!bRunning())
        return;
    setRunState(RunState::Stopped);
    sim_.requestStop();
}

void RunModel::shutDown()
{
    shutDown_ = true;
    if (sim_.running())
        sim_.requestStop();
}

void RunModel::followMolecules()
{
    sim_.roster.follow({sim_.nH2, sim_.nHD, sim_.nD2});
}

void RunModel::UpdateStatistics()
{
    sim_.UpdateStatistics();
}

void RunModel::setShownDistribution(const std::array<std::int32_t, 3> &counts)
{
    sim_.nKind = {counts[0], counts[1], counts[2], 0};
}

void RunModel::setTurbo(bool on)
{
    sim_.bTurbo = on;
}

void RunModel::setShowFluctuations(bool on)
{
    showFluctuations_ = on;
}

void RunModel::setPacedRate(std::int64_t perSecond)
{
    pacer_.setRate(perSecond);
    sim_.setCollisionsPerService(perSecond > 0 && perSecond <= 10000 ? 1 : 50);
    pacer_.restart(sim_.nCollisions);
    // A run going on keeps the log from its next collision, or no longer.
    if (sim_.running())
        keepStepLog();
}

bool RunModel::watchesEachCollision() const
{
    return stepping_ || (pacer_.rate() > 0 && pacer_.rate() <= kWatchedRate);
}

void RunModel::keepStepLog()
{
    sim_.keepStepLog(watchesEachCollision());
}

void RunModel::fixSeed(std::uint64_t seed)
{
    // Before a run has collided its sequence is still unused, so it starts
    // from the seed at once; a run under way goes on as it was.
    if (!sim_.running() && (runState_ == RunState::NeedsSetup || runState_ == RunState::Ready))
        sim_.rng.fixSeed(seed);
    else
        sim_.rng.fixSeedForLater(seed);
}

void RunModel::clearSeed()
{
    sim_.rng.clearFixedSeed();
}

void RunModel::setModel(const EquilibriumModel &model)
{
    if (model == sim_.model())
        return;
    sim_.setModel(model);
    emit modelChanged();
}

// --- labels and the event service --------------------------------------------

void RunModel::setLabel(MainLabel label, std::string_view text)
{
    const auto i = std::size_t(label);
    if (!labelWritten_[i] || labels_[i] != text) {
        labels_[i].assign(text);
        labelWritten_[i] = true;
    } else if (!labelPending_[i]) {
        return;
    }
    // While collisions run, a label is written many thousand times a second
    // but painted only when events are served: the latest text waits.
    if (sim_.running()) {
        labelPending_[i] = true;
        return;
    }
    labelPending_[i] = false;
    emit labelChanged(label);
}

void RunModel::flushLabels()
{
    for (std::size_t i = 0; i < labels_.size(); ++i) {
        if (labelPending_[i]) {
            labelPending_[i] = false;
            emit labelChanged(MainLabel(i));
        }
    }
}

void RunModel::serveOnce()
{
    flushLabels();
    emit serviced();
    QCoreApplication::processEvents();
    serviceClock_.start();
}

void RunModel::serveEvents()
{
    if (shutDown_)
        return;
    if (sim_.running() && pacer_.rate() > 0) {
        pacer_.wait([this] { return sim_.nCollisions; },
                    [this] {
                        // At a speed one can watch, the counters follow every
                        // collision.
                        sim_.UpdateStatistics();
                        serveOnce();
                        return bRunning() && !shutDown_ && pacer_.rate() > 0;
                    },
                    watchesEachCollision());
        return;
    }
    // Between two repaints the user sees nothing change, so while collisions
    // run a service within a few milliseconds of the last one is skipped.
    if (sim_.running() && serviceIntervalMs_ > 0 && serviceClock_.isValid()
        && serviceClock_.elapsed() < serviceIntervalMs_)
        return;
    serveOnce();
}

} // namespace kormix::ui
