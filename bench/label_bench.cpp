// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
// What a counter label costs per new text: a plain label against one that
// fits its text to its box, written and drawn as the main window's collision
// counter is while collisions run, with texts that fit and texts that must
// shrink. Run on the offscreen platform.
#include "bench/offscreen.h"
#include "ui/common/fitlabel.h"
#include "ui/common/twips.h"
#include "ui/common/widgets.h"

#include <QLabel>
#include <QPixmap>

#include <benchmark/benchmark.h>

#include <type_traits>

namespace {

using kormix::ui::FitLabel;

// The counter's box (1800 x 255 twips) in its 12-point face. Counts from the
// first argument on: 1 fits, 10^17 has to shrink.
template<typename Label>
void Counter(benchmark::State &state, bool draw)
{
    QWidget parent;
    auto *label = new Label("0", &parent);
    label->setFont(kormix::ui::sansFont(12));
    kormix::ui::place(label, 7560, 1920, 1800, 255);
    QPixmap canvas(label->size());
    long long n = state.range(0);
    for (auto _ : state) {
        label->setText(QString::number(n += 100));
        if (draw)
            label->render(&canvas);
        else if constexpr (std::is_same_v<Label, FitLabel>)
            benchmark::DoNotOptimize(label->shownFont());
    }
}

void BM_PlainLabelSetText(benchmark::State &state)
{
    Counter<QLabel>(state, false);
}
void BM_FitLabelSetTextAndFit(benchmark::State &state)
{
    Counter<FitLabel>(state, false);
}
void BM_PlainLabelSetTextAndDraw(benchmark::State &state)
{
    Counter<QLabel>(state, true);
}
void BM_FitLabelSetTextAndDraw(benchmark::State &state)
{
    Counter<FitLabel>(state, true);
}
BENCHMARK(BM_PlainLabelSetText)->Arg(1)->Arg(100000000000000000);
BENCHMARK(BM_FitLabelSetTextAndFit)->Arg(1)->Arg(100000000000000000);
BENCHMARK(BM_PlainLabelSetTextAndDraw)->Arg(1)->Arg(100000000000000000);
BENCHMARK(BM_FitLabelSetTextAndDraw)->Arg(1)->Arg(100000000000000000);

} // namespace

int main(int argc, char **argv)
{
    return kormix::bench::runOffscreen(argc, argv);
}
