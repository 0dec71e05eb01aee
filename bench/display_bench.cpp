// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
// The detailed display on a full register: opening it, and what a selection
// or a change of mode costs once it is open. Run on the offscreen platform.
#include "bench/offscreen.h"
#include "ui/display/frmdisplay.h"

#include "core/simulation.h"

#include <QApplication>
#include <QPixmap>
#include <QRadioButton>

#include <benchmark/benchmark.h>

namespace {

using kormix::Simulation;
using kormix::ui::FrmDisplay;

// A run of 2000 molecules (2000 H and 2000 D atoms) that has met 1000
// distributions, one for each even number of HD molecules from 0 to 1998,
// recorded from both ends towards the middle so that register order and
// horizontal order differ.
void fillFullRegister(Simulation &sim)
{
    sim.bSaveAll = true;
    sim.nMolecules = 2000;
    for (int k = 0; k < 1000; ++k) {
        const int step = k % 2 == 0 ? k / 2 : 999 - k / 2;
        sim.nHD = 2 * step;
        sim.nH2 = sim.nD2 = (2000 - sim.nHD) / 2;
        if (k == 0) {
            sim.BeginCollisions();
        } else {
            sim.lnW = kormix::LnW(sim.nH2, sim.nD2, sim.nHD);
            sim.RecordDistribution();
        }
        sim.reg.regFreq[sim.iCurrent] = 1 + (k * 7919) % 500;
    }
    sim.nCollisions = 123456;
}

Simulation &fullRun()
{
    static Simulation sim;
    static const bool filled = (fillFullRegister(sim), true);
    (void) filled;
    return sim;
}

// Loading the window (every bar laid out, the highest bar selected and shown)
// and painting all of it once.
void BM_OpenAndPaint(benchmark::State &state)
{
    Simulation &sim = fullRun();
    for (auto _ : state) {
        FrmDisplay dlg(sim, kormix::ui::Desktop{});
        QPixmap shot = dlg.grab();
        benchmark::DoNotOptimize(shot);
    }
}
BENCHMARK(BM_OpenAndPaint)->Unit(benchmark::kMillisecond);

// Loading alone, without painting.
void BM_Open(benchmark::State &state)
{
    Simulation &sim = fullRun();
    for (auto _ : state) {
        FrmDisplay dlg(sim, kormix::ui::Desktop{});
        benchmark::DoNotOptimize(dlg.iSelected);
    }
}
BENCHMARK(BM_Open)->Unit(benchmark::kMillisecond);

// One full paint of the chart with its 1000 bars.
void BM_PaintChart(benchmark::State &state)
{
    FrmDisplay dlg(fullRun(), kormix::ui::Desktop{});
    for (auto _ : state) {
        QPixmap shot = dlg.chart->grab();
        benchmark::DoNotOptimize(shot);
    }
}
BENCHMARK(BM_PaintChart)->Unit(benchmark::kMicrosecond);

// A window on screen: selecting the next bar, and the repaint it asks for.
void BM_SelectBarAndRepaint(benchmark::State &state)
{
    FrmDisplay dlg(fullRun(), kormix::ui::Desktop{});
    dlg.show();
    QApplication::processEvents();
    int p = 0;
    for (auto _ : state) {
        p = (p + 1) % 1000;
        dlg.SelectBar(p);
        QApplication::processEvents();
    }
    state.counters["bars"] = dlg.nBarsLoaded;
}
BENCHMARK(BM_SelectBarAndRepaint)->Unit(benchmark::kMicrosecond);

// A window on screen: switching between "Theoretical" and "Actual", and the
// repaint it asks for.
void BM_SwitchModeAndRepaint(benchmark::State &state)
{
    FrmDisplay dlg(fullRun(), kormix::ui::Desktop{});
    dlg.show();
    QApplication::processEvents();
    bool actual = false;
    for (auto _ : state) {
        actual = !actual;
        (actual ? dlg.OptActual : dlg.OptTheoretical)->click();
        QApplication::processEvents();
    }
    state.counters["bars"] = dlg.nBarsLoaded;
}
BENCHMARK(BM_SwitchModeAndRepaint)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char **argv)
{
    return kormix::bench::runOffscreen(argc, argv);
}
