// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
// The run model: the one owner of the run. It holds the Simulation, answers
// what the core asks of the program (label texts, the event service, whether
// "Show Fluctuations" is ticked), keeps the run state that the start button
// shows, and offers the commands the windows use: set up, start, stop, step,
// revise, clear, speed, seed, model (statistics only or a temperature).
// Windows read the run through sim(), a const reference, and listen to the
// signals; none of them writes anything of the Simulation, and a window
// closed without accepting has called no command.
#pragma once

#include "core/host.h"
#include "core/simulation.h"
#include "ui/model/pacer.h"

#include <QElapsedTimer>
#include <QObject>

#include <array>
#include <cstdint>
#include <limits>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace kormix::ui {

class RunModel : public QObject
{
    Q_OBJECT

public:
    // The run as the start button offers it: a fresh start (needs setup,
    // ready), a stop (running) or a restart (stopped).
    enum class RunState { NeedsSetup, Ready, Running, Stopped };
    Q_ENUM(RunState)

    // A cleared system in the needs-setup state, every number written with
    // this decimal separator.
    explicit RunModel(char decimalPoint = '.', QObject *parent = nullptr);
    ~RunModel() override;

    const Simulation &sim() const { return sim_; }
    RunState runState() const { return runState_; }
    // Collisions run, or are about to once the start handler enters the
    // loop; a stop clears it at once, the loop ends after its collision.
    bool bRunning() const { return runState_ == RunState::Running; }
    bool bNeedsSetup() const { return sim_.bNeedsSetup; }
    // The text the core last gave a main-window label, untranslated, and
    // whether it gave one at all (a label it never wrote keeps its design
    // text).
    const std::string &labelText(MainLabel label) const;
    bool labelWritten(MainLabel label) const { return labelWritten_[std::size_t(label)]; }
    bool showFluctuations() const { return showFluctuations_; }

    // --- commands ---------------------------------------------------------
    // Clear: the needs-setup state. Refused (false) while collisions run.
    bool clear();
    // A new system from the setup dialog's accepted fields: ready (with the
    // run begun) when it is usable, else needs setup. Returns whether it is.
    bool setup(const SetupFields &fields);
    // A new system from revised counts, handed over as the setup dialog's
    // fields. A run going on goes on with it; otherwise the run state offers
    // a fresh start. Returns whether the system is usable.
    bool revise(const SetupFields &fields);
    // Start or restart: running, with a fresh run when the button offered a
    // start. Returns true when the caller is to enter the loop (runCollisions):
    // false when the system needs setup, the program is ending, or a loop
    // still unwinding from a stop simply goes on.
    bool start();
    // Runs collisions until a stop, or `limit` of them; then stopped (or
    // needs setup when no usable system is left). `logged` keeps the step
    // log meanwhile, as stepping does; at a speed slow enough to watch each
    // collision the log is kept anyway (watchesEachCollision).
    void runCollisions(std::int64_t limit = kNoLimit, bool logged = false);
    // Step and Step 100: from the ready or stopped state only, a start or
    // restart of that length, logged. False when it cannot step now.
    bool step(std::int64_t collisions);
    // Stop: the loop ends after its current collision.
    void stop();
    // The program is ending: the loop stops and no event is served any more.
    void shutDown();
    bool isShutDown() const { return shutDown_; }

    // The most probable distribution's statistics into the labels.
    void UpdateStatistics();
    // The event service the collision loop uses: labels written, windows
    // refreshed, pending user events served; paced at slow speeds.
    void serveEvents();

    // Brings the molecules' lasting numbers (Simulation::roster) to the
    // current counts, with as few molecules as can be changing kind. A
    // picture of the molecules asks for it before it reads them: the
    // collision loop keeps them in step only while it keeps the step log.
    // No count changes, nor anything the generator draws.
    void followMolecules();

    // The distribution a window showed last (nKind): the revise-data window
    // opens on it.
    void setShownDistribution(const std::array<std::int32_t, 3> &counts);

    // --- settings ---------------------------------------------------------
    void setTurbo(bool on);
    // "Show Fluctuations": the most-probable window follows every change.
    void setShowFluctuations(bool on);
    // Collisions per second (0: full speed). Slow speeds are served after
    // every collision, so that each can be seen and a stop is never held up.
    void setPacedRate(std::int64_t perSecond);
    std::int64_t pacedRate() const { return pacer_.rate(); }
    // Collisions per second slow enough to watch each one: at these speeds
    // the loop keeps the step log, for the windows that show each collision.
    static constexpr std::int64_t kWatchedRate = 100;
    // The loop keeps every collision in the step log now: the user steps,
    // or the speed is one to watch.
    bool watchesEachCollision() const;
    // While collisions run at full speed, events are served and labels
    // written at most once per this many milliseconds; 0 serves at every
    // service point (tests use it so that runs repeat exactly).
    void setServiceInterval(int milliseconds) { serviceIntervalMs_ = milliseconds; }
    // A seed of one's own for the systems to come; before a run has
    // collided, its own sequence starts from it at once.
    void fixSeed(std::uint64_t seed);
    void clearSeed();
    // The equilibrium the collisions go to: statistics only, or hydrogen at
    // a temperature. It holds for the systems that follow and for the run
    // going on from its next collision; a change during a run begins a new
    // segment of it (a mark in its course, the shares and the reactions
    // counted afresh). A change emits modelChanged.
    void setModel(const EquilibriumModel &model);
    const EquilibriumModel &model() const { return sim_.model(); }
    // The next draws of the run's generator are these, in order: a test
    // stages a collision with them, as it can for the core alone.
    void scriptDraws(std::vector<float> draws) { sim_.rng.script(std::move(draws)); }

    static constexpr std::int64_t kNoLimit = std::numeric_limits<std::int64_t>::max();

signals:
    // A label's text changed (labelText); while collisions run, at most once
    // per event service.
    void labelChanged(kormix::MainLabel label);
    void runStateChanged(kormix::ui::RunModel::RunState state);
    // The core asks for the most-probable window to be refreshed.
    void mostProbableRequested();
    // An event service while collisions run: windows may catch up.
    void serviced();
    // The run changed as a whole (setup, clear, revision, the end of a loop):
    // windows that follow it refresh now.
    void runChanged();
    // Another model was chosen (setModel): windows that show it or the
    // theory at its K refresh now.
    void modelChanged();

private:
    class Host;
    friend class Host;

    void setRunState(RunState state);
    void setLabel(MainLabel label, std::string_view text);
    // Writes the labels held back while collisions ran.
    void flushLabels();
    void serveOnce();
    // Tells the loop whether to keep the step log (watchesEachCollision).
    void keepStepLog();

    std::unique_ptr<Host> host_;
    Simulation sim_;
    RunState runState_ = RunState::NeedsSetup;
    SetupFields fields_; // what SetupSystem reads: the fields handed over last
    bool showFluctuations_ = false;
    bool shutDown_ = false;
    bool stepping_ = false; // the loop runs for Step or Step 100

    std::array<std::string, 13> labels_{}; // by MainLabel
    std::array<bool, 13> labelPending_{};
    std::array<bool, 13> labelWritten_{};

    Pacer pacer_;
    int serviceIntervalMs_ = 5;
    QElapsedTimer serviceClock_;
};

} // namespace kormix::ui
