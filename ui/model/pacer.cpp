// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kormix developers
#include "ui/model/pacer.h"

#include <algorithm>
#include <chrono>
#include <thread>

namespace kormix::ui {

namespace {

// While it waits, the loop serves events at least this often, so that a stop
// is taken within a few milliseconds even at ten collisions a second.
constexpr std::int64_t kSliceNs = 2'000'000;
// A pace that fell this far behind (a modal window held the loop) starts
// again from there instead of racing to catch up.
constexpr std::int64_t kMostBehindNs = 250'000'000;

} // namespace

void Pacer::restart(std::int64_t collisions)
{
    from_ = collisions;
    clock_.start();
}

std::int64_t Pacer::dueNs(std::int64_t collisions) const
{
    return std::int64_t(double(collisions - from_) * 1e9 / double(rate_));
}

void Pacer::wait(const std::function<std::int64_t()> &collisions,
                 const std::function<bool()> &serve,
                 bool everyCollision)
{
    bool owed = everyCollision;
    if (!clock_.isValid() || collisions() < from_)
        restart(collisions()); // a new run began inside the loop
    std::int64_t due = dueNs(collisions());
    for (;;) {
        std::int64_t now = clock_.nsecsElapsed();
        if (now - due > kMostBehindNs) {
            restart(collisions());
            if (!owed)
                return;
            due = dueNs(collisions());
            now = clock_.nsecsElapsed();
        }
        if (owed || !sinceService_.isValid() || sinceService_.nsecsElapsed() >= kSliceNs) {
            owed = false;
            const bool goOn = serve();
            sinceService_.start();
            if (!goOn || rate_ == 0)
                return;
            if (collisions() < from_) {
                restart(collisions());
                return;
            }
            due = dueNs(collisions()); // the speed may have changed
            now = clock_.nsecsElapsed();
        }
        if (now >= due)
            return;
        std::this_thread::sleep_for(std::chrono::nanoseconds(std::min(due - now, kSliceNs)));
    }
}

} // namespace kormix::ui
