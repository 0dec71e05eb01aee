// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
// A real run in the main window (turbo mode, offscreen platform, N = 1000)
// against the collision engine alone in the same process, the same run with
// the equilibrium and the molecules windows open against closed, and how
// soon a click on "Stop Collisions" ends the loop. The windows speak the
// user's language.
#include "bench/offscreen.h"
#include "core/simulation.h"
#include "ui/common/translation.h"
#include "ui/equilibrium/frmequilibrium.h"
#include "ui/main/frmmain.h"
#include "ui/main/viewmenu.h"
#include "ui/model/runmodel.h"
#include "ui/molecules/frmmolecules.h"
#include "ui/setup/frmsetup.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <functional>
#include <memory>
#include <random>
#include <thread>
#include <tuple>
#include <utility>

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kH2 = 500; // with as many D2: N = 1000
constexpr int kD2 = 500;

double engineRate = 0;
double windowRate = 0;
double fluctuationRate = 0;
double equilibriumClosedRate = 0;
double equilibriumOpenRate = 0;
double moleculesClosedRate = 0;
double moleculesOpenRate = 0;

// The engine without windows: ends the run after a number of event services.
class CountingHost : public kormix::NullHost
{
public:
    explicit CountingHost(kormix::Simulation &s)
        : sim(s)
    {}
    void serveEvents() override
    {
        if (--left <= 0)
            sim.requestStop();
    }
    kormix::Simulation &sim;
    long long left = 0;
};

void BM_EngineOnly(benchmark::State &state)
{
    kormix::Simulation sim;
    CountingHost host(sim);
    sim.setHost(&host);
    sim.rng.fixSeed(1);
    sim.nH2 = kH2;
    sim.nD2 = kD2;
    sim.nHD = 0;
    sim.nMolecules = kH2 + kD2;
    sim.bSaveAll = true; // as the setup dialog starts
    sim.bTurbo = true;
    sim.BeginCollisions();

    long long total = 0;
    double seconds = 0;
    for (auto _ : state) {
        const long long before = sim.nCollisions;
        const auto start = Clock::now();
        host.left = 20000; // a million collisions
        sim.RunCollisions();
        seconds += std::chrono::duration<double>(Clock::now() - start).count();
        total += sim.nCollisions - before;
    }
    state.counters["collisions_per_s"] = benchmark::Counter(double(total),
                                                            benchmark::Counter::kIsRate);
    engineRate = double(total) / seconds;
}

// The program's main window with a system of 500 H2 and 500 D2 set up through
// the setup dialog, as the user does it.
struct Window
{
    kormix::ui::RunModel model;
    const kormix::Simulation &sim = model.sim();
    kormix::ui::FrmMain frm{model};

    Window()
    {
        model.fixSeed(1);
        frm.show();
        QTimer::singleShot(0, [this] {
            kormix::ui::FrmSetup *setup = frm.setupForm();
            setup->nMolec[0]->setText(QString::number(kH2));
            setup->nMolec[2]->setText(QString::number(kD2));
            setup->nMolec[1]->setText("0");
            setup->CmdOK->click();
        });
        frm.CmdSetup->click();
    }

    // Starts or restarts collisions with the most-probable window open
    // (every restart toggles it) and returns once the loop has ended.
    void run()
    {
        if (frm.flags().bBestShown)
            frm.CmdShowBest->click();
        frm.CmdCollide->click();
    }
};

std::unique_ptr<Window> window;

Window &theWindow()
{
    if (!window) {
        // The windows speak the user's language as the program's do:
        // LANG=de_DE.UTF-8 measures the German windows.
        kormix::ui::installTranslations(*qApp, QLocale::system());
        window = std::make_unique<Window>();
    }
    return *window;
}

// Runs the window's loop for 250 ms per iteration and reports collisions per
// second.
double measureWindowLoop(benchmark::State &state, Window &w)
{
    long long total = 0;
    double seconds = 0;
    for (auto _ : state) {
        const long long before = w.sim.nCollisions;
        const auto start = Clock::now();
        QTimer::singleShot(250, w.frm.CmdCollide, [&w] { w.frm.CmdCollide->click(); });
        w.run();
        seconds += std::chrono::duration<double>(Clock::now() - start).count();
        total += w.sim.nCollisions - before;
    }
    state.counters["collisions_per_s"] = benchmark::Counter(double(total),
                                                            benchmark::Counter::kIsRate);
    return double(total) / seconds;
}

void BM_WindowLoop(benchmark::State &state)
{
    windowRate = measureWindowLoop(state, theWindow());
}

// The same run with "Show Fluctuations" ticked: the most-probable window
// follows every change of distribution.
void BM_WindowLoopShowFluctuations(benchmark::State &state)
{
    Window &w = theWindow();
    w.frm.Check1->setChecked(true);
    fluctuationRate = measureWindowLoop(state, w);
    w.frm.Check1->setChecked(false);
}

// A window of the View menu open against closed, a second each in turn, so
// that both sides share whatever else the machine is doing; `refreshes`, when
// given, counts the window's refreshes. Returns the rates, closed and open.
std::pair<double, double> openAgainstClosed(benchmark::State &state,
                                            Window &w,
                                            QAction *menuItem,
                                            const std::function<QWidget *()> &form,
                                            const std::function<long long()> &refreshes = {})
{
    long long counted[2] = {0, 0};
    double seconds[2] = {0, 0};
    long long refreshed = 0;
    for (auto _ : state) {
        for (int open = 0; open < 2; ++open) {
            if (open) {
                menuItem->trigger();
            } else if (form()) {
                form()->close();
            }
            // The window's first showing is painted before the clock starts:
            // what is measured is a run beside a window that stays open.
            QCoreApplication::processEvents();
            const long long before = w.sim.nCollisions;
            const long long refreshedBefore = open && refreshes ? refreshes() : 0;
            const auto start = Clock::now();
            QTimer::singleShot(1000, w.frm.CmdCollide, [&w] { w.frm.CmdCollide->click(); });
            w.run();
            seconds[open] += std::chrono::duration<double>(Clock::now() - start).count();
            counted[open] += w.sim.nCollisions - before;
            if (open && refreshes)
                refreshed += refreshes() - refreshedBefore;
        }
    }
    if (form())
        form()->close();
    const double closed = double(counted[0]) / seconds[0];
    const double opened = double(counted[1]) / seconds[1];
    state.counters["closed_per_s"] = closed;
    state.counters["open_per_s"] = opened;
    state.counters["open_pct"] = 100 * opened / closed;
    if (refreshes)
        state.counters["refreshes_per_s"] = double(refreshed) / seconds[1];
    return {closed, opened};
}

void BM_EquilibriumWindowOpenAgainstClosed(benchmark::State &state)
{
    Window &w = theWindow();
    std::tie(equilibriumClosedRate, equilibriumOpenRate) = openAgainstClosed(
            state,
            w,
            w.frm.viewMenu().menu_Equilibrium,
            [&w] { return w.frm.equilibriumForm(); },
            [&w] { return w.frm.equilibriumForm()->refreshes(); });
}

// The same with the molecules window: 400 of the 1000 molecules drawn in
// proportion, following the run at most ten times a second.
void BM_MoleculesWindowOpenAgainstClosed(benchmark::State &state)
{
    Window &w = theWindow();
    std::tie(moleculesClosedRate, moleculesOpenRate)
            = openAgainstClosed(state, w, w.frm.viewMenu().menu_Molecules, [&w] {
                  return w.frm.viewMenu().moleculesForm();
              });
}

// One refresh of the open equilibrium window after a long run (its course
// full), with the repaint it causes.
void BM_EquilibriumRefresh(benchmark::State &state)
{
    Window &w = theWindow();
    w.frm.viewMenu().menu_Equilibrium->trigger();
    kormix::ui::FrmEquilibrium *e = w.frm.equilibriumForm();
    for (auto _ : state) {
        e->refresh();
        e->repaint();
    }
    e->close();
}

// From the moment the click is queued (by another thread, as the window
// system would deliver it) until the start handler has returned.
void BM_StopLatency(benchmark::State &state)
{
    Window &w = theWindow();
    std::mt19937 gen(5);
    std::uniform_int_distribution<int> wait(20, 80);
    double worst = 0;
    for (auto _ : state) {
        std::atomic<Clock::rep> clicked{0};
        const int ms = wait(gen);
        std::thread user([&] {
            std::this_thread::sleep_for(std::chrono::milliseconds(ms));
            clicked = Clock::now().time_since_epoch().count();
            QPushButton *stop = w.frm.CmdCollide;
            QMetaObject::invokeMethod(
                    stop, [stop] { stop->click(); }, Qt::QueuedConnection);
        });
        w.run();
        const auto ended = Clock::now();
        user.join();
        const double latency = std::chrono::duration<double>(
                                       ended - Clock::time_point(Clock::duration(clicked.load())))
                                       .count();
        worst = std::max(worst, latency);
        state.SetIterationTime(latency);
    }
    state.counters["worst_ms"] = worst * 1000;
}

} // namespace

BENCHMARK(BM_EngineOnly)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_WindowLoop)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);
BENCHMARK(BM_WindowLoopShowFluctuations)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);
BENCHMARK(BM_EquilibriumWindowOpenAgainstClosed)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime()
        ->Iterations(5);
BENCHMARK(BM_MoleculesWindowOpenAgainstClosed)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime()
        ->Iterations(5);
BENCHMARK(BM_EquilibriumRefresh)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StopLatency)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(40);

int main(int argc, char **argv)
{
    return kormix::bench::runOffscreen(argc, argv, [] {
        if (engineRate > 0 && windowRate > 0)
            std::printf("window loop / engine alone: %.1f %%\n", 100 * windowRate / engineRate);
        if (windowRate > 0 && fluctuationRate > 0)
            std::printf("with \"Show Fluctuations\" / without: %.1f %%\n",
                        100 * fluctuationRate / windowRate);
        if (equilibriumClosedRate > 0 && equilibriumOpenRate > 0)
            std::printf("equilibrium window open / closed: %.1f %%\n",
                        100 * equilibriumOpenRate / equilibriumClosedRate);
        if (moleculesClosedRate > 0 && moleculesOpenRate > 0)
            std::printf("molecules window open / closed: %.1f %%\n",
                        100 * moleculesOpenRate / moleculesClosedRate);
        window.reset();
    });
}
